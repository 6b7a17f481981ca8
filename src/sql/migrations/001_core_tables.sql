-- Core tables. Ids are text UUIDs made by the caller; money is INTEGER minor
-- units; dates are "yyyy-MM-dd" text; time stamps ISO 8601 UTC text; flags 0/1;
-- enumerations their text form. Optional references are NULL when empty.
-- Synchronised tables carry version, sync_status, server_id, created_at,
-- updated_at and deleted_at (set by a soft delete).

CREATE TABLE accounts (
    id TEXT NOT NULL PRIMARY KEY,
    name TEXT NOT NULL DEFAULT '',
    account_type TEXT NOT NULL DEFAULT 'checking',
    currency TEXT NOT NULL DEFAULT 'USD',
    institution TEXT NOT NULL DEFAULT '',
    account_number_last4 TEXT NOT NULL DEFAULT '',
    starting_balance INTEGER NOT NULL DEFAULT 0,
    sort_order INTEGER NOT NULL DEFAULT 0,
    is_shared INTEGER NOT NULL DEFAULT 0,
    version INTEGER NOT NULL DEFAULT 1,
    sync_status TEXT NOT NULL DEFAULT 'pending',
    server_id TEXT,
    created_at TEXT NOT NULL DEFAULT '',
    updated_at TEXT NOT NULL DEFAULT '',
    deleted_at TEXT
);

CREATE TABLE categories (
    id TEXT NOT NULL PRIMARY KEY,
    name TEXT NOT NULL DEFAULT '',
    category_type TEXT NOT NULL DEFAULT 'expense',
    parent_id TEXT REFERENCES categories (id),
    is_tax_relevant INTEGER NOT NULL DEFAULT 0,
    tax_category TEXT NOT NULL DEFAULT '',
    icon TEXT NOT NULL DEFAULT '',
    color TEXT NOT NULL DEFAULT '',
    is_default INTEGER NOT NULL DEFAULT 0,
    -- Not a foreign key: a category may arrive from sync before its account.
    account_id TEXT,
    version INTEGER NOT NULL DEFAULT 1,
    sync_status TEXT NOT NULL DEFAULT 'pending',
    server_id TEXT,
    created_at TEXT NOT NULL DEFAULT '',
    updated_at TEXT NOT NULL DEFAULT '',
    deleted_at TEXT
);

-- Keeps its implicit rowid: the full-text index is joined on it.
CREATE TABLE transactions (
    id TEXT NOT NULL PRIMARY KEY,
    account_id TEXT NOT NULL REFERENCES accounts (id),
    date TEXT NOT NULL DEFAULT '',
    payee TEXT NOT NULL DEFAULT '',
    memo TEXT NOT NULL DEFAULT '',
    amount INTEGER NOT NULL DEFAULT 0,
    category_id TEXT REFERENCES categories (id),
    check_number TEXT NOT NULL DEFAULT '',
    cleared INTEGER NOT NULL DEFAULT 0,
    reconciled INTEGER NOT NULL DEFAULT 0,
    -- The other leg of a transfer and its account, and the recurring record a
    -- transaction was posted from: no foreign keys, either side may be gone.
    transfer_link_id TEXT,
    transfer_dest_account_id TEXT,
    is_split INTEGER NOT NULL DEFAULT 0,
    recurring_id TEXT,
    version INTEGER NOT NULL DEFAULT 1,
    sync_status TEXT NOT NULL DEFAULT 'pending',
    server_id TEXT,
    created_at TEXT NOT NULL DEFAULT '',
    updated_at TEXT NOT NULL DEFAULT '',
    deleted_at TEXT
);

-- Split lines travel with their transaction and carry no sync columns.
CREATE TABLE split_lines (
    id TEXT NOT NULL PRIMARY KEY,
    transaction_id TEXT NOT NULL REFERENCES transactions (id),
    category_id TEXT,
    amount INTEGER NOT NULL DEFAULT 0,
    memo TEXT NOT NULL DEFAULT '',
    created_at TEXT NOT NULL DEFAULT '',
    updated_at TEXT NOT NULL DEFAULT ''
);

-- User preferences as text, read with a default; they stay on the device.
CREATE TABLE preferences (
    key TEXT NOT NULL PRIMARY KEY,
    value TEXT NOT NULL DEFAULT ''
);

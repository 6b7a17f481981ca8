-- account_id has no foreign key: a recurring record whose account is gone
-- stays listed so the user can see and remove it.
CREATE TABLE recurring_transactions (
    id TEXT NOT NULL PRIMARY KEY,
    account_id TEXT NOT NULL DEFAULT '',
    payee TEXT NOT NULL DEFAULT '',
    memo TEXT NOT NULL DEFAULT '',
    amount INTEGER NOT NULL DEFAULT 0,
    category_id TEXT,
    frequency TEXT NOT NULL DEFAULT 'monthly',
    start_date TEXT NOT NULL DEFAULT '',
    end_date TEXT,
    next_due_date TEXT NOT NULL DEFAULT '',
    auto_post INTEGER NOT NULL DEFAULT 0,
    is_active INTEGER NOT NULL DEFAULT 1,
    transfer_dest_account_id TEXT,
    version INTEGER NOT NULL DEFAULT 1,
    sync_status TEXT NOT NULL DEFAULT 'pending',
    server_id TEXT,
    created_at TEXT NOT NULL DEFAULT '',
    updated_at TEXT NOT NULL DEFAULT '',
    deleted_at TEXT
);

CREATE TABLE reconciliations (
    id TEXT NOT NULL PRIMARY KEY,
    account_id TEXT NOT NULL REFERENCES accounts (id),
    statement_date TEXT NOT NULL DEFAULT '',
    statement_balance INTEGER NOT NULL DEFAULT 0,
    reconciled_balance INTEGER NOT NULL DEFAULT 0,
    completed_at TEXT NOT NULL DEFAULT '',
    version INTEGER NOT NULL DEFAULT 1,
    sync_status TEXT NOT NULL DEFAULT 'pending',
    server_id TEXT,
    created_at TEXT NOT NULL DEFAULT '',
    updated_at TEXT NOT NULL DEFAULT '',
    deleted_at TEXT
);

-- Indexes for the hot paths: the register (one account by date), payee lists
-- and completion, category look-ups, split lines of a transaction, the sync
-- engine's pending rows and server-id matching. Server ids are not UNIQUE:
-- a duplicate sent by the server must not make a write fail.

CREATE INDEX idx_transactions_account_date ON transactions (account_id, date, created_at);
-- Covers the balance of every account (all, cleared, or up to a date) so the
-- sidebar sums from the index alone.
CREATE INDEX idx_transactions_balance ON transactions (account_id, deleted_at, cleared, reconciled, date, amount);
-- Partial and covering for the live payee list (deleted_at is there only so
-- that SQLite sees the index as covering).
CREATE INDEX idx_transactions_payee ON transactions (payee, deleted_at) WHERE deleted_at IS NULL;
CREATE INDEX idx_transactions_category ON transactions (category_id);
CREATE INDEX idx_transactions_server_id ON transactions (server_id);
CREATE INDEX idx_transactions_pending ON transactions (sync_status) WHERE sync_status = 'pending';

CREATE INDEX idx_split_lines_transaction ON split_lines (transaction_id);

CREATE INDEX idx_categories_parent ON categories (parent_id);
CREATE INDEX idx_categories_server_id ON categories (server_id);

CREATE INDEX idx_accounts_server_id ON accounts (server_id);

CREATE INDEX idx_recurring_account ON recurring_transactions (account_id);
CREATE INDEX idx_recurring_server_id ON recurring_transactions (server_id);

CREATE INDEX idx_reconciliations_account_date ON reconciliations (account_id, statement_date);
CREATE INDEX idx_reconciliations_server_id ON reconciliations (server_id);

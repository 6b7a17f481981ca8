-- A smaller file: each index of transactions costs bytes on every row.
-- The register (one account by date) and the balances (one account's sum)
-- share one index that begins with the account and covers the sum; the
-- category index served only a rare search filter. Server ids are matched
-- only when set, so rows never synced stay out of that index. The full-text
-- index reads its text from transactions instead of keeping a copy, and keeps
-- no column sizes (nothing ranks by them).

DROP INDEX idx_transactions_account_date;
DROP INDEX idx_transactions_balance;
DROP INDEX idx_transactions_category;
CREATE INDEX idx_transactions_account
    ON transactions (account_id, date, created_at, deleted_at, cleared, reconciled, amount);

DROP INDEX idx_transactions_server_id;
CREATE INDEX idx_transactions_server_id ON transactions (server_id) WHERE server_id IS NOT NULL;

DROP TRIGGER transactions_fts_after_insert;
DROP TRIGGER transactions_fts_after_delete;
DROP TRIGGER transactions_fts_after_update;
DROP TABLE transactions_fts;

-- An external-content index is told the old text of a row to remove it, so
-- rows are still written with INSERT and UPDATE only (never INSERT OR
-- REPLACE, which deletes without firing the delete trigger).
CREATE VIRTUAL TABLE transactions_fts USING fts5(
    payee, memo, check_number, content = 'transactions', content_rowid = 'rowid', columnsize = 0);

CREATE TRIGGER transactions_fts_after_insert AFTER INSERT ON transactions
BEGIN
    INSERT INTO transactions_fts (rowid, payee, memo, check_number)
    VALUES (new.rowid, new.payee, new.memo, new.check_number);
END;

CREATE TRIGGER transactions_fts_after_delete AFTER DELETE ON transactions
BEGIN
    INSERT INTO transactions_fts (transactions_fts, rowid, payee, memo, check_number)
    VALUES ('delete', old.rowid, old.payee, old.memo, old.check_number);
END;

CREATE TRIGGER transactions_fts_after_update AFTER UPDATE ON transactions
WHEN old.rowid IS NOT new.rowid
  OR old.payee IS NOT new.payee
  OR old.memo IS NOT new.memo
  OR old.check_number IS NOT new.check_number
BEGIN
    INSERT INTO transactions_fts (transactions_fts, rowid, payee, memo, check_number)
    VALUES ('delete', old.rowid, old.payee, old.memo, old.check_number);
    INSERT INTO transactions_fts (rowid, payee, memo, check_number)
    VALUES (new.rowid, new.payee, new.memo, new.check_number);
END;

INSERT INTO transactions_fts (transactions_fts) VALUES ('rebuild');

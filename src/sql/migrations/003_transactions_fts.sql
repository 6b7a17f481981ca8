-- Full-text index over the searchable fields of transactions, keyed by the
-- transactions' rowid and kept in step by triggers. Rows are written with
-- INSERT and UPDATE only: INSERT OR REPLACE would delete without firing the
-- delete trigger and leave stale entries behind.
CREATE VIRTUAL TABLE transactions_fts USING fts5(payee, memo, check_number);

CREATE TRIGGER transactions_fts_after_insert AFTER INSERT ON transactions
BEGIN
    INSERT INTO transactions_fts (rowid, payee, memo, check_number)
    VALUES (new.rowid, new.payee, new.memo, new.check_number);
END;

CREATE TRIGGER transactions_fts_after_delete AFTER DELETE ON transactions
BEGIN
    DELETE FROM transactions_fts WHERE rowid = old.rowid;
END;

-- Edits that leave the indexed text alone (cleared flags, sync state) skip
-- the index.
CREATE TRIGGER transactions_fts_after_update AFTER UPDATE ON transactions
WHEN old.rowid IS NOT new.rowid
  OR old.payee IS NOT new.payee
  OR old.memo IS NOT new.memo
  OR old.check_number IS NOT new.check_number
BEGIN
    DELETE FROM transactions_fts WHERE rowid = old.rowid;
    INSERT INTO transactions_fts (rowid, payee, memo, check_number)
    VALUES (new.rowid, new.payee, new.memo, new.check_number);
END;

INSERT INTO transactions_fts (rowid, payee, memo, check_number)
SELECT rowid, payee, memo, check_number FROM transactions;

-- Each account's sums of its live transactions, all of them and the cleared
-- ones (a reconciled transaction counts as cleared), kept by triggers on
-- every write. An account's balance then costs one row to read instead of a
-- pass over all its transactions: an edit in a register of 20,000 rows no
-- longer sums the 20,000 to show the sidebar's figure. Dates are not kept:
-- the balance as of today subtracts the few rows dated later.
--
-- Sums that pass 64 bits turn into floating point here, where SUM() would
-- fail; readers check for an integer and sum the rows themselves otherwise.
-- The sums have no declared type, so that floating point stays floating
-- point: an INTEGER column would store a rounded figure that came back into
-- range as an integer that looks exact.

CREATE TABLE account_totals (
    account_id TEXT NOT NULL PRIMARY KEY,
    current NOT NULL DEFAULT 0,
    cleared NOT NULL DEFAULT 0
) WITHOUT ROWID;

-- SUM() stops the whole script on a sum past 64 bits, which would leave such
-- a file unopenable. Every account is first counted in floating point; those
-- whose amounts cannot reach 64 bits in any order are then summed exactly, and
-- the others keep the floating-point marks that send readers to the rows.
INSERT INTO account_totals (account_id, current, cleared)
SELECT account_id, TOTAL(amount), TOTAL(CASE WHEN cleared = 1 OR reconciled = 1 THEN amount ELSE 0 END)
FROM transactions WHERE deleted_at IS NULL GROUP BY account_id;

UPDATE account_totals
SET current = (SELECT SUM(t.amount) FROM transactions t
               WHERE t.account_id = account_totals.account_id AND t.deleted_at IS NULL),
    cleared = (SELECT SUM(CASE WHEN t.cleared = 1 OR t.reconciled = 1 THEN t.amount ELSE 0 END)
               FROM transactions t WHERE t.account_id = account_totals.account_id AND t.deleted_at IS NULL)
WHERE (SELECT TOTAL(abs(CAST(t.amount AS REAL))) FROM transactions t
       WHERE t.account_id = account_totals.account_id AND t.deleted_at IS NULL) < 9.0e18;

CREATE TRIGGER account_totals_after_insert AFTER INSERT ON transactions
WHEN new.deleted_at IS NULL
BEGIN
    INSERT INTO account_totals (account_id, current, cleared)
    VALUES (new.account_id, new.amount,
            CASE WHEN new.cleared = 1 OR new.reconciled = 1 THEN new.amount ELSE 0 END)
    ON CONFLICT (account_id) DO UPDATE
        SET current = current + excluded.current, cleared = cleared + excluded.cleared;
END;

CREATE TRIGGER account_totals_after_delete AFTER DELETE ON transactions
WHEN old.deleted_at IS NULL
BEGIN
    UPDATE account_totals
    SET current = current - old.amount,
        cleared = cleared - CASE WHEN old.cleared = 1 OR old.reconciled = 1 THEN old.amount ELSE 0 END
    WHERE account_id = old.account_id;
END;

-- Takes the row's old part out and puts its new part in, so that a moved,
-- deleted, restored, cleared or re-priced row is counted where it now is.
CREATE TRIGGER account_totals_after_update AFTER UPDATE OF account_id, amount, cleared, reconciled, deleted_at
ON transactions
WHEN old.account_id IS NOT new.account_id
  OR old.amount IS NOT new.amount
  OR old.cleared IS NOT new.cleared
  OR old.reconciled IS NOT new.reconciled
  OR (old.deleted_at IS NULL) != (new.deleted_at IS NULL)
BEGIN
    UPDATE account_totals
    SET current = current - old.amount,
        cleared = cleared - CASE WHEN old.cleared = 1 OR old.reconciled = 1 THEN old.amount ELSE 0 END
    WHERE old.deleted_at IS NULL AND account_id = old.account_id;
    INSERT INTO account_totals (account_id, current, cleared)
    SELECT new.account_id, new.amount,
           CASE WHEN new.cleared = 1 OR new.reconciled = 1 THEN new.amount ELSE 0 END
    WHERE new.deleted_at IS NULL
    ON CONFLICT (account_id) DO UPDATE
        SET current = current + excluded.current, cleared = cleared + excluded.cleared;
END;

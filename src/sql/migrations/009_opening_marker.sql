-- An account's opening-balance row was known only by its payee, the text
-- "Opening Balance" in the language it was made in. Renaming that payee lost
-- the row, and editing the account then added a second one. The mark says
-- what the row is, whatever its payee becomes. It stays on this device: a
-- row pulled from elsewhere carries none, and is still found by its payee
-- until it is marked here.
ALTER TABLE transactions ADD COLUMN is_opening INTEGER NOT NULL DEFAULT 0;

-- The rows the payee rule finds today: each account's oldest live row with
-- the opening payee in one of the five languages and no category, transfer
-- or split lines. Neither the time stamps nor the sync status change: the
-- rows are the same to every other device.
UPDATE transactions SET is_opening = 1
WHERE id IN (
    SELECT (SELECT t.id FROM transactions t
            WHERE t.account_id = a.id AND t.deleted_at IS NULL
              AND t.payee IN ('Opening Balance', 'Saldo inicial', 'Anfangssaldo', 'Solde initial', '開始残高')
              AND IFNULL(t.category_id, '') = '' AND IFNULL(t.transfer_dest_account_id, '') = ''
              AND t.is_split = 0
            ORDER BY t.date, t.created_at LIMIT 1)
    FROM accounts a
);

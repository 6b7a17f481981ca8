-- Rows wait with sync_status 'pending' until they reach the server: on a
-- device that never signs in, that is every row, so the pending index is as
-- long as the table. A partial index serves the pending query whichever
-- column it holds; is_split (0 or 1, stored in no bytes) keeps each entry to
-- little more than its row id, where 'pending' itself cost eight bytes more.

DROP INDEX idx_transactions_pending;
CREATE INDEX idx_transactions_pending ON transactions (is_split) WHERE sync_status = 'pending';

-- A search reads the category path of every row that matches before it keeps
-- the newest 200: a common word at a million transactions looks up the
-- category and its parent a few hundred thousand times. The primary key of a
-- text id is an index pointing at the table, so each look-up read both; this
-- index holds what the path needs (whether the category is live, its parent
-- and its name) and answers from itself.
CREATE INDEX idx_categories_path ON categories (id, deleted_at, parent_id, name);

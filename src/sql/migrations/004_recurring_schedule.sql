-- Schedule details of recurring records: days posted ahead, every n-th
-- period, and the two days of a semi-monthly schedule (0 = last day).
ALTER TABLE recurring_transactions ADD COLUMN lead_days INTEGER NOT NULL DEFAULT 0;
ALTER TABLE recurring_transactions ADD COLUMN interval_count INTEGER NOT NULL DEFAULT 1;
ALTER TABLE recurring_transactions ADD COLUMN semimonthly_day_1 INTEGER NOT NULL DEFAULT 1;
ALTER TABLE recurring_transactions ADD COLUMN semimonthly_day_2 INTEGER NOT NULL DEFAULT 15;

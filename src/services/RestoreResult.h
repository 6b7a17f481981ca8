#pragma once

#include <QStringList>

// What a backup restore does with a row whose id already exists locally. A
// row whose id does not exist is inserted in every mode.
enum class RestoreMode
{
    SkipExisting = 0,
    Overwrite = 1,
    // Overwrite only when the backup's updated_at is not empty and later
    // than the stored one (as date-times when both read as one, else as text).
    KeepNewer = 2,
};

// Rows written and rows skipped per table, and what went wrong (one text per
// failed row or archive problem).
struct RestoreResult
{
    int accountsRestored = 0;
    int categoriesRestored = 0;
    int transactionsRestored = 0;
    int splitLinesRestored = 0;
    int recurringRestored = 0;
    int reconciliationsRestored = 0;

    int accountsSkipped = 0;
    int categoriesSkipped = 0;
    int transactionsSkipped = 0;
    int splitLinesSkipped = 0;
    int recurringSkipped = 0;
    int reconciliationsSkipped = 0;

    QStringList errors;
    // Errors beyond the first MaxListedErrors are only counted.
    int unlistedErrors = 0;
    // Cancelled: nothing was written.
    bool cancelled = false;

    static constexpr int MaxListedErrors = 1000;

    int errorCount() const { return int(errors.size()) + unlistedErrors; }

    int totalRestored() const
    {
        return accountsRestored + categoriesRestored + transactionsRestored + splitLinesRestored +
               recurringRestored + reconciliationsRestored;
    }
    int totalSkipped() const
    {
        return accountsSkipped + categoriesSkipped + transactionsSkipped + splitLinesSkipped +
               recurringSkipped + reconciliationsSkipped;
    }
};

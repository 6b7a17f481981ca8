#pragma once

#include "StoredKey.h"

// What a new value of a preference changes on screen while the program runs.
// Every key says, so that a key added later is applied at once or says why
// it is not.
enum class PreferenceUse
{
    Register,      // the register and the View menu's marks are read again
    AccountList,   // the account list's balances and the View menu's marks are read again
    SetterApplies, // whoever sets it applies it at once (ThemeManager, the entry flag)
    Stored,        // read where it is used; nothing shown follows it
};

struct PreferenceKeys;
using PreferenceKey = StoredKey<PreferenceKeys, PreferenceUse>;

// Every key of the database's `preferences` table, with its use and its
// default. Flags default to "0" or "1", as setBool writes them.
struct PreferenceKeys
{
    using enum PreferenceUse;

    // Appearance and entry. The theme also gives the register its colours.
    static constexpr PreferenceKey Theme{"theme", Register, "system"};
    static constexpr PreferenceKey AccentColor{"accentColor", SetterApplies, "#00897B"};
    static constexpr PreferenceKey FontScale{"fontScale", SetterApplies, "100"};
    // No default: the week then starts as the system locale has it.
    static constexpr PreferenceKey WeekStartDay{"weekStartDay", Register};
    static constexpr PreferenceKey AmountAutoDecimal{"amountAutoDecimal", SetterApplies, "0"};

    // Register and account list.
    static constexpr PreferenceKey RegisterTwoLine{"registerTwoLine", Register, "0"};
    static constexpr PreferenceKey RegisterNewestFirst{"registerNewestFirst", Register, "0"};
    static constexpr PreferenceKey RegisterShowBalance{"registerShowBalance", Register, "1"};
    static constexpr PreferenceKey DashboardBalanceMode{"dashboardBalanceMode", AccountList, "current"};
    static constexpr PreferenceKey LastAccountId{"lastAccountId", Stored};
    // The CSV mapping and date format of the last import.
    static constexpr PreferenceKey ImportCsvSettings{"importCsvSettings", Stored};

    // Sync.
    static constexpr PreferenceKey SyncCursor{"syncCursor", Stored};
    static constexpr PreferenceKey SyncCursorUser{"syncCursorUser", Stored};
    static constexpr PreferenceKey SyncApplyRetry{"syncApplyRetry", Stored};
    static constexpr PreferenceKey LastSyncTimestamp{"lastSyncTimestamp", Stored};

    // Start-up.
    static constexpr PreferenceKey LastIntegrityCheck{"lastIntegrityCheck", Stored};
    static constexpr PreferenceKey UpdateDismissedVersion{"update_dismissed_version", Stored};
};

#pragma once

#include "StoredKey.h"

struct PreferenceKeys;
using PreferenceKey = StoredKey<PreferenceKeys>;

// Every key of the database's `preferences` table, with its default. Flags
// default to "0" or "1", as setBool writes them.
struct PreferenceKeys
{
    // Appearance and entry.
    static constexpr PreferenceKey Theme{"theme", "system"};
    static constexpr PreferenceKey AccentColor{"accentColor", "#00897B"};
    static constexpr PreferenceKey FontScale{"fontScale", "100"};
    // No default: the week then starts as the system locale has it.
    static constexpr PreferenceKey WeekStartDay{"weekStartDay"};
    static constexpr PreferenceKey AmountAutoDecimal{"amountAutoDecimal", "0"};

    // Register and account list.
    static constexpr PreferenceKey RegisterTwoLine{"registerTwoLine", "0"};
    static constexpr PreferenceKey RegisterNewestFirst{"registerNewestFirst", "0"};
    static constexpr PreferenceKey RegisterShowBalance{"registerShowBalance", "1"};
    static constexpr PreferenceKey DashboardBalanceMode{"dashboardBalanceMode", "current"};
    static constexpr PreferenceKey LastAccountId{"lastAccountId"};
    // The CSV mapping and date format of the last import.
    static constexpr PreferenceKey ImportCsvSettings{"importCsvSettings"};

    // Sync.
    static constexpr PreferenceKey SyncCursor{"syncCursor"};
    static constexpr PreferenceKey SyncCursorUser{"syncCursorUser"};
    static constexpr PreferenceKey SyncApplyRetry{"syncApplyRetry"};
    static constexpr PreferenceKey LastSyncTimestamp{"lastSyncTimestamp"};

    // Start-up.
    static constexpr PreferenceKey LastIntegrityCheck{"lastIntegrityCheck"};
    static constexpr PreferenceKey UpdateDismissedVersion{"update_dismissed_version"};
};

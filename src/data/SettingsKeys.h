#pragma once

#include "StoredKey.h"

struct SettingsKeys;
using SettingsKey = StoredKey<SettingsKeys>;

// Every key the program keeps in the platform settings store (QSettings). They
// live here, below every library that reads one, though the core itself reads
// none.
struct SettingsKeys
{
    static constexpr SettingsKey Language{"ui/language", "system"};
    // Written on every sign-in as the record that this user profile has
    // signed in on this computer; the program itself reads it nowhere.
    static constexpr SettingsKey HasSignedInBefore{"auth/hasSignedInBefore"};
    static constexpr SettingsKey WhatsNewLastShownVersion{"whatsNew/lastShownVersion"};

    static constexpr SettingsKey MainWindowGeometry{"mainWindow/geometry"};
    static constexpr SettingsKey MainWindowSplitter{"mainWindow/splitter"};

    static constexpr SettingsKey RegisterSortColumn{"register/sortColumn"};
    static constexpr SettingsKey RegisterSortOrder{"register/sortOrder"};
    static constexpr SettingsKey RegisterHeaderState{"register/headerState"};
    static constexpr SettingsKey RegisterColumnWidths{"register/columnWidths"};
};

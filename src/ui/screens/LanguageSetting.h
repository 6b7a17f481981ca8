#pragma once

#include <QString>

// The user-interface language as the platform settings keep it (SettingsKeys::Language,
// "system" when nothing is stored). The program reads it at start-up to load
// its translations; the settings screen writes it here rather than reaching up
// to the application.
namespace LanguageSetting {

QString stored();
void store(const QString &code);

// The language the program speaks in this run ("en", "de", ...): set once its
// translations are loaded, as a setting changed since applies at the next start.
QString inUse();
void setInUse(const QString &code);

} // namespace LanguageSetting

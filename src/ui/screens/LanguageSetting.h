#pragma once

#include <QString>

// The user-interface language as the platform settings keep it (SettingsKeys::Language,
// "system" when nothing is stored). The program reads it at start-up to load
// its translations; the settings screen writes it here rather than reaching up
// to the application.
namespace LanguageSetting {

QString stored();
void store(const QString &code);

} // namespace LanguageSetting

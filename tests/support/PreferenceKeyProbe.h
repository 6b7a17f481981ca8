#pragma once

#include "PreferenceKeys.h"

#include <QString>
#include <set>
#include <string>

// Makes the keys the program keeps in its own tables, for tests.
struct StoredKeyProbe
{
    // Of use Stored: what the program does on a change of it is tested with
    // its own key.
    static PreferenceKey key(const char *name) { return PreferenceKey(name, PreferenceUse::Stored); }
};

// A preference key as the users' database files hold it, spelled out so that
// a key renamed in PreferenceKeys fails the test that stores or reads it.
inline PreferenceKey preferenceKey(const QString &name)
{
    // Each name's bytes outlive every key made from them.
    static std::set<std::string> names;
    return StoredKeyProbe::key(names.insert(name.toStdString()).first->c_str());
}

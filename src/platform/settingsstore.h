#pragma once

#include <QString>

// The per-user settings store of one program, section "Settings": the registry on Windows, an
// INI file in the user's configuration folder elsewhere, where Qt puts them.
class SettingsStore
{
public:
    SettingsStore(const QString &organization, const QString &application);

    // "" when the key is absent or the store cannot be read.
    QString value(const QString &key) const;
    // False when the value could not be stored. A save that fails leaves the store as it was.
    bool save(const QString &key, const QString &value) const;

private:
    // Where the program's values lie in the store.
    static inline const QString Section = QStringLiteral("Settings/");

    QString organization;
    QString application;
};

#include "platform/settingsstore.h"

#include <QSettings>

SettingsStore::SettingsStore(const QString &organization, const QString &application)
    : organization(organization)
    , application(application)
{
}

QString SettingsStore::value(const QString &key) const
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, organization, application)
        .value(Section + key)
        .toString();
}

#include "platform/settingsstore.h"

#include <QSettings>

bool SettingsStore::save(const QString &key, const QString &value) const
{
    // The registry writes each value whole or not at all.
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, organization, application);
    store.setValue(Section + key, value);
    store.sync();
    return store.status() == QSettings::NoError;
}

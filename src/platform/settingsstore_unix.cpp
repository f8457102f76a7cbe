#include "platform/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>

#include <cstdio>

namespace {

QSettings::SettingsMap contents(const QSettings &settings)
{
    QSettings::SettingsMap map;
    for (const QString &key : settings.allKeys())
        map.insert(key, settings.value(key));
    return map;
}

} // namespace

// Qt's own save renames its new file over the store even when writing that file failed: on a
// full disk the store ends up empty. So Qt writes a copy beside the store, and the copy takes
// the store's place, in one rename, only once it reads back whole.
bool SettingsStore::save(const QString &key, const QString &value) const
{
    const QSettings store(QSettings::NativeFormat, QSettings::UserScope, organization, application);
    const QString path = store.fileName();
    const QFileInfo file(path);
    if (!QDir().mkpath(file.path()) || (file.exists() && (!file.isFile() || !file.isWritable())))
        return false;
    QSettings::SettingsMap expected = contents(store);
    expected.insert(Section + key, value);

    QTemporaryFile copy(path + QStringLiteral(".XXXXXX")); // removed again unless it takes over
    if (!copy.open())
        return false;
    copy.close();
    {
        QSettings written(copy.fileName(), QSettings::IniFormat);
        for (auto entry = expected.cbegin(); entry != expected.cend(); ++entry)
            written.setValue(entry.key(), entry.value());
        written.sync();
        if (written.status() != QSettings::NoError)
            return false;
    }
    // A new name each time, so this reads the disk and not what Qt remembers of the file.
    if (contents(QSettings(copy.fileName(), QSettings::IniFormat)) != expected)
        return false;
    if (std::rename(QFile::encodeName(copy.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return false;
    copy.setAutoRemove(false);
    return true;
}

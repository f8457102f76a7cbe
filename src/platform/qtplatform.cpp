#include "platform/qtplatform.h"

#include "platform/instancelock.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include <chrono>

namespace {
const QString Section = QStringLiteral("Settings");
const QString Organization = QStringLiteral("Quillmoor");
} // namespace

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

QMessageBox::StandardButton QtPlatform::message(const QString &text, QMessageBox::Icon icon,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton)
{
    // Parented to the active window so that the box stays above it (the exit screen is
    // topmost) and is centred on it; application modal either way.
    QMessageBox box(icon, QString::fromLatin1(ApplicationTitle), text, buttons,
                    QApplication::activeWindow());
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void QtPlatform::openInBrowser(const QString &address)
{
    // TolerantMode keeps percent escapes as they are and encodes only what must be.
    QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
}

bool QtPlatform::previousInstanceRunning()
{
    if (!instanceLock) {
        instanceLock = std::make_unique<QLockFile>(instanceLockPath(programName()));
        anotherInstance = !takeInstanceLock(*instanceLock);
    }
    return anotherInstance;
}

std::unique_ptr<QSettings> QtPlatform::store()
{
    auto settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                Organization, programName());
    settings->beginGroup(Section);
    return settings;
}

QString QtPlatform::setting(const QString &key)
{
    return store()->value(key).toString();
}

bool QtPlatform::saveSetting(const QString &key, const QString &value)
{
    // No isWritable() first: sync() makes the same check, a trial file written and removed, and
    // reports it as an AccessError; asking twice would write that trial file twice.
    auto settings = store();
    settings->setValue(key, value);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

QDate QtPlatform::today()
{
    return QDate::currentDate();
}

void QtPlatform::seedRandom()
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    generator.seed(static_cast<std::mt19937::result_type>(ticks));
}

float QtPlatform::nextRandom()
{
    // 24 random bits scaled by 2^-24 fill a float's mantissa exactly, so the result is always
    // below 1 (std::uniform_real_distribution<float> can round up to 1.0).
    return static_cast<float>(generator() >> 8) * 0x1p-24f;
}

void QtPlatform::endProcess()
{
    QCoreApplication::exit(0);
}

QString QtPlatform::programName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

#include "platform/qtplatform.h"

#include "platform/instancelock.h"
#include "platform/settingsstore.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

#include <chrono>
#include <limits>

#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
#include <unistd.h>
#endif

namespace {
const QString Organization = QStringLiteral("Quillmoor");

// A lone carriage return breaks the line in a system message box, and the program's texts rely
// on that. A Qt label that is not selectable, as on Windows, draws it as a space instead, so it
// gets a line feed.
QString messageText(QString text)
{
    static const QRegularExpression loneReturn(QStringLiteral("\r(?!\n)"));
    return text.replace(loneReturn, QStringLiteral("\n"));
}
} // namespace

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

QMessageBox::StandardButton QtPlatform::message(const QString &text, QMessageBox::Icon icon,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton)
{
    // Parented to the active window so that the box stays above it (the exit screen is
    // topmost) and is centred on it; application modal either way.
    QMessageBox box(icon, QString::fromLatin1(ApplicationTitle), messageText(text), buttons,
                    QApplication::activeWindow());
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void QtPlatform::openInBrowser(const QString &address)
{
    // TolerantMode keeps percent escapes as they are and encodes only what must be.
    QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
}

bool QtPlatform::browserTakes(const QString &address)
{
#if defined(Q_OS_WIN)
    // Windows' shell copies an address into a buffer of INTERNET_MAX_URL_LENGTH characters, the
    // closing zero included (2083 characters), and starts the browser with a command line of up
    // to 32767. Wine's shell is the narrower: it copies the address after the 52-character
    // "App Paths" key into a stack buffer of 1024 characters, closing zero included. A longer
    // address overruns it and arrives by luck, arrives empty (from 985, when the browser's
    // command line outgrows another such buffer) or crashes the program (from 999).
    const qsizetype longest = 1024 - 52 - 1;
#elif defined(Q_OS_MACOS)
    // Launch Services takes the address itself, not a command line.
    const qsizetype longest = std::numeric_limits<qsizetype>::max();
#else
    // xdg-open gets the address as one argument, and Linux refuses an argument of more than 32
    // pages, its closing zero included: 131071 bytes with pages of 4 KiB.
    const qsizetype longest = 32 * qsizetype(::sysconf(_SC_PAGESIZE)) - 1;
#endif
    // As openInBrowser hands it on: percent-encoded, one byte a character.
    return QUrl(address, QUrl::TolerantMode).toEncoded().size() <= longest;
}

bool QtPlatform::previousInstanceRunning()
{
    if (!instanceLock) {
        instanceLock = std::make_unique<InstanceLock>(programName());
        anotherInstance = !instanceLock->take();
    }
    return anotherInstance;
}

QString QtPlatform::setting(const QString &key)
{
    return SettingsStore(Organization, programName()).value(key);
}

bool QtPlatform::saveSetting(const QString &key, const QString &value)
{
    return SettingsStore(Organization, programName()).save(key, value);
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

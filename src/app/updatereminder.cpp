#include "app/updatereminder.h"

#include "platform/platform.h"
#include "web/modhelp.h"

namespace {
const QString DurationKey = QStringLiteral("Duration");
constexpr qint64 ReminderDays = 14;

// yyyy-MM-dd in ASCII digits, nothing before or after.
bool hasStoredDateShape(QStringView text)
{
    if (text.size() != 10)
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool dash = i == 4 || i == 7;
        if (dash ? text[i] != u'-' : (text[i] < u'0' || text[i] > u'9'))
            return false;
    }
    return true;
}
} // namespace

// Qt's ISO form is yyyy-MM-dd. A format string would do the same, but it brings in Qt's whole
// date-time parser and the locale's calendar code, some 130 KiB paged in at every start.
QString reminderDateText(QDate date)
{
    return date.toString(Qt::ISODate);
}

QDate reminderDateFromText(const QString &text)
{
    // The ISO reader alone is looser (any separator, text after the date).
    return hasStoredDateShape(text) ? QDate::fromString(text, Qt::ISODate) : QDate();
}

bool reminderDue(QDate lastOffer, QDate today)
{
    return qAbs(lastOffer.daysTo(today)) > ReminderDays;
}

bool reminderDateStored()
{
    return reminderDateFromText(platform().setting(DurationKey)).isValid();
}

void CheckUpdateReminder()
{
    const QDate today = platform().today();
    const QDate lastOffer = reminderDateFromText(platform().setting(DurationKey));
    // A value nobody can read is treated as a first start; kept, it would silence the
    // reminder for good.
    if (!lastOffer.isValid()) {
        platform().saveSetting(DurationKey, reminderDateText(today));
        return;
    }
    if (!reminderDue(lastOffer, today))
        return;
    const QMessageBox::StandardButton answer = platform().message(
        QStringLiteral("There maybe an update to this software available\r"
                       "Do you want to check for an update?"),
        QMessageBox::Information, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    // The offer counts as made before the browser is asked for anything. A store that cannot
    // be written only means the offer comes again next start; the user's Yes still stands.
    platform().saveSetting(DurationKey, reminderDateText(today));
    if (answer == QMessageBox::Yes)
        modHelp::OpenWebPage(QStringLiteral("download-web-page"));
}

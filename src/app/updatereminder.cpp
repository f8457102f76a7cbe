#include "app/updatereminder.h"

#include "app/platform.h"
#include "web/modhelp.h"

namespace {
const QString DurationKey = QStringLiteral("Duration");
const QString DateFormat = QStringLiteral("yyyy-MM-dd");
constexpr qint64 ReminderDays = 14;
} // namespace

QString reminderDateText(QDate date)
{
    return date.toString(DateFormat);
}

QDate reminderDateFromText(const QString &text)
{
    return QDate::fromString(text, DateFormat);
}

bool reminderDue(QDate lastOffer, QDate today)
{
    return qAbs(lastOffer.daysTo(today)) > ReminderDays;
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

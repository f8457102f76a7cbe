#include "app/updatereminder.h"

#include "support/fakeplatform.h"
#include "web/modhelp.h"

#include <QTest>

namespace {
const QString Question = QStringLiteral("There maybe an update to this software available\r"
                                        "Do you want to check for an update?");
const QString Asked = QStringLiteral("message:") + Question;
const QString Saved = QStringLiteral("save:Duration");
QString opened()
{
    return QStringLiteral("open:") + modHelp::WebPageAddress(QStringLiteral("download-web-page"));
}
} // namespace

class tst_UpdateReminder : public QObject
{
    Q_OBJECT

private slots:
    void storedDateText_data();
    void storedDateText();
    void reminder_data();
    void reminder();
    void question();
    void unreadableValueDoesNotSilenceTheReminder();
    void answeredOfferWaitsAnotherFifteenDays();
};

void tst_UpdateReminder::storedDateText_data()
{
    // Only the exact form that is written reads back; anything looser would be a guess.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    QTest::newRow("iso") << "2026-12-07" << QDate(2026, 12, 7);
    QTest::newRow("leap day") << "2028-02-29" << QDate(2028, 2, 29);
    QTest::newRow("no leap day") << "2027-02-29" << QDate();
    QTest::newRow("short month first") << "12/31/2026" << QDate();
    QTest::newRow("other separator") << "2026/12/07" << QDate();
    QTest::newRow("trailing text") << "2026-12-07x" << QDate();
    QTest::newRow("trailing space") << "2026-12-07 " << QDate();
    QTest::newRow("leading space") << " 2026-12-07" << QDate();
    QTest::newRow("unpadded month and day") << "2026-1-7" << QDate();
    QTest::newRow("signed year") << "+026-12-07" << QDate();
    QTest::newRow("five-digit year") << "02026-12-07" << QDate();
    QTest::newRow("non-ASCII digits") << QString::fromUtf8("٢٠٢٦-١٢-٠٧") << QDate();
    QTest::newRow("year below 1000") << "0999-01-01" << QDate(999, 1, 1);
    QTest::newRow("empty") << "" << QDate();
}

void tst_UpdateReminder::storedDateText()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QCOMPARE(reminderDateFromText(text), date);
    if (date.isValid())
        QCOMPARE(reminderDateText(date), text);
}

void tst_UpdateReminder::reminder_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QString>("storedAfter");

    const QDate day(2026, 12, 7);
    const auto No = QMessageBox::No;
    const auto Yes = QMessageBox::Yes;
    const QStringList quiet;
    const QStringList written{Saved};
    const QStringList askedNo{Asked, Saved};
    const QStringList askedYes{Asked, Saved, opened()};

    QTest::newRow("first start") << day << false << "" << true << No << written << "2026-12-07";
    QTest::newRow("empty value") << day << true << "" << true << No << written << "2026-12-07";
    QTest::newRow("garbage") << day << true << "garbage" << true << No << written << "2026-12-07";
    QTest::newRow("short format") << day << true << "31/12/2026" << true << No << written << "2026-12-07";
    QTest::newRow("no such date") << day << true << "2026-13-45" << true << No << written << "2026-12-07";
    QTest::newRow("same day") << day << true << "2026-12-07" << true << Yes << quiet << "2026-12-07";
    QTest::newRow("14 days before") << day << true << "2026-11-23" << true << Yes << quiet << "2026-11-23";
    QTest::newRow("14 days after") << day << true << "2026-12-21" << true << Yes << quiet << "2026-12-21";
    QTest::newRow("15 days before, No") << day << true << "2026-11-22" << true << No << askedNo << "2026-12-07";
    QTest::newRow("15 days after, No") << day << true << "2026-12-22" << true << No << askedNo << "2026-12-07";
    QTest::newRow("15 days before, Yes") << day << true << "2026-11-22" << true << Yes << askedYes << "2026-12-07";
    QTest::newRow("15 days after, Yes") << day << true << "2026-12-22" << true << Yes << askedYes << "2026-12-07";
    QTest::newRow("years before, Yes") << day << true << "2019-03-01" << true << Yes << askedYes << "2026-12-07";
    QTest::newRow("14 days over new year") << QDate(2027, 1, 4) << true << "2026-12-21" << true << Yes << quiet
                                           << "2026-12-21";
    QTest::newRow("15 days over new year") << QDate(2027, 1, 4) << true << "2026-12-20" << true << No << askedNo
                                           << "2027-01-04";
    // A store that cannot be written changes nothing the user sees, least of all their answer.
    QTest::newRow("unwritable, first start") << day << false << "" << false << No << written << "";
    QTest::newRow("unwritable, garbage") << day << true << "garbage" << false << No << written << "garbage";
    QTest::newRow("unwritable, Yes") << day << true << "2026-11-22" << false << Yes << askedYes << "2026-11-22";
    QTest::newRow("unwritable, No") << day << true << "2026-11-22" << false << No << askedNo << "2026-11-22";
}

void tst_UpdateReminder::reminder()
{
    QFETCH(QDate, today);
    QFETCH(bool, present);
    QFETCH(QString, stored);
    QFETCH(bool, writable);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QStringList, calls);
    QFETCH(QString, storedAfter);

    FakePlatform fake;
    fake.date = today;
    if (present)
        fake.store.insert(QStringLiteral("Duration"), stored);
    fake.storeWritable = writable;
    fake.answers = {answer};

    CheckUpdateReminder();

    QCOMPARE(fake.calls, calls);
    QCOMPARE(fake.store.value(QStringLiteral("Duration")), storedAfter);
    QCOMPARE(fake.addresses.size(), calls.contains(opened()) ? 1 : 0);
}

void tst_UpdateReminder::question()
{
    FakePlatform fake;
    fake.store.insert(QStringLiteral("Duration"), QStringLiteral("2026-01-01"));
    CheckUpdateReminder();

    QCOMPARE(fake.messages.size(), 1);
    const FakePlatform::Message &shown = fake.messages.first();
    QCOMPARE(shown.text, Question);
    QCOMPARE(shown.text.count(QLatin1Char('\r')), 1);
    QVERIFY(!shown.text.contains(QLatin1Char('\n')));
    QCOMPARE(shown.icon, QMessageBox::Information);
    QCOMPARE(shown.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(shown.defaultButton, QMessageBox::Yes);
    // Enter takes the default: the download page.
    QCOMPARE(fake.addresses, QStringList{modHelp::WebPageAddress(QStringLiteral("download-web-page"))});
}

void tst_UpdateReminder::unreadableValueDoesNotSilenceTheReminder()
{
    FakePlatform fake;
    fake.store.insert(QStringLiteral("Duration"), QStringLiteral("07.12.26"));
    CheckUpdateReminder();
    QVERIFY(fake.messages.isEmpty());

    fake.date = fake.date.addDays(15);
    CheckUpdateReminder();
    QCOMPARE(fake.messages.size(), 1);
}

void tst_UpdateReminder::answeredOfferWaitsAnotherFifteenDays()
{
    FakePlatform fake;
    fake.store.insert(QStringLiteral("Duration"), QStringLiteral("2026-01-01"));
    fake.answers = {QMessageBox::No, QMessageBox::No};
    for (int day = 0; day <= 15; ++day) {
        CheckUpdateReminder();
        fake.date = fake.date.addDays(1);
    }
    QCOMPARE(fake.messages.size(), 2);
    QCOMPARE(fake.store.value(QStringLiteral("Duration")), QStringLiteral("2026-12-22"));
    QVERIFY(fake.addresses.isEmpty());
}

QTEST_GUILESS_MAIN(tst_UpdateReminder)
#include "tst_updatereminder.moc"

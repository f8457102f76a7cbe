#include "app/frmnagscreen.h"

#include "support/fakeplatform.h"
#include "web/modhelp.h"

#include <QApplication>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTest>

class tst_frmNagScreen : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void secondInstanceIsTurnedAway();
    void firstInstanceShowsMainWindow();
    void reminderComesBeforeMainWindow_data();
    void reminderComesBeforeMainWindow();

private:
    static QWidget *mainWindow()
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->objectName() == QLatin1String("frmMain"))
                return window;
        return nullptr;
    }
};

void tst_frmNagScreen::cleanup()
{
    // Pick the windows first: deleting one deletes its popups, which the list also holds.
    QWidgetList windows = QApplication::topLevelWidgets();
    windows.removeIf([](const QWidget *window) { return window->parentWidget() != nullptr; });
    qDeleteAll(windows);
}

void tst_frmNagScreen::secondInstanceIsTurnedAway()
{
    FakePlatform fake;
    fake.anotherInstance = true;
    frmNagScreen startup;
    startup.Form_Load();

    QCOMPARE(fake.messages.size(), 1);
    QCOMPARE(fake.messages[0].text, QStringLiteral("Application is already running"));
    QCOMPARE(fake.messages[0].icon, QMessageBox::Information);
    QCOMPARE(fake.messages[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(fake.calls, QStringList({"instance", "message:Application is already running", "end"}));
    QVERIFY(!mainWindow());
}

void tst_frmNagScreen::firstInstanceShowsMainWindow()
{
    FakePlatform fake;
    frmNagScreen startup;
    startup.Form_Load();

    QVERIFY(fake.messages.isEmpty());
    QCOMPARE(fake.endCount, 0);
    QCOMPARE(fake.calls.mid(0, 2), QStringList({"instance", "seed"}));
    QWidget *window = mainWindow();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Vexmora v1.15"));
    QCOMPARE(window->findChild<QStackedWidget *>()->currentWidget()->objectName(), QStringLiteral("fraDetails"));
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(QApplication::focusWidget(), window->findChild<QLineEdit *>(QStringLiteral("txtName")));
    QCOMPARE(startup.IMGIcon.size(), 1);
    QVERIFY(!startup.IMGIcon[0].isNull());
}

void tst_frmNagScreen::reminderComesBeforeMainWindow_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("pageOpened");
    QTest::newRow("garbage stored") << "garbage" << true << QMessageBox::Yes << false << false;
    QTest::newRow("unwritable, nothing stored") << "" << false << QMessageBox::Yes << false << false;
    QTest::newRow("unwritable, due, Yes") << "2026-01-01" << false << QMessageBox::Yes << true << true;
    QTest::newRow("due, No") << "2026-01-01" << true << QMessageBox::No << true << false;
    QTest::newRow("due, Yes") << "2026-01-01" << true << QMessageBox::Yes << true << true;
}

void tst_frmNagScreen::reminderComesBeforeMainWindow()
{
    QFETCH(QString, stored);
    QFETCH(bool, writable);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, asked);
    QFETCH(bool, pageOpened);

    FakePlatform fake;
    fake.store.insert(QStringLiteral("Duration"), stored);
    fake.storeWritable = writable;
    fake.answers = {answer};
    bool mainWindowDuringQuestion = false;
    fake.whileMessageOpen = [&](const FakePlatform::Message &) {
        mainWindowDuringQuestion = mainWindow() && mainWindow()->isVisible();
    };
    frmNagScreen startup;
    startup.Form_Load();

    QCOMPARE(fake.messages.size(), asked ? 1 : 0);
    QVERIFY(!mainWindowDuringQuestion);
    const QStringList download{modHelp::WebPageAddress(QStringLiteral("download-web-page"))};
    QCOMPARE(fake.addresses, pageOpened ? download : QStringList());
    QCOMPARE(fake.endCount, 0);
    QWidget *window = mainWindow();
    QVERIFY(window);
    QVERIFY(window->isVisible());
}

QTEST_MAIN(tst_frmNagScreen)
#include "tst_frmnagscreen.moc"

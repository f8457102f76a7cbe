#include "app/frmnagscreen.h"

#include "app/endapplication.h"
#include "support/fakeplatform.h"
#include "ui/panelstack.h"
#include "web/modhelp.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
    void closingMainWindowShowsExitScreen_data();
    void closingMainWindowShowsExitScreen();
    void closingExitScreenEndsProcess_data();
    void closingExitScreenEndsProcess();
    void endingWithMainWindowOpenShowsNoExitScreen();

private:
    static QWidget *window(const char *name)
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->objectName() == QLatin1String(name))
                return window;
        return nullptr;
    }
    static QWidget *mainWindow() { return window("frmMain"); }
    static QWidget *exitScreen() { return window("frmNagScreen2"); }
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
    QVERIFY(QApplication::topLevelWidgets().isEmpty()); // no exit screen either
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
    QCOMPARE(window->findChild<PanelStack *>()->currentWidget()->objectName(), QStringLiteral("fraDetails"));
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
    QTest::addColumn<bool>("endedAtOnce"); // before the main window's first frame
    QTest::addColumn<QString>("storedAfter");
    const QString today = QStringLiteral("2026-12-07");
    QTest::newRow("garbage stored") << "garbage" << true << QMessageBox::Yes << false << false << false << today;
    QTest::newRow("nothing stored, ended at once") << "" << true << QMessageBox::Yes << false << false << true
                                                   << today;
    QTest::newRow("unwritable, nothing stored") << "" << false << QMessageBox::Yes << false << false << false << "";
    QTest::newRow("unwritable, due, Yes") << "2026-01-01" << false << QMessageBox::Yes << true << true << false
                                          << "2026-01-01";
    QTest::newRow("due, No") << "2026-01-01" << true << QMessageBox::No << true << false << false << today;
    QTest::newRow("due, Yes") << "2026-01-01" << true << QMessageBox::Yes << true << true << false << today;
}

void tst_frmNagScreen::reminderComesBeforeMainWindow()
{
    QFETCH(QString, stored);
    QFETCH(bool, writable);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, asked);
    QFETCH(bool, pageOpened);
    QFETCH(bool, endedAtOnce);
    QFETCH(QString, storedAfter);

    FakePlatform fake;
    fake.store.insert(QStringLiteral("Duration"), stored);
    fake.storeWritable = writable;
    fake.answers = {answer};
    bool mainWindowDuringQuestion = false;
    fake.whileMessageOpen = [&](const FakePlatform::Message &) {
        mainWindowDuringQuestion = mainWindow() && mainWindow()->isVisible();
    };
    {
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
        if (endedAtOnce)
            EndApplication();
        else
            QTRY_COMPARE(fake.store.value(QStringLiteral("Duration")), storedAfter);
    }
    QCOMPARE(fake.store.value(QStringLiteral("Duration")), storedAfter);
}

void tst_frmNagScreen::closingMainWindowShowsExitScreen_data()
{
    QTest::addColumn<int>("answered"); // -1: the test was not started
    QTest::addColumn<QString>("panel");
    QTest::newRow("details") << -1 << "fraDetails";
    QTest::newRow("in the middle of the test") << 7 << "fraQuestion";
    QTest::newRow("result") << 20 << "fraResult";
}

void tst_frmNagScreen::closingMainWindowShowsExitScreen()
{
    QFETCH(int, answered);
    QFETCH(QString, panel);
    FakePlatform fake;
    frmNagScreen startup;
    startup.Form_Load();
    QWidget *main = mainWindow();
    if (answered >= 0) {
        main->findChild<QLineEdit *>(QStringLiteral("txtName"))->setText(QStringLiteral("Ann"));
        main->findChild<QLineEdit *>(QStringLiteral("txtAge"))->setText(QStringLiteral("30"));
        main->findChild<QPushButton *>(QStringLiteral("cmdTest"))->click();
        for (int i = 0; i < answered; ++i)
            main->findChild<QPushButton *>(QStringLiteral("cmdNext"))->click();
    }
    QCOMPARE(main->findChild<PanelStack *>()->currentWidget()->objectName(), panel);

    QVERIFY(main->close());

    QWidget *screen = exitScreen();
    QVERIFY(screen);
    QVERIFY(screen->isVisible());
    QVERIFY(screen->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // It comes up with the keyboard, on "E&xit".
    QTRY_COMPARE(QApplication::activeWindow(), screen);
    QCOMPARE(QApplication::focusWidget(), screen->findChild<QWidget *>(QStringLiteral("cmdClose")));
    QCOMPARE(screen->windowIcon().cacheKey(), startup.IMGIcon[0].cacheKey());
    QTRY_VERIFY(!mainWindow());
    QCOMPARE(QApplication::topLevelWidgets(), QWidgetList{screen});
    QCOMPARE(fake.endCount, 0);
    QVERIFY(fake.messages.isEmpty());
}

void tst_frmNagScreen::closingExitScreenEndsProcess_data()
{
    QTest::addColumn<bool>("byExitButton"); // else by its close box
    QTest::newRow("Exit") << true;
    QTest::newRow("close box") << false;
}

void tst_frmNagScreen::closingExitScreenEndsProcess()
{
    QFETCH(bool, byExitButton);
    FakePlatform fake;
    frmNagScreen startup;
    startup.Form_Load();
    mainWindow()->close();
    QWidget *screen = exitScreen();
    QVERIFY(screen);
    fake.calls.clear();

    if (byExitButton)
        screen->findChild<QPushButton *>(QStringLiteral("cmdClose"))->click();
    else
        screen->close();

    QCOMPARE(fake.endCount, 1);
    QCOMPARE(fake.calls, QStringList{"end"});
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
    QCOMPARE(fake.endCount, 1);
}

// Ending closes the main window for good: no exit screen comes up in its place.
void tst_frmNagScreen::endingWithMainWindowOpenShowsNoExitScreen()
{
    FakePlatform fake;
    frmNagScreen startup;
    startup.Form_Load();
    QVERIFY(mainWindow());
    EndApplication();
    QCOMPARE(fake.endCount, 1);
    QVERIFY(!exitScreen());
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

QTEST_MAIN(tst_frmNagScreen)
#include "tst_frmnagscreen.moc"

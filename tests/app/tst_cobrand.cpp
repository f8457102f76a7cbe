#include "app/cobrand.h"
#include "app/frmnagscreen.h"
#include "platform/qtplatform.h"

#include "support/fakeplatform.h"
#include "ui/links.h"
#include "ui/main/frmmain.h"

#include <QApplication>
#include <QTest>

// The banner drawn at start: which offer lies in front, and how often.
class tst_CoBrand : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void number_data();
    void number();
    void drawnOnceAtStartUp_data();
    void drawnOnceAtStartUp();
    void sharesOfTheRealGenerator();
};

void tst_CoBrand::cleanup()
{
    QWidgetList windows = QApplication::topLevelWidgets();
    windows.removeIf([](const QWidget *window) { return window->parentWidget() != nullptr; });
    qDeleteAll(windows);
}

void tst_CoBrand::number_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("n");
    QTest::newRow("0") << 0.0f << 1;
    QTest::newRow("just below 1/12") << 0.08333331f << 1;
    QTest::newRow("1/12 gives 1.5, to even") << 1.0f / 12.0f << 2;
    QTest::newRow("just above 1/12") << 0.08333336f << 2;
    QTest::newRow("2.5 to even") << 0.25f << 2;
    QTest::newRow("3.4") << 0.4f << 3;
    QTest::newRow("4.5 to even") << 0.583333313f << 4;
    QTest::newRow("5.2") << 0.7f << 5;
    QTest::newRow("6.5 to even") << 0.916666687f << 6;
    QTest::newRow("just above 11/12") << 0.9166668f << 7;
    QTest::newRow("largest r") << 0.99999994f << 7;
}

void tst_CoBrand::number()
{
    QFETCH(float, r);
    QFETCH(int, n);
    QCOMPARE(int(coBrandNumber(r)), n);
}

void tst_CoBrand::drawnOnceAtStartUp_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("front");
    QTest::newRow("1") << 0.0f << 1 << "lblCobrand";
    QTest::newRow("2") << 0.25f << 2 << "lblFullBrand";
    QTest::newRow("3") << 0.4f << 3 << "lblCobrand";
    QTest::newRow("4") << 0.583333313f << 4 << "lblFullBrand";
    QTest::newRow("5") << 0.7f << 5 << "lblCobrand";
    QTest::newRow("6") << 0.916666687f << 6 << "lblFullBrand";
    QTest::newRow("7 keeps the window's own order") << 0.99f << 7 << "lblFullBrand";
}

void tst_CoBrand::drawnOnceAtStartUp()
{
    QFETCH(float, r);
    QFETCH(int, n);
    QFETCH(QString, front);
    FakePlatform fake;
    fake.randoms = {r, 0.0f};
    frmNagScreen startup;
    QCOMPARE(int(startup.intCoBrandRandomNumber), 0);
    startup.Form_Load();

    QCOMPARE(int(startup.intCoBrandRandomNumber), n);
    QCOMPARE(fake.calls.count("random"), 1);
    frmMain *main = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *found = qobject_cast<frmMain *>(window))
            main = found;
    QVERIFY(main && main->isVisible());
    const auto *fullBrand = main->findChild<LinkLabel *>(QStringLiteral("lblFullBrand"));
    QCOMPARE(fullBrand->parentWidget()->childAt(fullBrand->geometry().center())->objectName(), front);
}

void tst_CoBrand::sharesOfTheRealGenerator()
{
    QtPlatform real;
    real.seedRandom();
    const int draws = 120000;
    QMap<int, int> counts;
    for (int draw = 0; draw < draws; ++draw)
        ++counts[coBrandNumber(real.nextRandom())];
    QCOMPARE(counts.firstKey(), 1);
    QCOMPARE(counts.lastKey(), 7);
    const auto share = [&](std::initializer_list<int> numbers) {
        int sum = 0;
        for (int number : numbers)
            sum += counts.value(number);
        return double(sum) / draws;
    };
    // Tolerances are seven standard deviations or more: a fair generator never fails them.
    QVERIFY(qAbs(share({2, 4, 6}) - 6.0 / 12) < 0.01);
    QVERIFY(qAbs(share({1, 3, 5}) - 5.0 / 12) < 0.01);
    QVERIFY(qAbs(share({7}) - 1.0 / 12) < 0.006);
    QVERIFY(qAbs(share({1}) - 1.0 / 12) < 0.006);
}

QTEST_MAIN(tst_CoBrand)
#include "tst_cobrand.moc"

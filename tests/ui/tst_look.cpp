#include "ui/look.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

#include <memory>

class tst_look : public QObject
{
    Q_OBJECT

private slots:
    void verdanaDrawsVerdanaOrDejaVuSans_data();
    void verdanaDrawsVerdanaOrDejaVuSans();
    void readsResourcePng_data();
    void readsResourcePng();
    void applicationIconHasEverySize();
    void applicationIconIsSharpAtEveryScale_data();
    void applicationIconIsSharpAtEveryScale();
    void deferredIconIsMadeOnFirstUse();
    void applicationStyleDrawsTheSameIcons_data();
    void applicationStyleDrawsTheSameIcons();
    void overflowingMenuBarShowsItsButtonImage();
    void centringFollowsTheFrameUntilTheUserMoves_data();
    void centringFollowsTheFrameUntilTheUserMoves();
    void screenHoldsTheLargerPart_data();
    void screenHoldsTheLargerPart();
    void fixedWindowStaysUnmaximised_data();
    void fixedWindowStaysUnmaximised();
    void messageBoxesKeepTheDesktopsFont_data();
    void messageBoxesKeepTheDesktopsFont();
};

namespace {
QImage image(const QIcon &icon, QSize size)
{
    return icon.pixmap(size).toImage();
}
} // namespace

void tst_look::verdanaDrawsVerdanaOrDejaVuSans_data()
{
    QTest::addColumn<qreal>("pointSize");
    QTest::addColumn<bool>("bold");
    QTest::newRow("window") << 8.25 << false;
    QTest::newRow("labels") << 8.25 << true;
    QTest::newRow("panels") << 9.0 << true;
    QTest::newRow("list") << 9.0 << false;
}

void tst_look::verdanaDrawsVerdanaOrDejaVuSans()
{
    QFETCH(qreal, pointSize);
    QFETCH(bool, bold);
    // The font actually drawn, not the one asked for: never whatever fontconfig substitutes.
    const QFontInfo drawn(verdana(pointSize, bold));
    const QString expected = QFontDatabase::hasFamily(QStringLiteral("Verdana")) ? QStringLiteral("Verdana")
                                                                                  : QStringLiteral("DejaVu Sans");
    QCOMPARE(drawn.family(), expected);
    QCOMPARE(drawn.bold(), bold);
    QCOMPARE(drawn.pointSizeF(), pointSize);
}

void tst_look::readsResourcePng_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size"); // invalid: nothing can be read
    for (const int size : applicationIconSizes)
        QTest::addRow("icon %d", size) << QStringLiteral(":/vexmora-%1.png").arg(size) << QSize(size, size);
    QTest::newRow("missing") << ":/no-such-image.png" << QSize();
}

void tst_look::readsResourcePng()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QPixmap image = resourcePng(path);
    QCOMPARE(image.isNull(), !size.isValid());
    if (size.isValid())
        QCOMPARE(image.size(), size);
}

void tst_look::applicationIconHasEverySize()
{
    const QIcon icon = applicationIcon();
    for (const int size : applicationIconSizes)
        QVERIFY2(icon.availableSizes().contains(QSize(size, size)), qPrintable(QString::number(size)));
    // Decoded once: every window shares the same images.
    QCOMPARE(applicationIcon().cacheKey(), icon.cacheKey());
}

void tst_look::applicationIconIsSharpAtEveryScale_data()
{
    QTest::addColumn<QSize>("size");  // logical pixels
    QTest::addColumn<qreal>("scale"); // the screen's device pixel ratio
    QTest::addColumn<int>("source");  // the image it must be drawn from: never a smaller one
    QTest::newRow("exit screen, 1") << QSize(32, 32) << 1.0 << 32;
    QTest::newRow("exit screen, 1.5") << QSize(32, 32) << 1.5 << 48;
    QTest::newRow("exit screen, 2") << QSize(32, 32) << 2.0 << 64;
    QTest::newRow("exit screen, 3") << QSize(32, 32) << 3.0 << 128;
    QTest::newRow("exit screen, 4") << QSize(32, 32) << 4.0 << 128;
    QTest::newRow("task bar, 1.25") << QSize(48, 48) << 1.25 << 64;
    QTest::newRow("about, 1.25") << QSize(32, 32) << 1.25 << 48;
    QTest::newRow("task switcher, 1") << QSize(128, 128) << 1.0 << 128;
}

void tst_look::applicationIconIsSharpAtEveryScale()
{
    QFETCH(QSize, size);
    QFETCH(qreal, scale);
    QFETCH(int, source);
    QLabel label;
    showIcon(&label, applicationIcon(), size);
    const QPixmap shown = label.pixmap();
    QCOMPARE(shown.deviceIndependentSize(), QSizeF(size));
    QCOMPARE(shown.devicePixelRatio(), label.devicePixelRatioF());
    // What the label's screen gets is what one of that scale gets, through the deferred icon.
    const QPixmap scaled = applicationIcon().pixmap(size, scale);
    QCOMPARE(scaled.devicePixelRatio(), scale);
    QCOMPARE(scaled.size(), size * scale);
    QImage expected = resourcePng(QStringLiteral(":/vexmora-%1.png").arg(source))
                          .toImage()
                          .scaled(size * scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    expected.setDevicePixelRatio(scale);
    QCOMPARE(scaled.toImage().convertToFormat(expected.format()), expected);
}

void tst_look::deferredIconIsMadeOnFirstUse()
{
    int made = 0;
    const QIcon icon = deferredIcon([&made] {
        ++made;
        return applicationIcon();
    });
    QIcon copy = icon;
    QVERIFY(!icon.isNull());
    QCOMPARE(made, 0);
    QCOMPARE(copy.availableSizes(), applicationIcon().availableSizes());
    QCOMPARE(image(icon, QSize(32, 32)), image(applicationIcon(), QSize(32, 32)));
    QCOMPARE(image(copy, QSize(64, 64)), image(applicationIcon(), QSize(64, 64)));
    QCOMPARE(made, 1);
    // Once made, an icon without images says so.
    const QIcon empty = deferredIcon([] { return QIcon(); });
    QVERIFY(empty.availableSizes().isEmpty());
    QVERIFY(empty.isNull());
}

void tst_look::applicationStyleDrawsTheSameIcons_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QSize>("size");
    QTest::newRow("menu bar overflow") << int(QStyle::SP_ToolBarHorizontalExtensionButton) << QSize(16, 10);
    QTest::newRow("tool bar overflow") << int(QStyle::SP_ToolBarVerticalExtensionButton) << QSize(10, 16);
    QTest::newRow("message box") << int(QStyle::SP_MessageBoxInformation) << QSize(32, 32);
}

void tst_look::applicationStyleDrawsTheSameIcons()
{
    QFETCH(int, which);
    QFETCH(QSize, size);
    ApplicationStyle style;
    const auto pixmap = static_cast<QStyle::StandardPixmap>(which);
    const QIcon ours = style.standardIcon(pixmap);
    const QIcon platforms = style.baseStyle()->standardIcon(pixmap);
    QVERIFY(!platforms.isNull());
    QCOMPARE(ours.availableSizes(), platforms.availableSizes());
    QCOMPARE(image(ours, size), image(platforms, size));
}

// A menu bar too narrow for its menus still shows its overflow button with the style's image.
void tst_look::overflowingMenuBarShowsItsButtonImage()
{
    QApplication::setStyle(new ApplicationStyle);
    auto window = std::make_unique<QWidget>();
    auto *bar = new QMenuBar(window.get());
    for (int i = 0; i < 12; ++i)
        bar->addMenu(QStringLiteral("A long menu title %1").arg(i));
    bar->setGeometry(0, 0, 200, bar->sizeHint().height());
    window->resize(200, 100);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto *overflow = bar->findChild<QToolButton *>(QStringLiteral("qt_menubar_ext_button"));
    QVERIFY(overflow);
    QTRY_VERIFY(overflow->isVisible());
    const QStyle *platforms = qobject_cast<QProxyStyle *>(QApplication::style())->baseStyle();
    const QIcon expected = platforms->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    QCOMPARE(image(overflow->icon(), QSize(16, 10)), image(expected, QSize(16, 10)));
}

void tst_look::centringFollowsTheFrameUntilTheUserMoves_data()
{
    // A window of 100 x 50 in the free area. Each step is what the window system says, either
    // "look X,Y LEFT,TOP,RIGHT,BOTTOM" (the window's place and its frame now) or "moved X,Y",
    // and what the centring answers: a place to move the window to, or "-".
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<bool>("finished");
    const QRect screen(0, 0, 1000, 700);
    // Without a frame the window goes to 450,325; with a title bar of 30, to 450,340.
    QTest::newRow("frame known at once, window in place")
        << screen << QStringList{"look 450,340 0,30,0,0"} << QStringList{"-"} << false;
    QTest::newRow("frame known at once, window placed elsewhere")
        << screen << QStringList{"look 0,0 0,30,0,0", "moved 450,340", "look 450,340 0,30,0,0"}
        << QStringList{"450,340", "-", "-"} << false;
    QTest::newRow("frame published after the window is shown, the window pushed down for it")
        << screen
        << QStringList{"look 450,325 0,0,0,0", "look 450,355 0,30,0,0", "moved 450,355", "moved 450,340",
                       "look 450,340 0,30,0,0"}
        << QStringList{"-", "450,340", "-", "-", "-"} << false;
    QTest::newRow("an older place reported before the move is no move of the user's")
        << screen << QStringList{"look 0,0 0,30,0,0", "moved 20,20", "moved 450,340"}
        << QStringList{"450,340", "-", "-"} << false;
    QTest::newRow("moved by the user, then the frame changes")
        << screen << QStringList{"look 450,340 0,30,0,0", "moved 600,100", "look 600,100 4,24,4,4"}
        << QStringList{"-", "-", "-"} << true;
    QTest::newRow("moved by the user after a move of its own")
        << screen << QStringList{"look 0,0 0,30,0,0", "moved 450,340", "moved 451,340", "look 451,340 0,40,0,0"}
        << QStringList{"450,340", "-", "-", "-"} << true;
    // Borders on every side and a panel of 32 along the top of the screen.
    QTest::newRow("frame on every side, free area below a panel")
        << QRect(0, 32, 1000, 668) << QStringList{"look 0,0 4,24,4,4"} << QStringList{"450,351"} << false;
}

void tst_look::centringFollowsTheFrameUntilTheUserMoves()
{
    QFETCH(QRect, area);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, answers);
    QFETCH(bool, finished);
    const auto point = [](const QString &text) {
        const QStringList xy = text.split(QLatin1Char(','));
        return QPoint(xy.at(0).toInt(), xy.at(1).toInt());
    };
    FrameCentring centring;
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const QStringList words = steps.at(i).split(QLatin1Char(' '));
        std::optional<QPoint> answer;
        if (words.at(0) == QLatin1String("moved")) {
            centring.moved(point(words.at(1)));
        } else {
            const QStringList sides = words.at(2).split(QLatin1Char(','));
            answer = centring.next(QRect(point(words.at(1)), QSize(100, 50)),
                                   QMargins(sides.at(0).toInt(), sides.at(1).toInt(), sides.at(2).toInt(),
                                            sides.at(3).toInt()),
                                   area);
        }
        const QString said = answer ? QStringLiteral("%1,%2").arg(answer->x()).arg(answer->y()) : QStringLiteral("-");
        QVERIFY2(said == answers.at(i), qPrintable(QStringLiteral("%1: %2, expected %3").arg(steps.at(i), said, answers.at(i))));
    }
    QCOMPARE(centring.finished(), finished);
}

void tst_look::screenHoldsTheLargerPart_data()
{
    // A monitor of 1920 x 1200 and one of 1280 x 1024 to its right, tops in line.
    QTest::addColumn<QRect>("window");
    QTest::addColumn<int>("screen"); // -1: none
    QTest::newRow("wholly on the second") << QRect(2300, 278, 563, 362) << 1;
    QTest::newRow("more on the second") << QRect(1700, 100, 563, 362) << 1;
    QTest::newRow("half on each: the first") << QRect(1720, 100, 400, 300) << 0;
    // Its centre, 1950,1100, lies below the second and on neither.
    QTest::newRow("more on the first, centre on neither") << QRect(1700, 900, 500, 400) << 0;
    QTest::newRow("off both") << QRect(3300, 0, 100, 100) << -1;
}

void tst_look::screenHoldsTheLargerPart()
{
    QFETCH(QRect, window);
    QFETCH(int, screen);
    QCOMPARE(largestOverlap(window, {QRect(0, 0, 1920, 1200), QRect(1920, 0, 1280, 1024)}), screen);
}

void tst_look::fixedWindowStaysUnmaximised_data()
{
    // What the window system reports when asked (offscreen, as the program would ask it),
    // much as Wayland reports the state its compositor gave the window.
    QTest::addColumn<Qt::WindowStates>("asked");
    QTest::addColumn<Qt::WindowStates>("kept");
    QTest::newRow("maximised") << Qt::WindowStates(Qt::WindowMaximized) << Qt::WindowStates(Qt::WindowNoState);
    QTest::newRow("maximised and active") << (Qt::WindowMaximized | Qt::WindowActive)
                                          << Qt::WindowStates(Qt::WindowActive);
    QTest::newRow("minimised stays minimised") << Qt::WindowStates(Qt::WindowMinimized)
                                               << Qt::WindowStates(Qt::WindowMinimized);
}

void tst_look::fixedWindowStaysUnmaximised()
{
    QFETCH(Qt::WindowStates, asked);
    QFETCH(Qt::WindowStates, kept);
    QWidget window;
    window.setFixedSize(300, 200);
    keepUnmaximised(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setWindowState(asked);
    QTRY_COMPARE(window.windowState(), kept);
    QCOMPARE(window.size(), QSize(300, 200));
}

void tst_look::messageBoxesKeepTheDesktopsFont_data()
{
    QTest::addColumn<bool>("desktopFontChanges");
    QTest::newRow("built with the panel's font") << false;
    // Offscreen the desktop's font cannot change; the program's font is made to differ from it
    // instead, as a kept font would after a change.
    QTest::newRow("desktop's font changes later") << true;
}

void tst_look::messageBoxesKeepTheDesktopsFont()
{
    QFETCH(bool, desktopFontChanges);
    const QFont desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    QWidget panel;
    panel.setFont(verdana(9));
    QLineEdit *box = nullptr;
    withApplicationFont(panel.font(), [&] { box = new QLineEdit(&panel); });
    QCOMPARE(QGuiApplication::font(), desktop);
    QCOMPARE(box->font(), panel.font());
    if (desktopFontChanges) {
        QGuiApplication::setFont(verdana(20));
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QEvent themeChange(QEvent::ThemeChange);
        QCoreApplication::sendEvent(panel.windowHandle(), &themeChange);
    }
    QMessageBox message(QMessageBox::Information, QString(), QStringLiteral("Text"));
    QCOMPARE(message.font(), desktop);
}

QTEST_MAIN(tst_look)
#include "tst_look.moc"

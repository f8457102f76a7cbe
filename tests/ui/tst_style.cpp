#include "ui/style.h"

#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

#include <memory>

class tst_style : public QObject
{
    Q_OBJECT

private slots:
    void applicationStyleDrawsTheSameIcons_data();
    void applicationStyleDrawsTheSameIcons();
    void overflowingMenuBarShowsItsButtonImage();
};

void tst_style::applicationStyleDrawsTheSameIcons_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QSize>("size");
    QTest::newRow("menu bar overflow") << int(QStyle::SP_ToolBarHorizontalExtensionButton) << QSize(16, 10);
    QTest::newRow("tool bar overflow") << int(QStyle::SP_ToolBarVerticalExtensionButton) << QSize(10, 16);
    QTest::newRow("message box") << int(QStyle::SP_MessageBoxInformation) << QSize(32, 32);
}

void tst_style::applicationStyleDrawsTheSameIcons()
{
    QFETCH(int, which);
    QFETCH(QSize, size);
    ApplicationStyle style;
    const auto pixmap = static_cast<QStyle::StandardPixmap>(which);
    const QIcon ours = style.standardIcon(pixmap);
    const QIcon platforms = style.baseStyle()->standardIcon(pixmap);
    QVERIFY(!platforms.isNull());
    QCOMPARE(ours.availableSizes(), platforms.availableSizes());
    QCOMPARE(ours.pixmap(size).toImage(), platforms.pixmap(size).toImage());
}

// A menu bar too narrow for its menus still shows its overflow button with the style's image.
void tst_style::overflowingMenuBarShowsItsButtonImage()
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
    QCOMPARE(overflow->icon().pixmap(QSize(16, 10)).toImage(), expected.pixmap(QSize(16, 10)).toImage());
}

QTEST_MAIN(tst_style)
#include "tst_style.moc"

#include "ui/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

class tst_fonts : public QObject
{
    Q_OBJECT

private slots:
    void verdanaDrawsVerdanaOrDejaVuSans_data();
    void verdanaDrawsVerdanaOrDejaVuSans();
    void messageBoxesKeepTheDesktopsFont_data();
    void messageBoxesKeepTheDesktopsFont();
};

void tst_fonts::verdanaDrawsVerdanaOrDejaVuSans_data()
{
    QTest::addColumn<qreal>("pointSize");
    QTest::addColumn<bool>("bold");
    QTest::newRow("window") << 8.25 << false;
    QTest::newRow("labels") << 8.25 << true;
    QTest::newRow("panels") << 9.0 << true;
    QTest::newRow("list") << 9.0 << false;
}

void tst_fonts::verdanaDrawsVerdanaOrDejaVuSans()
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

void tst_fonts::messageBoxesKeepTheDesktopsFont_data()
{
    QTest::addColumn<bool>("desktopFontChanges");
    QTest::newRow("built with the panel's font") << false;
    // Offscreen the desktop's font cannot change; the program's font is made to differ from it
    // instead, as a kept font would after a change.
    QTest::newRow("desktop's font changes later") << true;
}

void tst_fonts::messageBoxesKeepTheDesktopsFont()
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

QTEST_MAIN(tst_fonts)
#include "tst_fonts.moc"

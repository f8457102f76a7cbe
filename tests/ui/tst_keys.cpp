#include "ui/keys.h"

#include <QKeyEvent>
#include <QTest>

class tst_keys : public QObject
{
    Q_OBJECT

private slots:
    void typedCharacter_data();
    void typedCharacter();
};

void tst_keys::typedCharacter_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code"); // -1: the key types nothing
    const Qt::KeyboardModifiers none;
    QTest::newRow("digit") << int(Qt::Key_7) << none << "7" << int('7');
    QTest::newRow("letter") << int(Qt::Key_A) << none << "a" << int('a');
    QTest::newRow("capital") << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::ShiftModifier) << "A" << int('A');
    QTest::newRow("space") << int(Qt::Key_Space) << none << " " << 32;
    QTest::newRow("keypad digit") << int(Qt::Key_5) << Qt::KeyboardModifiers(Qt::KeypadModifier) << "5"
                                  << int('5');
    QTest::newRow("non-latin letter") << int(Qt::Key_Eacute) << none << QString(QChar(0xe9)) << 0xe9;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << "\b" << 8;
    QTest::newRow("backspace without text") << int(Qt::Key_Backspace) << none << "" << 8;
    QTest::newRow("return") << int(Qt::Key_Return) << none << "\r" << 13;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier) << "\r"
                                  << 13;
    QTest::newRow("escape") << int(Qt::Key_Escape) << none << "\x1b" << 27;
    QTest::newRow("ctrl+v as X11 reports it") << int(Qt::Key_V) << Qt::KeyboardModifiers(Qt::ControlModifier)
                                              << "\x16" << 22;
    QTest::newRow("ctrl+v without text") << int(Qt::Key_V) << Qt::KeyboardModifiers(Qt::ControlModifier) << ""
                                         << 22;
    QTest::newRow("ctrl+a") << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::ControlModifier) << "\x01" << 1;
    QTest::newRow("ctrl+z") << int(Qt::Key_Z) << Qt::KeyboardModifiers(Qt::ControlModifier) << "\x1a" << 26;
    QTest::newRow("altgr character") << int(Qt::Key_At)
                                     << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier) << "@"
                                     << int('@');
    QTest::newRow("delete as X11 reports it") << int(Qt::Key_Delete) << none << "\x7f" << -1;
    QTest::newRow("delete without text") << int(Qt::Key_Delete) << none << "" << -1;
    QTest::newRow("tab") << int(Qt::Key_Tab) << none << "\t" << -1;
    QTest::newRow("shift+tab") << int(Qt::Key_Backtab) << Qt::KeyboardModifiers(Qt::ShiftModifier) << "" << -1;
    QTest::newRow("left") << int(Qt::Key_Left) << none << "" << -1;
    QTest::newRow("home") << int(Qt::Key_Home) << none << "" << -1;
    QTest::newRow("end") << int(Qt::Key_End) << none << "" << -1;
    QTest::newRow("f1") << int(Qt::Key_F1) << none << "" << -1;
    QTest::newRow("alt+letter, an access key") << int(Qt::Key_T) << Qt::KeyboardModifiers(Qt::AltModifier)
                                               << "t" << -1;
    QTest::newRow("ctrl+digit") << int(Qt::Key_2) << Qt::KeyboardModifiers(Qt::ControlModifier) << "2" << -1;
    QTest::newRow("shift alone") << int(Qt::Key_Shift) << Qt::KeyboardModifiers(Qt::ShiftModifier) << "" << -1;
}

void tst_keys::typedCharacter()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    QFETCH(int, code);
    const QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QCOMPARE(::typedCharacter(event).value_or(-1), code);
}

QTEST_MAIN(tst_keys) // key events belong to the application's keyboard device
#include "tst_keys.moc"

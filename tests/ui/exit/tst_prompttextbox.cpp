#include "ui/exit/prompttextbox.h"

#include <QFocusEvent>
#include <QTest>

// Which focus changes clear a prompt box and which put its prompt back.
class tst_PromptFocus : public QObject
{
    Q_OBJECT

private slots:
    void focusSequence_data();
    void focusSequence();
};

void tst_PromptFocus::focusSequence_data()
{
    // Steps: "in:tab", "in:window" (the window activated with the box focused), "out:tab",
    // "out:window" (another window activated), "activated:box", "activated:other" (the window
    // activated with the focus on the box, or moved on meanwhile), "type:<text>" (the box's
    // text after typing), "keys:<text>" (keys reach the box, which adds the text; none: erased).
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("text");
    QTest::newRow("tabbed in") << QStringList{"in:tab"} << "";
    QTest::newRow("clicked in while the window was inactive") << QStringList{"in:window"} << "";
    QTest::newRow("left empty") << QStringList{"in:tab", "out:tab"} << "Your Name";
    QTest::newRow("left with text") << QStringList{"in:tab", "type:Ann", "out:tab"} << "Ann";
    QTest::newRow("away and back, still empty")
        << QStringList{"in:tab", "out:window", "activated:box", "in:window"} << "";
    QTest::newRow("typed prompt survives a return")
        << QStringList{"in:tab", "type:Your Name", "out:window", "activated:box", "in:window"} << "Your Name";
    QTest::newRow("focus moved on while away")
        << QStringList{"in:tab", "out:window", "activated:other"} << "Your Name";
    QTest::newRow("and back in later") << QStringList{"in:tab", "out:window", "activated:other", "in:window"}
                                       << "";
    // Keys that reach a box of a window not yet active: the box never saw the focus come.
    QTest::newRow("keys before any focus") << QStringList{"keys:Ann"} << "Ann";
    QTest::newRow("keys before any focus, then activated")
        << QStringList{"keys:Ann", "activated:box", "in:window"} << "Ann";
    QTest::newRow("erased before any focus, left meanwhile") << QStringList{"keys:", "activated:other"}
                                                             << "Your Name";
    QTest::newRow("keys after the focus came keep the text") << QStringList{"in:tab", "type:An", "keys:n"}
                                                              << "Ann";
    QTest::newRow("typed prompt, more keys") << QStringList{"in:tab", "type:Your Name", "keys:!"}
                                             << "Your Name!";
}

void tst_PromptFocus::focusSequence()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, text);
    PromptFocus focus(QStringLiteral("Your Name"));
    QString shown = QStringLiteral("Your Name");
    for (const QString &step : steps) {
        const Qt::FocusReason reason =
            step.endsWith(QLatin1String(":window")) ? Qt::ActiveWindowFocusReason : Qt::TabFocusReason;
        if (step.startsWith(QLatin1String("in:")))
            shown = focus.focusIn(QFocusEvent(QEvent::FocusIn, reason), shown);
        else if (step.startsWith(QLatin1String("out:")))
            shown = focus.focusOut(QFocusEvent(QEvent::FocusOut, reason), shown);
        else if (step.startsWith(QLatin1String("activated:")))
            shown = focus.windowActivated(step == QLatin1String("activated:box"), shown);
        else if (step.startsWith(QLatin1String("keys:")))
            shown = step == QLatin1String("keys:") ? (focus.beforeInput(shown), QString())
                                                   : focus.beforeInput(shown) + step.mid(5);
        else
            shown = step.mid(5);
    }
    QCOMPARE(shown, text);
}

QTEST_APPLESS_MAIN(tst_PromptFocus)
#include "tst_prompttextbox.moc"

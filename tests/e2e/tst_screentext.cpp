#include "screentext.h"

#include "ui/controls.h"
#include "ui/fonts.h"

#include <QLabel>
#include <QTest>

namespace {
const QColor Purple(51, 7, 141);
const QColor Yellow(255, 255, 0);
const QColor Orange(255, 180, 4);
const QString Balanced = QStringLiteral("Your thinking is 50% Masculine and 50% Feminine");

// A label as the program's panels draw one, at a place of its own on a larger panel.
QImage panelShowing(const QString &text, const QColor &ink, QPoint at)
{
    QWidget panel;
    panel.resize(560, 120);
    setBackground(&panel, Purple);
    auto *label = new QLabel(text, &panel);
    label->setFont(verdana(9, true));
    setTextColor(label, ink);
    label->move(at);
    sizeToText(label);
    return panel.grab().toImage();
}
} // namespace

// The e2e tests judge the program by this reading of its screen; it must see the line that is
// there, and only that line.
class tst_screenText : public QObject
{
    Q_OBJECT

private slots:
    void findsOnlyTheLineDrawn_data();
    void findsOnlyTheLineDrawn();
    void findsEachOfTwoLines();
};

void tst_screenText::findsOnlyTheLineDrawn_data()
{
    QTest::addColumn<QString>("drawn");
    QTest::addColumn<QColor>("drawnInk");
    QTest::addColumn<QString>("sought");
    QTest::addColumn<bool>("found");
    QTest::newRow("the same line") << Balanced << Yellow << Balanced << true;
    QTest::newRow("one digit apart") << Balanced << Yellow
                                     << QStringLiteral("Your thinking is 55% Masculine and 45% Feminine") << false;
    QTest::newRow("start of the line") << Balanced << Yellow << QStringLiteral("Your thinking is 50% Masculine")
                                       << false;
    QTest::newRow("end of the line") << Balanced << Yellow << QStringLiteral("50% Feminine") << false;
    QTest::newRow("longer than the line") << QStringLiteral("Your thinking is 50% Masculine") << Yellow << Balanced
                                          << false;
    QTest::newRow("another colour") << Balanced << Orange << Balanced << false;
}

void tst_screenText::findsOnlyTheLineDrawn()
{
    QFETCH(QString, drawn);
    QFETCH(QColor, drawnInk);
    QFETCH(QString, sought);
    QFETCH(bool, found);
    const QImage shot = panelShowing(drawn, drawnInk, {37, 41});
    const std::optional<QRect> where = findText(shot, sought, {verdana(9, true), Yellow, Purple});
    QCOMPARE(where.has_value(), found);
    if (found)
        QVERIFY(QRect(37, 41, 400, 20).intersects(*where));
}

void tst_screenText::findsEachOfTwoLines()
{
    QWidget panel;
    panel.resize(560, 120);
    setBackground(&panel, Purple);
    const std::pair<QString, int> lines[] = {{QStringLiteral("Question 2 of 20"), 10},
                                             {QStringLiteral("Question 12 of 20"), 60}};
    for (const auto &[text, top] : lines) {
        auto *label = new QLabel(text, &panel);
        label->setFont(verdana(8.25, true));
        setTextColor(label, Yellow);
        label->move(200, top);
        sizeToText(label);
    }
    const QImage shot = panel.grab().toImage();
    const TextLook look{verdana(8.25, true), Yellow, Purple};
    const std::optional<QRect> second = findText(shot, QStringLiteral("Question 2 of 20"), look);
    const std::optional<QRect> twelfth = findText(shot, QStringLiteral("Question 12 of 20"), look);
    QVERIFY(second && twelfth);
    QVERIFY(second->bottom() < 60);
    QVERIFY(twelfth->top() >= 60);
    QVERIFY(!findText(shot, QStringLiteral("Question 1 of 20"), look));
}

QTEST_MAIN(tst_screenText)
#include "tst_screentext.moc"

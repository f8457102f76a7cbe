#include "quiz/modmalefemaletest.h"

#include <QTest>

#include <functional>

using namespace modMaleFemaleTest;

namespace {
// The questions (numbered from 1) whose first option is the masculine one.
const QList<int> FirstIsMasculine{2, 4, 8, 10, 13, 14, 17, 20};

qint16 scoreOf(const std::function<bool(int question)> &firstOptionChosen)
{
    LoadQuestions();
    qint16 score = 0;
    for (int p = 0; p < QuestionCount; ++p)
        score = addAnswer(score, p, firstOptionChosen(p + 1));
    return score;
}

const QString Balanced = QStringLiteral("You have a Balanced Masculine and Feminine Thinking");
const QString Masculine = QStringLiteral("You have Masculine Thinking");
const QString Feminine = QStringLiteral("You have Feminine Thinking");
} // namespace

class tst_modMaleFemaleTest : public QObject
{
    Q_OBJECT

private slots:
    void bankTexts_data();
    void bankTexts();
    void loadQuestionsLeavesEntry20AndRepeats();
    void sameOptionThroughout_data();
    void sameOptionThroughout();
    void resultForMasculineAnswers_data();
    void resultForMasculineAnswers();
    void verdictParagraphs_data();
    void verdictParagraphs();
    void scoreThatCannotTakeTheAnswerIsKept_data();
    void scoreThatCannotTakeTheAnswerIsKept();
};

void tst_modMaleFemaleTest::bankTexts_data()
{
    QTest::addColumn<int>("p");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("option1");
    QTest::addColumn<QString>("option2");
    QTest::newRow("1") << 0 << "1. Do you like being told what to do ?" << "Yes" << "No";
    QTest::newRow("9 ends with a full stop")
        << 8 << "9. You spend hours gossiping with friends on the phone." << "Yes" << "No";
    QTest::newRow("12") << 11 << "12. When you purchase something, do you go by the looks or the comfort ?"
                        << "Looks" << "Comfort";
    QTest::newRow("13") << 12 << "13. Do you think practically or from your heart ?" << "Practically"
                        << "From my heart";
    QTest::newRow("15 has no space before ?")
        << 14 << "15. Do you feel queasy at the sight of lizards and cockroaches?" << "Yes" << "No";
    QTest::newRow("18") << 17 << "18. Do you pop in painkillers or try to avoid them ?" << "Take Painkillers"
                        << "Avoid Painkillers";
    QTest::newRow("20") << 19 << "20. Are you thick-skinned or get hurt easily ?" << "Thick-skinned"
                        << "Get hurt easily";
}

void tst_modMaleFemaleTest::bankTexts()
{
    QFETCH(int, p);
    QFETCH(QString, question);
    QFETCH(QString, option1);
    QFETCH(QString, option2);
    LoadQuestions();
    QCOMPARE(strQuestion[p], question);
    QCOMPARE(strOption1[p], option1);
    QCOMPARE(strOption2[p], option2);
}

void tst_modMaleFemaleTest::loadQuestionsLeavesEntry20AndRepeats()
{
    LoadQuestions();
    const std::array<Table, 5> once{strQuestion, strOption1, strOption2, strValue1, strValue2};
    LoadQuestions();
    const std::array<Table, 5> twice{strQuestion, strOption1, strOption2, strValue1, strValue2};
    QCOMPARE(twice, once);
    for (const Table &table : twice) {
        QVERIFY(table[20].isEmpty());
        for (int p = 0; p < QuestionCount; ++p)
            QVERIFY2(!table[p].isEmpty(), qPrintable(QString::number(p)));
    }
    for (int p = 0; p < QuestionCount; ++p) {
        QVERIFY(strQuestion[p].startsWith(QString::number(p + 1) + QLatin1String(". ")));
        QVERIFY2(strValue1[p] != strValue2[p], "exactly one option of each question is masculine");
    }
}

void tst_modMaleFemaleTest::sameOptionThroughout_data()
{
    QTest::addColumn<bool>("first");
    QTest::addColumn<int>("masculine");
    QTest::newRow("first option throughout") << true << 8;
    QTest::newRow("second option throughout") << false << 12;
}

void tst_modMaleFemaleTest::sameOptionThroughout()
{
    QFETCH(bool, first);
    QFETCH(int, masculine);
    QCOMPARE(scoreOf([first](int) { return first; }), masculine);
}

void tst_modMaleFemaleTest::resultForMasculineAnswers_data()
{
    QTest::addColumn<int>("masculine");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("title");
    const QString line = QStringLiteral("Your thinking is %1% Masculine and %2% Feminine");
    for (int m = 0; m <= 20; ++m)
        QTest::addRow("%d masculine", m) << m << line.arg(5 * m).arg(100 - 5 * m)
                                         << (m == 10 ? Balanced : m > 10 ? Masculine : Feminine);
}

// m masculine answers: the masculine option on the first m questions, the other after that.
void tst_modMaleFemaleTest::resultForMasculineAnswers()
{
    QFETCH(int, masculine);
    QFETCH(QString, line);
    QFETCH(QString, title);
    const qint16 score = scoreOf([masculine](int question) {
        const bool masculineOption = question <= masculine;
        return FirstIsMasculine.contains(question) == masculineOption;
    });
    QCOMPARE(score, masculine);
    const auto percent = percentFor(score);
    QVERIFY(percent);
    QCOMPARE(percentagesLine(*percent), line);
    QCOMPARE(verdictFor(*percent).title, title);
}

void tst_modMaleFemaleTest::verdictParagraphs_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<QString>("paragraph");
    QTest::newRow("balanced") << 50
                              << "You have the best of both and masculine and feminine ways of thinking. You are "
                                 "very balanced and are sensitive and practical at the right times. You are very "
                                 "adaptive and flexible to different situations. You also like making friends of "
                                 "both the sexes.";
    QTest::newRow("masculine") << 55
                               << "People with a masculine way of thinking have very strong verbal, analytical "
                                  "and logical skills. You are more organized and disciplined. You are more "
                                  "practical and don't take things to heart.";
    QTest::newRow("feminine") << 45
                              << "People with a feminine way of thinking have very good creative and artistic "
                                 "talents. You are very intuitive and impulsive. You think from your heart.";
}

void tst_modMaleFemaleTest::verdictParagraphs()
{
    QFETCH(int, percent);
    QFETCH(QString, paragraph);
    QCOMPARE(verdictFor(static_cast<qint16>(percent)).paragraph, paragraph);
}

void tst_modMaleFemaleTest::scoreThatCannotTakeTheAnswerIsKept_data()
{
    QTest::addColumn<int>("score");
    QTest::addColumn<int>("p");
    QTest::newRow("16-bit overflow") << 32767 << 0; // question 1, second option is worth 1
    QTest::newRow("position past the last question") << 5 << 20;
    QTest::newRow("negative position") << 5 << -1;
}

void tst_modMaleFemaleTest::scoreThatCannotTakeTheAnswerIsKept()
{
    QFETCH(int, score);
    QFETCH(int, p);
    LoadQuestions();
    QCOMPARE(addAnswer(static_cast<qint16>(score), p, false), score);
    QVERIFY(!percentFor(32767)); // 163835 % does not fit either
}

QTEST_APPLESS_MAIN(tst_modMaleFemaleTest)
#include "tst_modmalefemaletest.moc"

#include "quiz/modmalefemaletest.h"

#include <cmath>
#include <limits>

namespace modMaleFemaleTest {

Table strQuestion;
Table strOption1;
Table strOption2;
Table strValue1;
Table strValue2;

namespace {

struct Question
{
    const char *text;
    const char *option1;
    const char *value1;
    const char *option2;
    const char *value2;
};

// The texts are exact, odd spacing included ("lizards and cockroaches?" has no space before
// its question mark; question 9 is a statement).
constexpr std::array<Question, QuestionCount> Bank{{
    {"1. Do you like being told what to do ?", "Yes", "0", "No", "1"},
    {"2. Would you prefer watching a football match or attending an opera ?", "Football Match", "1", "Opera", "0"},
    {"3. Which dog would you like to own ?", "Poodle", "0", "Boxer", "1"},
    {"4. Do you curse or use foul language ?", "Yes", "1", "Never", "0"},
    {"5. What interests you more ?", "Fashion", "0", "Cars", "1"},
    {"6. Do you get irritated with dirty dishes lying around ?", "Yes", "0", "No", "1"},
    {"7. What impresses you more ?", "Beauty", "0", "Intelligence", "1"},
    {"8. Do you enjoy a war story better or a romantic one ?", "War Story", "1", "Romantic Story", "0"},
    {"9. You spend hours gossiping with friends on the phone.", "Yes", "0", "No", "1"},
    {"10. Do you take practical jokes played on you easily ?", "Yes", "1", "No", "0"},
    {"11. Would you prefer a vacation on a cruise or a road trip ?", "Cruise", "0", "Road Trip", "1"},
    {"12. When you purchase something, do you go by the looks or the comfort ?", "Looks", "0", "Comfort", "1"},
    {"13. Do you think practically or from your heart ?", "Practically", "1", "From my heart", "0"},
    {"14. Do you hate shopping or simply adore it ?", "Hate shopping", "1", "Adore shopping", "0"},
    {"15. Do you feel queasy at the sight of lizards and cockroaches?", "Yes", "0", "No", "1"},
    {"16. Do you cry at the movies ?", "Yes", "0", "No", "1"},
    {"17. Do you prefer French Fries or Green Salads ?", "French Fries", "1", "Green Salads", "0"},
    {"18. Do you pop in painkillers or try to avoid them ?", "Take Painkillers", "0", "Avoid Painkillers", "1"},
    {"19. Do you write in cursive or print ?", "Cursive", "0", "Print", "1"},
    {"20. Are you thick-skinned or get hurt easily ?", "Thick-skinned", "1", "Get hurt easily", "0"},
}};

// Rounds to the nearest integer, halves to the even one; false when that does not fit a signed
// 16-bit integer.
bool toInt16(double value, qint16 &out)
{
    const double rounded = std::nearbyint(value); // the default mode rounds halves to even
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<qint16>::min()
        || rounded > std::numeric_limits<qint16>::max())
        return false;
    out = static_cast<qint16>(rounded);
    return true;
}

} // namespace

void LoadQuestions()
{
    for (int i = 0; i < QuestionCount; ++i) {
        const Question &q = Bank[static_cast<std::size_t>(i)];
        strQuestion[i] = QString::fromLatin1(q.text);
        strOption1[i] = QString::fromLatin1(q.option1);
        strOption2[i] = QString::fromLatin1(q.option2);
        strValue1[i] = QString::fromLatin1(q.value1);
        strValue2[i] = QString::fromLatin1(q.value2);
    }
}

qint16 addAnswer(qint16 intScore, int p, bool firstOptionChosen)
{
    if (p < 0 || p >= QuestionCount)
        return intScore;
    const QString &value = firstOptionChosen ? strValue1[p] : strValue2[p];
    bool ok = false;
    const double number = value.toDouble(&ok);
    qint16 sum = intScore;
    if (!ok || !toInt16(static_cast<double>(intScore) + number, sum))
        return intScore;
    return sum;
}

std::optional<qint16> percentFor(qint16 score)
{
    qint16 percent = 0;
    if (!toInt16(score / 20.0 * 100.0, percent))
        return std::nullopt;
    return percent;
}

QString percentagesLine(qint16 percent)
{
    return QStringLiteral("Your thinking is %1% Masculine and %2% Feminine").arg(percent).arg(100 - percent);
}

Verdict verdictFor(qint16 percent)
{
    if (percent == 50)
        return {QStringLiteral("You have a Balanced Masculine and Feminine Thinking"),
                QStringLiteral("You have the best of both and masculine and feminine ways of thinking. "
                               "You are very balanced and are sensitive and practical at the right times. "
                               "You are very adaptive and flexible to different situations. "
                               "You also like making friends of both the sexes.")};
    if (percent > 50)
        return {QStringLiteral("You have Masculine Thinking"),
                QStringLiteral("People with a masculine way of thinking have very strong verbal, analytical "
                               "and logical skills. You are more organized and disciplined. "
                               "You are more practical and don't take things to heart.")};
    return {QStringLiteral("You have Feminine Thinking"),
            QStringLiteral("People with a feminine way of thinking have very good creative and artistic "
                           "talents. You are very intuitive and impulsive. You think from your heart.")};
}

} // namespace modMaleFemaleTest

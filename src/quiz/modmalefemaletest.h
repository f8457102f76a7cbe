#pragma once

#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

// The question bank and the arithmetic that turns answers into a result. No widgets here.
namespace modMaleFemaleTest {

// Entry i belongs to question i + 1. Entries 0 to 19 hold the bank; entry 20 stays empty, and
// the tables' upper bound, 20, is the number of questions.
using Table = std::array<QString, 21>;
extern Table strQuestion;
extern Table strOption1;
extern Table strOption2;
extern Table strValue1; // masculine value of the first option, "1" or "0"
extern Table strValue2; // masculine value of the second option

inline constexpr int QuestionCount = 20;

// Writes entries 0 to 19 of every table from the bank; entry 20 is left as it is.
void LoadQuestions();

// The score after the answer to the question at position p (0 to 19): the chosen option's
// value added to it. A score or position that cannot take the addition is returned unchanged.
qint16 addAnswer(qint16 intScore, int p, bool firstOptionChosen);

// The masculine percentage of a finished test's score (5 per masculine answer); nullopt for a
// score whose percentage does not fit a signed 16-bit integer.
std::optional<qint16> percentFor(qint16 score);
// "Your thinking is P% Masculine and (100 - P)% Feminine".
QString percentagesLine(qint16 percent);

struct Verdict
{
    QString title;
    QString paragraph;
};
Verdict verdictFor(qint16 percent);

} // namespace modMaleFemaleTest

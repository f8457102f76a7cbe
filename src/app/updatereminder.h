#pragma once

#include <QDate>
#include <QString>

// Offers, at start, to check for an update when the last offer is more than fourteen days away.
void CheckUpdateReminder();
// Whether the store holds a date the reminder can count from. Without one, CheckUpdateReminder
// asks nothing and only stores today's date.
bool reminderDateStored();

// The reminder date as it is stored: ISO text, the same whatever the user's date format.
QString reminderDateText(QDate date);
// The stored reminder date; invalid when the text is empty or not an ISO date.
QDate reminderDateFromText(const QString &text);
// Whether more than fourteen days lie between the last offer and today, in either direction:
// a clock set back counts as well.
bool reminderDue(QDate lastOffer, QDate today);

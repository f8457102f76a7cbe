#pragma once

#include <QString>

// Removes the space character (32) from both ends, and nothing else: tabs and line breaks
// stay, unlike QString::trimmed().
QString trimSpaces(const QString &text);

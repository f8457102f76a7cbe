#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <optional>

// Reads a line of text off a screenshot without any help from the program: the line is drawn
// here with the same font and colours, and the pixels that carry its ink must match exactly.
// A line that differs by one character, or that is longer than the one sought, is not found.
// Needs a QGuiApplication for its fonts; the offscreen platform draws text exactly as xcb does.
struct TextLook
{
    QFont font;
    QColor ink;
    QColor background;
};

// Where the line appears, or nothing.
std::optional<QRect> findText(const QImage &shot, const QString &text, const TextLook &look);

// The first row, from the top, whose pixel in the given column has exactly this colour; -1 if none.
int firstRowOfColour(const QImage &shot, int column, const QColor &colour);

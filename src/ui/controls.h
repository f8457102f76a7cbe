#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <limits>

class LinkLabel;
class QLabel;
class QPushButton;
class QWidget;

// The controls every window is built from, named and placed as the window's design has them.

// Sets up a window of fixed size that is destroyed when it closes: `kind` is Qt::Window or
// Qt::Dialog, with any buttons beyond the close box. Its controls draw in verdana(8.25) unless
// they say otherwise, and it is never maximised.
void setUpFixedWindow(QWidget *window, Qt::WindowFlags kind);

void setTextColor(QWidget *widget, const QColor &color);
void setBackground(QWidget *widget, const QColor &color);

// A label that takes the size of its one-line text, keeping its top left corner.
void sizeToText(QLabel *label);

// A label of plain text in the given colour and font; its place is the caller's.
QLabel *makeLabel(QWidget *parent, const QString &name, const QString &text, const QColor &color,
                  const QFont &font);
// A label that keeps its box and wraps its text inside it.
QLabel *boxLabel(QWidget *parent, const QString &name, const QString &text, const QColor &color,
                 const QFont &font, const QRect &box);
// A label that takes the size of its text, from its top left corner, in twips.
QLabel *textLabel(QWidget *parent, const QString &name, const QString &text, const QColor &color,
                  const QFont &font, int left, int top);
// A link: the text underlined in the given colour and font, a pointing hand over it.
LinkLabel *makeLink(QWidget *parent, const QString &name, const QString &text, const QColor &color,
                    QFont font);
// Qt's QLineEdit cuts text at 32767 characters, silently and even inside a character; a text
// box here keeps whatever the user types or pastes.
inline constexpr int NoLengthLimit = std::numeric_limits<int>::max();

// A push button that Enter presses while it has the focus, as on Windows; it is never the
// window's default button.
QPushButton *makeButton(QWidget *parent, const QString &name, const QString &caption, const QRect &box);

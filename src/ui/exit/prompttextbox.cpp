#include "ui/exit/prompttextbox.h"

#include "platform/trim.h"

#include <QFocusEvent>

namespace {

// Switching to another program, a message box coming up or a context menu opening: the focus
// stays where it is inside the window.
bool leavesTheWindow(const QFocusEvent &event)
{
    return event.reason() == Qt::ActiveWindowFocusReason || event.reason() == Qt::PopupFocusReason;
}

} // namespace

QString textOnFocusIn(const QString &text, const QString &prompt)
{
    return trimSpaces(text) == prompt ? QString() : text;
}

QString textOnFocusOut(const QString &text, const QString &prompt)
{
    return trimSpaces(text).isEmpty() ? prompt : text;
}

PromptFocus::PromptFocus(const QString &prompt)
    : prompt(prompt)
{
}

QString PromptFocus::focusIn(const QFocusEvent &event, const QString &text)
{
    const bool returning = held && leavesTheWindow(event);
    held = true;
    return returning ? text : textOnFocusIn(text, prompt);
}

QString PromptFocus::focusOut(const QFocusEvent &event, const QString &text)
{
    if (leavesTheWindow(event))
        return text;
    held = false;
    return textOnFocusOut(text, prompt);
}

QString PromptFocus::windowActivated(bool boxHasFocus, const QString &text)
{
    if (!held || boxHasFocus)
        return text;
    held = false;
    return textOnFocusOut(text, prompt);
}

PromptTextBox::PromptTextBox(const QString &prompt, QWidget *parent)
    : QLineEdit(prompt, parent)
    , focus(prompt)
{
}

void PromptTextBox::apply(const QString &newText)
{
    if (newText != text())
        setText(newText);
}

void PromptTextBox::focusInEvent(QFocusEvent *event)
{
    apply(focus.focusIn(*event, text()));
    QLineEdit::focusInEvent(event);
}

void PromptTextBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    apply(focus.focusOut(*event, text()));
}

bool PromptTextBox::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        apply(focus.windowActivated(window()->focusWidget() == this, text()));
    return QLineEdit::event(event);
}

PromptTextEdit::PromptTextEdit(const QString &prompt, QWidget *parent)
    : QPlainTextEdit(parent)
    , focus(prompt)
{
    setText(prompt);
}

// The document keeps a line break as a paragraph end: "\r\n" handed to it whole would become two.
QString PromptTextEdit::text() const
{
    return toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

void PromptTextEdit::setText(const QString &text)
{
    setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void PromptTextEdit::apply(const QString &newText)
{
    if (newText != text())
        setText(newText);
}

void PromptTextEdit::focusInEvent(QFocusEvent *event)
{
    apply(focus.focusIn(*event, text()));
    QPlainTextEdit::focusInEvent(event);
}

void PromptTextEdit::focusOutEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusOutEvent(event);
    apply(focus.focusOut(*event, text()));
}

bool PromptTextEdit::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        apply(focus.windowActivated(window()->focusWidget() == this, text()));
    return QPlainTextEdit::event(event);
}

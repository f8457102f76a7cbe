#include "ui/exit/prompttextbox.h"

#include "app/trim.h"

#include <QFocusEvent>

namespace {

// The focus moving from one control to another. Switching to another program, a message box
// coming up or a context menu opening leave the focus where it is inside the window, so they
// neither clear a box nor put its prompt back: an emptied box stays empty for the user's return.
bool movesBetweenControls(const QFocusEvent *event)
{
    return event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
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

PromptTextBox::PromptTextBox(const QString &prompt, QWidget *parent)
    : QLineEdit(prompt, parent)
    , prompt(prompt)
{
}

void PromptTextBox::focusInEvent(QFocusEvent *event)
{
    if (movesBetweenControls(event)) {
        const QString cleared = textOnFocusIn(text(), prompt);
        if (cleared != text())
            setText(cleared);
    }
    QLineEdit::focusInEvent(event);
}

void PromptTextBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (movesBetweenControls(event)) {
        const QString restored = textOnFocusOut(text(), prompt);
        if (restored != text())
            setText(restored);
    }
}

PromptTextEdit::PromptTextEdit(const QString &prompt, QWidget *parent)
    : QPlainTextEdit(parent)
    , prompt(prompt)
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

void PromptTextEdit::focusInEvent(QFocusEvent *event)
{
    if (movesBetweenControls(event)) {
        const QString cleared = textOnFocusIn(text(), prompt);
        if (cleared != text())
            setText(cleared);
    }
    QPlainTextEdit::focusInEvent(event);
}

void PromptTextEdit::focusOutEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (movesBetweenControls(event)) {
        const QString restored = textOnFocusOut(text(), prompt);
        if (restored != text())
            setText(restored);
    }
}

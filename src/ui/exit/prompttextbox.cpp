#include "ui/exit/prompttextbox.h"

#include "ui/controls.h"
#include "ui/keys.h"
#include "ui/trim.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#include <utility>

namespace {

// Switching to another program, a message box coming up or a context menu opening: the focus
// stays where it is inside the window.
bool leavesTheWindow(const QFocusEvent &event)
{
    return event.reason() == Qt::ActiveWindowFocusReason || event.reason() == Qt::PopupFocusReason;
}

// Whether the event puts text into the box, or takes some out. Tab leaves the box, and an access
// key types nothing.
bool bringsInput(const QEvent &event)
{
    switch (event.type()) {
    case QEvent::KeyPress: {
        const auto &key = static_cast<const QKeyEvent &>(event);
        return key.key() != Qt::Key_Tab && key.key() != Qt::Key_Backtab && !isAltCombination(key);
    }
    case QEvent::InputMethod:
    case QEvent::Drop:
        return true;
    case QEvent::MouseButtonRelease: // the middle button pastes the selection on X11
        return static_cast<const QMouseEvent &>(event).button() == Qt::MiddleButton;
    default:
        return false;
    }
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

QString PromptFocus::beforeInput(const QString &text)
{
    if (held)
        return text;
    held = true;
    return textOnFocusIn(text, prompt);
}

PromptTextBox::PromptTextBox(const QString &prompt, QWidget *parent)
    : QLineEdit(prompt, parent)
    , focus(prompt)
{
    // A screen reader names the box by what belongs in it, whatever it holds at the moment.
    setAccessibleName(prompt);
    setMaxLength(NoLengthLimit);
}

void PromptTextBox::apply(const QString &newText)
{
    if (newText != text())
        setText(newText);
}

// Orca takes a change of text in a box that is gaining the focus for the focus itself and then
// ignores the focus that Qt reports after it, so the box would never say its name: the prompt
// goes one event later, once the focus has been reported, and at once should input come first.
void PromptTextBox::focusInEvent(QFocusEvent *event)
{
    const QString text = QLineEdit::text();
    clearing = focus.focusIn(*event, text) != text;
    QLineEdit::focusInEvent(event);
    if (clearing)
        QTimer::singleShot(0, this, &PromptTextBox::clearPrompt);
}

// The prompt only: whatever came into the box meanwhile stays.
void PromptTextBox::clearPrompt()
{
    if (std::exchange(clearing, false))
        apply(textOnFocusIn(text(), focus.promptText()));
}

void PromptTextBox::focusOutEvent(QFocusEvent *event)
{
    clearing = false;
    QLineEdit::focusOutEvent(event);
    apply(focus.focusOut(*event, text()));
}

bool PromptTextBox::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate || bringsInput(*event))
        clearPrompt();
    if (event->type() == QEvent::WindowActivate)
        apply(focus.windowActivated(window()->focusWidget() == this, text()));
    else if (bringsInput(*event))
        apply(focus.beforeInput(text()));
    return QLineEdit::event(event);
}

PromptTextEdit::PromptTextEdit(const QString &prompt, QWidget *parent)
    : QPlainTextEdit(parent)
    , focus(prompt)
{
    setAccessibleName(prompt);
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
    else if (bringsInput(*event))
        apply(focus.beforeInput(text()));
    return QPlainTextEdit::event(event);
}

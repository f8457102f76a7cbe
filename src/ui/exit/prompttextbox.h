#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>

class QFocusEvent;

// A text box without a caption shows a prompt ("Your Name") as its ordinary content while it
// holds nothing of the user's. The prompt goes when the box gains the focus and comes back when
// the box is left empty or blank. A box shows its prompt when its text, without spaces at the
// ends, is the prompt exactly, case included; there is no other state.

// The text a box holds once it has gained the focus.
QString textOnFocusIn(const QString &text, const QString &prompt);
// The text a box holds once it has lost the focus.
QString textOnFocusOut(const QString &text, const QString &prompt);

// Which focus changes count for a prompt box. Gaining the focus from another control (or on a
// click into an inactive window) clears the prompt; losing it to another control puts it back.
// Leaving for another window and coming back is neither, so an emptied box stays empty for the
// user's return; but if the focus moved on while the window was inactive, the box was left.
class PromptFocus
{
public:
    explicit PromptFocus(const QString &prompt);

    // Each returns the text the box holds after the event.
    QString focusIn(const QFocusEvent &event, const QString &text);
    QString focusOut(const QFocusEvent &event, const QString &text);
    QString windowActivated(bool boxHasFocus, const QString &text);
    // Input about to reach the box: keys, a paste, a drop. It can come without the box having
    // gained the focus, into a window not yet active, and must never be added to the prompt.
    QString beforeInput(const QString &text);
    const QString &promptText() const { return prompt; }

private:
    QString prompt;
    bool held = false; // the box has the focus within its window, active or not
};

// One line of text with a prompt.
class PromptTextBox : public QLineEdit
{
    Q_OBJECT

public:
    PromptTextBox(const QString &prompt, QWidget *parent);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool event(QEvent *event) override;

private:
    void apply(const QString &newText);
    void clearPrompt();

    PromptFocus focus;
    bool clearing = false; // the box gained the focus and its prompt is still to go
};

// Several lines of text with a prompt. Its text has Windows line breaks, a carriage return and
// a line feed, as a Windows text box hands them on.
class PromptTextEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    PromptTextEdit(const QString &prompt, QWidget *parent);

    QString text() const;
    void setText(const QString &text);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool event(QEvent *event) override;

private:
    void apply(const QString &newText);

    PromptFocus focus;
};

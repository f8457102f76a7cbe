#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>

// A text box without a caption shows a prompt ("Your Name") as its ordinary content while it
// holds nothing of the user's. The prompt goes when the box gains the focus and comes back when
// the box is left empty or blank. A box shows its prompt when its text, without spaces at the
// ends, is the prompt exactly, case included; there is no other state.

// The text a box holds once it has gained the focus.
QString textOnFocusIn(const QString &text, const QString &prompt);
// The text a box holds once it has lost the focus.
QString textOnFocusOut(const QString &text, const QString &prompt);

// One line of text with a prompt.
class PromptTextBox : public QLineEdit
{
    Q_OBJECT

public:
    PromptTextBox(const QString &prompt, QWidget *parent);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QString prompt;
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

private:
    QString prompt;
};

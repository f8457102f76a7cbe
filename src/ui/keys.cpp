#include "ui/keys.h"

#include <QKeyEvent>

std::optional<int> typedCharacter(const QKeyEvent &event)
{
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab: // moves the focus instead
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return std::nullopt;
    default:
        break;
    }
    if (isAltCombination(event))
        return std::nullopt;
    if (modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier))
        return key >= Qt::Key_A && key <= Qt::Key_Z ? std::optional<int>(key - Qt::Key_A + 1)
                                                    : std::nullopt;
    // Ctrl+Alt stands for AltGr on Windows and types the character it shows.
    const QString text = event.text();
    if (text.isEmpty())
        return std::nullopt;
    const QChar first = text.at(0);
    if (first.unicode() < 32 || first.unicode() == 127)
        return std::nullopt;
    return first.unicode();
}

bool isAltCombination(const QKeyEvent &event)
{
    return event.modifiers().testFlag(Qt::AltModifier) && !event.modifiers().testFlag(Qt::ControlModifier);
}

bool cancelledByKeyPress(const QKeyEvent &event, const std::function<void(int &KeyAscii)> &keyPress)
{
    const std::optional<int> code = typedCharacter(event);
    if (!code)
        return false;
    int KeyAscii = *code;
    keyPress(KeyAscii);
    return KeyAscii == 0;
}

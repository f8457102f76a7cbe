#pragma once

#include <functional>
#include <optional>

class QKeyEvent;

// The character code that a key press produces on Windows, or nothing for a key that produces
// none. Printable text gives its own code; Backspace 8, Enter 13 and Esc 27; Ctrl with a letter
// gives 1 to 26 (Ctrl+V is 22). Tab (it moves the focus), Delete, the arrows, Home, End, the
// function keys and Alt combinations (access keys) give nothing, whatever text the window system
// attaches: X11 reports Delete as U+007F.
std::optional<int> typedCharacter(const QKeyEvent &event);

// Hands a key typed into a text box to the box's KeyPress handler, as Windows does: the handler
// sees the character code and cancels the key by setting it to 0. Returns whether the key is
// cancelled; a key that types no character never reaches the handler.
bool cancelledByKeyPress(const QKeyEvent &event, const std::function<void(int &KeyAscii)> &keyPress);

// Alt with a key, not AltGr: an access key on Windows, which never types into a text box, even
// when no control answers to it.
bool isAltCombination(const QKeyEvent &event);

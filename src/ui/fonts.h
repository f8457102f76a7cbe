#pragma once

#include <QFont>
#include <QStringList>

#include <functional>

// Of `families`, in their order, those installed here. Asked for a family that is not,
// fontconfig runs its fallback search (the slowest step of loading a font) for every size and
// weight before Qt tries the next family, and that search, not the next family, picks the font
// drawn.
QStringList installedFamilies(const QStringList &families);

// Verdana where it is installed, else DejaVu Sans, which was drawn after the same model.
QFont verdana(qreal pointSize, bool bold = false);

// Runs `build` with `font` as the application font, then gives the desktop's font back. A
// QLineEdit lays its first, empty text out in the application font, before it takes the font of
// its panel: built with the panel's font in place, it never loads the desktop's font, which with
// a desktop's thousands of fonts costs two fontconfig searches for a font nothing here draws.
// Qt then keeps the desktop's font as the program's own choice and no longer follows the
// desktop when its font changes; from the first call on the program follows it itself.
void withApplicationFont(const QFont &font, const std::function<void()> &build);

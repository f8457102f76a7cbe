#pragma once

#include <QRect>

// The windows are laid out in twips, 1/1440 inch: 15 make one pixel at 96 dots per inch.
constexpr int twipsToPixels(int twips)
{
    return (twips >= 0 ? twips + 7 : twips - 7) / 15;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

#include "screentext.h"

#include <QFontMetrics>
#include <QMargins>
#include <QPainter>

#include <cstdlib>
#include <vector>

namespace {

// Close to the ink colour: the cores of the strokes, where antialiasing leaves the colour pure
// enough that rendering details of the edges cannot matter.
bool isInk(QRgb pixel, QRgb ink)
{
    return std::abs(qRed(pixel) - qRed(ink)) + std::abs(qGreen(pixel) - qGreen(ink))
               + std::abs(qBlue(pixel) - qBlue(ink))
           <= 48;
}

// The blank border that the screenshot must show around the line too: two spaces wide on the
// left and right, so that the line is not merely the start or the end of a longer one. Above and
// below it is one pixel: the lines of a message box lie closer than two.
QMargins blankBorder(const QFontMetrics &metrics)
{
    const int side = 2 * metrics.horizontalAdvance(QLatin1Char(' ')) + 1;
    return {side, 1, side, 1};
}

} // namespace

std::optional<QRect> findText(const QImage &shot, const QString &text, const TextLook &look)
{
    const QFontMetrics metrics(look.font);
    const QMargins border = blankBorder(metrics);
    QImage drawn(metrics.horizontalAdvance(text) + 4 * border.left(), metrics.height() + 4 * border.top(),
                 QImage::Format_RGB32);
    drawn.fill(look.background);
    {
        QPainter painter(&drawn);
        painter.setFont(look.font);
        painter.setPen(look.ink);
        painter.drawText(2 * border.left(), 2 * border.top() + metrics.ascent(), text);
    }
    const QRgb ink = look.ink.rgb();
    QRect inked;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (isInk(drawn.pixel(x, y), ink))
                inked |= QRect(x, y, 1, 1);
    if (inked.isEmpty())
        return std::nullopt;
    const QRect pattern = inked.marginsAdded(border);
    std::vector<bool> mask;
    mask.reserve(std::size_t(pattern.width()) * std::size_t(pattern.height()));
    for (int y = pattern.top(); y <= pattern.bottom(); ++y)
        for (int x = pattern.left(); x <= pattern.right(); ++x)
            mask.push_back(isInk(drawn.pixel(x, y), ink));

    // Anchor the pattern on its first inked pixel, so that only inked pixels of the screenshot
    // are tried as places.
    const QPoint anchor = QPoint(inked.left(), inked.top()) - pattern.topLeft();
    int anchorX = 0;
    while (!mask[std::size_t(anchor.y() * pattern.width() + anchorX)])
        ++anchorX;
    const QImage image = shot.convertToFormat(QImage::Format_RGB32);
    for (int y = anchor.y(); y + pattern.height() - anchor.y() <= image.height(); ++y) {
        for (int x = anchorX; x + pattern.width() - anchorX <= image.width(); ++x) {
            if (!isInk(image.pixel(x, y), ink))
                continue;
            const QPoint origin(x - anchorX, y - anchor.y());
            bool same = true;
            for (int row = 0; same && row < pattern.height(); ++row)
                for (int column = 0; same && column < pattern.width(); ++column)
                    same = isInk(image.pixel(origin.x() + column, origin.y() + row), ink)
                           == mask[std::size_t(row * pattern.width() + column)];
            if (same)
                return QRect(origin, pattern.size()).marginsRemoved(border);
        }
    }
    return std::nullopt;
}

int firstRowOfColour(const QImage &shot, int column, const QColor &colour)
{
    for (int y = 0; y < shot.height(); ++y)
        if (column < shot.width() && shot.pixelColor(column, y).rgb() == colour.rgb())
            return y;
    return -1;
}

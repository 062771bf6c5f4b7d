#include "ui/FittedText.h"

#include <QFontInfo>
#include <QFontMetrics>

namespace ui {

FittedText fitText(const QString& text, const QFont& font, int width, int smallestPixels) {
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    QFont smaller = font;
    for (int size = pixels; size >= smallestPixels && size > 0; --size) {
        smaller.setPixelSize(size);
        if (QFontMetrics(smaller).horizontalAdvance(text) <= width)
            return {size == pixels ? font : smaller, text};
    }
    smaller.setPixelSize(qMax(1, qMin(pixels, smallestPixels)));
    return {smaller, QFontMetrics(smaller).elidedText(text, Qt::ElideMiddle, width)};
}

} // namespace ui

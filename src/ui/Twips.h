#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <cmath>

namespace ui {

// Layouts are given in twips: 1,440 to the inch, 15 to a pixel at 96 dpi.
constexpr int twipsToPixels(int twips) {
    return (twips + 7) / 15;
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

// A control's place as a layout gives it: Left, Top, Width, Height in twips.
struct TwipsRect {
    int left, top, width, height;
};

// Colours are stored as 0x00BBGGRR, red in the low byte.
inline QColor colourFromBgr(quint32 bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

// Fonts are sized in pixels at 96 dpi so that text keeps its proportion to the
// twips layout whatever dpi the display reports. The face that stands in for a
// family is asked for by its own name: a family the system lacks sends the
// toolkit on a search of every fallback at its first use.
inline QFont screenFont(const QString& family, double points, bool bold = true) {
    const QStringList standIns = QFont::substitutes(family);
    QFont font(standIns.isEmpty() ? family : standIns.first());
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setBold(bold);
    return font;
}

} // namespace ui

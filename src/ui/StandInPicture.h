#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

namespace ui {

enum class PlateShape { Note, Coin };

struct PlateLook {
    PlateShape shape;
    QColor rim;  // the edge, or a coin's outer ring
    QColor face; // inside the edge
};

// Drawn where a picture could not be had: `text` in large figures on a plate
// of the given shape and colours, filling `size` (a coin keeps round).
QImage standInPicture(const QSize& size, const PlateLook& look, const QString& text);

} // namespace ui

#pragma once

#include <QFont>
#include <QString>

namespace ui {

// A line of text as drawn in a given width: in its own font if it fits; else
// in a smaller one, a pixel at a time, down to the smallest size that still
// reads; only past that, in the smallest size with its middle elided, so that
// both ends, which tell one name from another, stay in view.
struct FittedText {
    QFont font;
    QString text;
};

FittedText fitText(const QString& text, const QFont& font, int width, int smallestPixels);

} // namespace ui

#pragma once

#include <QColor>

namespace ui {

// WCAG 2.1 relative luminance (0 for black, 1 for white) and contrast ratio
// (1:1 to 21:1) of two colours.
double relativeLuminance(const QColor& colour);
double contrastRatio(const QColor& a, const QColor& b);

// The least ratio at which normal-size text stays readable (WCAG 2.1, AA).
constexpr double ReadableContrast = 4.5;

// Of a dark and a light text colour, the one that stands out more on the
// background: black or white unless told otherwise.
QColor readableTextOn(const QColor& background, const QColor& dark = Qt::black,
                      const QColor& light = Qt::white);

} // namespace ui

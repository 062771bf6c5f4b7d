#pragma once

#include <QColor>

namespace ui {

// WCAG 2.1 relative luminance (0 for black, 1 for white) and contrast ratio
// (1:1 to 21:1) of two colours.
double relativeLuminance(const QColor& colour);
double contrastRatio(const QColor& a, const QColor& b);

// The least ratio at which normal-size text stays readable (WCAG 2.1, AA).
constexpr double ReadableContrast = 4.5;

// Black where it reads on the background, white otherwise.
QColor readableTextOn(const QColor& background);

} // namespace ui

#include "ui/Contrast.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

double linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

} // namespace

double relativeLuminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableTextOn(const QColor& background, const QColor& dark, const QColor& light) {
    // Every colour reads in black or in white: the two meet near luminance 0.18.
    return contrastRatio(dark, background) >= contrastRatio(light, background) ? dark : light;
}

} // namespace ui

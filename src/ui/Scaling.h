#pragma once

#include "ui/Twips.h"

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace ui {

// A twips layout drawn larger by one factor in both directions, so that its
// proportions hold on a whiteboard as on the display it was drawn for.
struct LayoutScale {
    double factor = 1.0;

    // The largest factor at which `designed` still fits into `room`.
    static LayoutScale fitting(QSize designed, QSize room);

    QRect rect(const TwipsRect& place) const;
    QSize size(QSize designed) const;
    // Rounded down, so that a caption never outgrows the box it was drawn in.
    QFont font(const QFont& designed) const;
};

// Places a control at its twips rect, drawn at the scale of the client area it
// stands in, and remembers the rect for the next change of scale.
void placeScaled(QWidget* control, const TwipsRect& place);
// Gives a placed control a new size in twips; its place stays.
void resizeScaled(QWidget* control, int widthTwips, int heightTwips);

// The smallest twips rect holding every control placed straight on the
// client, but those shown on occasion while they are hidden.
TwipsRect placedBounds(const QWidget* client);
void markOnOccasion(QWidget* control);

// Draws the client area's placed controls at a new scale: their places,
// fonts and icons. Frames and focus rings keep their pixel widths. With an
// origin, the client area shows the layout from that point on, not from its
// corner.
void setClientScale(QWidget* client, const LayoutScale& scale, QPoint originTwips = {});

// The scale a control is drawn at: that of the client area it stands in.
LayoutScale scaleOf(const QWidget* control);

} // namespace ui

#include "ui/NumberPad.h"
#include "ui/Screen.h"

#include <QScreen>

// Where the content and the pad stand in the room below the menu bar.

namespace ui {

QSize Screen::withStrip(QSize content, QSize strip, bool below) {
    return below ? QSize(qMax(content.width(), strip.width()), content.height() + strip.height())
                 : QSize(content.width() + strip.width(), qMax(content.height(), strip.height()));
}

// On a display taller than wide the pad goes below the content, where it
// takes no width from it.
bool Screen::padBelow() const {
    const QScreen* display = screen();
    return display && display->availableGeometry().height() > display->availableGeometry().width();
}

// Content and pad stand together in the middle of the room, the pad right
// beside the content, both as large as the room allows.
void Screen::fitContent() {
    const QSize room = stage->size();
    const bool below = padBelow();
    const QSize whole =
        padShown ? withStrip(designedClient, pad->designedSize(), below) : designedClient;
    const LayoutScale fitted = LayoutScale::fitting(whole, room);
    ContentPlace content = {fitted, {}, fitted.size(designedClient)};
    QRect strip;
    if (padShown) {
        // On the board's whole screen the pad gives up some of its growth to the
        // figures: its keys stay larger than a fingertip.
        pad->setScale(shownFullScreen && fitted.factor > 1.0 ? qMax(1.0, 0.7 * fitted.factor)
                                                             : fitted.factor);
        strip = QRect(QPoint(), pad->size());
    }
    if (shownFullScreen)
        content = filling(room - (below ? QSize(0, strip.height()) : QSize(strip.width(), 0)));
    QRect area(QPoint(), content.size);
    if (padShown) {
        QRect both(QPoint(), withStrip(area.size(), strip.size(), below));
        both.moveCenter(stage->rect().center());
        if (below) {
            area.moveTopLeft({both.left() + (both.width() - area.width()) / 2, both.top()});
            strip.moveTopLeft(
                {both.left() + (both.width() - strip.width()) / 2, area.bottom() + 1});
        } else {
            area.moveTopLeft({both.left(), both.top() + (both.height() - area.height()) / 2});
            strip.moveTopLeft(
                {area.right() + 1, both.top() + (both.height() - strip.height()) / 2});
        }
        pad->setGeometry(strip);
    } else {
        area.moveCenter(stage->rect().center());
    }
    clientArea->setGeometry(area);
    if (content.scale.factor != scale || content.origin != origin) {
        scale = content.scale.factor;
        origin = content.origin;
        setClientScale(clientArea, content.scale, origin);
    }
}

// On a board's whole screen the controls themselves, not the room the layout
// was drawn in, fill what the pad leaves: the figures as large as the display
// allows, the empty part of the layout left out, all of it in the middle.
Screen::ContentPlace Screen::filling(QSize room) const {
    TwipsRect used = placedBounds(clientArea);
    if (used.width <= 0 || used.height <= 0)
        used = {0, 0, designedClient.width() * 15, designedClient.height() * 15};
    // A margin as wide as a key's gap, so that no frame touches the pad or the edge.
    constexpr int Margin = 8 * 15;
    used = {used.left - Margin, used.top - Margin, used.width + 2 * Margin,
            used.height + 2 * Margin};
    const QSize designed = twipsRect(0, 0, used.width, used.height).size();
    const LayoutScale scale = LayoutScale::fitting(designed, room);
    return {scale, {used.left, used.top}, scale.size(designed)};
}

} // namespace ui

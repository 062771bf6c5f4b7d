#include "ui/PictureSlot.h"

#include "ui/Scaling.h"

#include <QAccessible>
#include <QPainter>

namespace ui {

PictureSlot::PictureSlot(int index, const QString& emptyName)
    : Button(QString(), QFont()), slotIndex(index), emptyName(emptyName) {
    setAccessibleName(emptyName);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractButton::clicked, this, [this] { emit clickedAt(slotIndex); });
}

void PictureSlot::setPicture(PictureSource from, const QString& accessibleName) {
    const bool had = hasPicture();
    source = std::move(from);
    // Qt announces every renaming, even to the same name, and a flood of them
    // makes a screen reader drop what it was about to say.
    if (accessibleName != this->accessibleName())
        setAccessibleName(accessibleName);
    // A click with the mouse leaves the keyboard focus where it was.
    setFocusPolicy(source ? Qt::TabFocus : Qt::NoFocus);
    fetchPicture();
    // A screen reader lists only the places that hold a piece.
    if (had != hasPicture()) {
        QAccessibleEvent shown(this, had ? QAccessible::ObjectHide : QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }
}

void PictureSlot::clearPicture() {
    setPicture({}, emptyName);
}

void PictureSlot::fetchPicture() {
    picture = source ? source(size() * devicePixelRatioF()) : QImage();
    update();
}

void PictureSlot::resizeEvent(QResizeEvent* event) {
    Button::resizeEvent(event);
    // A slot placed while hidden hears of its size only when shown, and then
    // already holds its picture at that size.
    if (source && picture.size() != size() * devicePixelRatioF())
        fetchPicture();
}

void PictureSlot::setSizeTwips(int width, int height) {
    resizeScaled(this, width, height);
}

void PictureSlot::paintEvent(QPaintEvent*) {
    if (!picture.isNull()) {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), picture);
        // Held down with a key or the mouse, the piece darkens a little.
        if (isDown())
            painter.fillRect(rect(), QColor(0, 0, 0, 60));
    }
    if (hasFocus())
        paintFocusRing(this);
}

// The whole slot answers a click, not only a button's bevel.
bool PictureSlot::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

} // namespace ui

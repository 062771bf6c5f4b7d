#pragma once

#include "ui/Controls.h"

#include <QImage>
#include <functional>

namespace ui {

// One place of a board of pictures: a picture stretched to the slot's size, and a click reported
// with the slot's index. A disabled slot ignores clicks. Holding a picture, it is reached with Tab
// and pressed with Enter or the space bar as a Button is; an empty slot is passed over.
class PictureSlot : public Button {
    Q_OBJECT
public:
    // `emptyName` is what a screen reader hears on a slot with no picture.
    PictureSlot(int index, const QString& emptyName);

    int index() const { return slotIndex; }

    // The picture comes from `source`, asked for it at the size the slot is
    // shown at in device pixels, now and again whenever that size changes, so
    // that it is decoded sharp rather than stretched.
    using PictureSource = std::function<QImage(QSize)>;
    void setPicture(PictureSource source, const QString& accessibleName);
    void clearPicture();
    bool hasPicture() const { return bool(source); }
    const QImage& shownPicture() const { return picture; }

    // The place stays, only the size changes.
    void setSizeTwips(int width, int height);

signals:
    void clickedAt(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    const int slotIndex;
    const QString emptyName;
    void fetchPicture();

    PictureSource source;
    QImage picture;
};

} // namespace ui

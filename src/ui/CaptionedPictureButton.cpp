#include "ui/CaptionedPictureButton.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace ui {

namespace {

constexpr int Gap = 3;

} // namespace

CaptionedPictureButton::CaptionedPictureButton(const QString& caption, const QFont& font,
                                               const QIcon& picture)
    : Button(caption, font) {
    setIcon(picture);
    setIconSize(QSize(32, 32)); // drawn larger with the screen
}

void CaptionedPictureButton::paintEvent(QPaintEvent*) {
    {
        QStylePainter painter(this);
        QStyleOptionButton bevel;
        initStyleOption(&bevel);
        // The style would put the picture beside the caption: draw both here.
        bevel.text.clear();
        bevel.icon = QIcon();
        painter.drawControl(QStyle::CE_PushButton, bevel);

        const int captionHeight = fontMetrics().height();
        const int side = qMax(0, qMin(iconSize().height(), height() - captionHeight - 3 * Gap));
        const int shift = isDown() ? 1 : 0; // pressed, the content sinks a little
        const int top = (height() - side - Gap - captionHeight) / 2 + shift;
        const QRect picture((width() - side) / 2 + shift, top, side, side);
        icon().paint(&painter, picture, Qt::AlignCenter,
                     isEnabled() ? QIcon::Normal : QIcon::Disabled);
        const QRect caption(shift, picture.bottom() + 1 + Gap, width(), captionHeight);
        painter.drawItemText(caption, Qt::AlignHCenter | Qt::AlignTop, palette(), isEnabled(),
                             text(), QPalette::ButtonText);
    }
    if (pointed) {
        QPainter painter(this);
        constexpr int Edge = 4;
        painter.setPen(QPen(Qt::red, Edge));
        painter.drawRect(rect().adjusted(Edge / 2, Edge / 2, -Edge / 2, -Edge / 2));
    }
    if (hasFocus())
        paintFocusRing(this);
}

void CaptionedPictureButton::setPointedOut(bool pointedOut) {
    pointed = pointedOut;
    update();
}

} // namespace ui

#include "exercises/MoneyPieces.h"

#include "shell/Modulo1.h"
#include "ui/Services.h"
#include "ui/Twips.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

namespace {

// A JPEG has no transparency: the corners around a coin would show as a square
// of the picture's own background on the board's colour.
QImage roundCoin(const QImage& picture) {
    QImage round(picture.size(), QImage::Format_ARGB32_Premultiplied);
    round.setDevicePixelRatio(picture.devicePixelRatio());
    round.fill(Qt::transparent);
    QPainter painter(&round);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath circle;
    circle.addEllipse(QRectF(QPointF(0, 0), picture.deviceIndependentSize()));
    painter.setClipPath(circle);
    painter.drawImage(QPointF(0, 0), picture);
    return round;
}

} // namespace

QImage piecePicture(const Denomination& piece, QSize decoded) {
    ui::PictureLoader* pictures = ui::services().pictures;
    const QImage picture =
        pictures ? pictures->load(Modulo1::programPath(QString::fromLatin1(piece.file)), decoded)
                 : QImage();
    if (!picture.isNull())
        return piece.shape == ui::PlateShape::Coin ? roundCoin(picture) : picture;
    return ui::standInPicture(decoded, {piece.shape, QColor(piece.rim), QColor(piece.face)},
                              QString::fromUtf8(piece.figure));
}

#include "exercises/MoneyPieces.h"

#include "shell/Modulo1.h"
#include "shell/Texts.h"
#include "ui/Services.h"
#include "ui/Twips.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr quint32 Gold = 0xEBC143;
constexpr quint32 Silver = 0xC9CED4;

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

// The 1000 lire piece is the bimetallic coin, as its picture shows and its
// square slot fits.
const std::array<Denomination, 7> Denominations = {{
    {10000, "immagini/diecimila.jpg", 1450, 850, ui::PlateShape::Note, 0x4A3BB0, 0x6656D2},
    {5000, "immagini/cinquemila.jpg", 1450, 850, ui::PlateShape::Note, 0x137A66, 0x22A286},
    {2000, "immagini/duemila.jpg", 1450, 850, ui::PlateShape::Note, 0x924418, 0xC2652A},
    {1000, "immagini/mille.jpg", 800, 800, ui::PlateShape::Coin, Gold, Silver},
    {500, "immagini/cinquecento.jpg", 800, 800, ui::PlateShape::Coin, Silver, Gold},
    {200, "immagini/duecento.jpg", 800, 800, ui::PlateShape::Coin, 0xA77B16, 0xE8BF45},
    {100, "immagini/cento.jpg", 800, 800, ui::PlateShape::Coin, 0x8D949C, Silver},
}};

QString pieceName(const Denomination& piece) {
    const QString kind = piece.shape == ui::PlateShape::Note ? QStringLiteral("banconota")
                                                             : QStringLiteral("moneta");
    return QStringLiteral("%1 da %2 lire").arg(kind, amountText(Money::fromWhole(piece.value)));
}

QImage piecePicture(const Denomination& piece, QSize decoded) {
    ui::PictureLoader* pictures = ui::services().pictures;
    const QImage picture =
        pictures ? pictures->load(Modulo1::programPath(QString::fromLatin1(piece.file)), decoded)
                 : QImage();
    if (!picture.isNull())
        return piece.shape == ui::PlateShape::Coin ? roundCoin(picture) : picture;
    return ui::standInPicture(decoded, {piece.shape, QColor(piece.rim), QColor(piece.face)},
                              QString::number(piece.value));
}

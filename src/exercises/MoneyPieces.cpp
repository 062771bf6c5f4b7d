#include "exercises/MoneyPieces.h"

#include "platform/Services.h"
#include "shell/Modulo1.h"
#include "ui/Twips.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr quint32 Gold = 0xEBC143;
constexpr quint32 Silver = 0xC9CED4;
constexpr quint32 Brass = 0xD9A441;

using ui::PlateShape;

// In the order of the currency's pieces. The 1000 lire piece is the bimetallic
// coin, as its picture shows and its square slot fits.
constexpr std::array<PieceLook, 7> LireLooks = {{
    {"immagini/diecimila.jpg", 1450, 850, PlateShape::Note, 0x4A3BB0, 0x6656D2, "10000"},
    {"immagini/cinquemila.jpg", 1450, 850, PlateShape::Note, 0x137A66, 0x22A286, "5000"},
    {"immagini/duemila.jpg", 1450, 850, PlateShape::Note, 0x924418, 0xC2652A, "2000"},
    {"immagini/mille.jpg", 800, 800, PlateShape::Coin, Gold, Silver, "1000"},
    {"immagini/cinquecento.jpg", 800, 800, PlateShape::Coin, Silver, Gold, "500"},
    {"immagini/duecento.jpg", 800, 800, PlateShape::Coin, 0xA77B16, 0xE8BF45, "200"},
    {"immagini/cento.jpg", 800, 800, PlateShape::Coin, 0x8D949C, Silver, "100"},
}};

constexpr std::array<PieceLook, 7> EuroLooks = {{
    {"immagini/euro/dieci.jpg", 1450, 850, PlateShape::Note, 0xA8432C, 0xE0775A, "10 €"},
    {"immagini/euro/cinque.jpg", 1450, 850, PlateShape::Note, 0x2F5E8C, 0x5B8CC0, "5 €"},
    {"immagini/euro/dueeuro.jpg", 800, 800, PlateShape::Coin, Silver, Gold, "2 €"},
    {"immagini/euro/uneuro.jpg", 800, 800, PlateShape::Coin, Gold, Silver, "1 €"},
    {"immagini/euro/cinquantacentesimi.jpg", 800, 800, PlateShape::Coin, 0xA7801C, Brass, "50 c"},
    {"immagini/euro/venticentesimi.jpg", 800, 800, PlateShape::Coin, 0xA7801C, Brass, "20 c"},
    {"immagini/euro/diecicentesimi.jpg", 800, 800, PlateShape::Coin, 0xA7801C, Brass, "10 c"},
}};

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

const PieceLook& pieceLook(const Currency& currency, size_t index) {
    return (currency == Currency::euro() ? EuroLooks : LireLooks).at(index);
}

QImage piecePicture(const PieceLook& piece, QSize decoded) {
    platform::PictureLoader* pictures = platform::services().pictures;
    const QImage picture =
        pictures ? pictures->load(Modulo1::dataPath(QString::fromLatin1(piece.file)), decoded)
                 : QImage();
    if (!picture.isNull())
        return piece.shape == ui::PlateShape::Coin ? roundCoin(picture) : picture;
    return ui::standInPicture(decoded, {piece.shape, QColor(piece.rim), QColor(piece.face)},
                              QString::fromUtf8(piece.figure));
}

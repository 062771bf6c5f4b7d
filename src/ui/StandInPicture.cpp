#include "ui/StandInPicture.h"

#include "ui/Contrast.h"
#include "ui/Twips.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace ui {

namespace {

// The largest bold face whose `text`, centred, passes `fits`: a box for a note,
// a circle for a coin.
template <class Fits> QFont fittingFont(const QString& text, int largestPixels, Fits fits) {
    QFont font = screenFont(QStringLiteral("Arial"), 8);
    int pixels = qMax(1, largestPixels);
    for (; pixels > 1; --pixels) {
        font.setPixelSize(pixels);
        if (fits(QFontMetricsF(font).tightBoundingRect(text).size()))
            break;
    }
    font.setPixelSize(pixels);
    return font;
}

// White or near-black, whichever stands out more on the face.
QColor textColourOn(const QColor& face) {
    return readableTextOn(face, QColor(0x20, 0x20, 0x20), Qt::white);
}

} // namespace

QImage standInPicture(const QSize& size, const PlateLook& look, const QString& text) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);

    QRectF plate(QPointF(0, 0), QSizeF(size));
    if (look.shape == PlateShape::Coin) {
        const double side = qMin(plate.width(), plate.height());
        plate = QRectF(plate.center() - QPointF(side / 2, side / 2), QSizeF(side, side));
    }
    const double rim = qMax(2.0, qMin(plate.width(), plate.height()) * 0.1);
    const QRectF face = plate.adjusted(rim, rim, -rim, -rim);
    const QPen edge(QColor(0, 0, 0, 140), 1);
    painter.setPen(edge);
    painter.setBrush(look.rim);
    if (look.shape == PlateShape::Coin) {
        painter.drawEllipse(plate.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.setBrush(look.face);
        painter.drawEllipse(face);
    } else {
        const double corner = rim * 1.2;
        painter.drawRoundedRect(plate.adjusted(0.5, 0.5, -0.5, -0.5), corner, corner);
        painter.setPen(Qt::NoPen);
        painter.setBrush(look.face);
        painter.drawRect(face);
    }

    // The figures fill most of the face. On a coin every corner of their ink
    // stays inside the face, clear of the ring around it.
    QPointF centre = face.center();
    QFont font;
    if (look.shape == PlateShape::Coin) {
        const double reach = face.width() / 2 * 0.8;
        font = fittingFont(text, int(face.height()), [reach](QSizeF ink) {
            return std::hypot(ink.width() / 2, ink.height() / 2) <= reach;
        });
    } else {
        const QSizeF writable(face.width() * 0.9, face.height() * 0.76);
        font = fittingFont(text, int(writable.height()), [writable](QSizeF ink) {
            return ink.width() <= writable.width() && ink.height() <= writable.height();
        });
    }
    const QRectF ink = QFontMetricsF(font).tightBoundingRect(text);
    QPainterPath figures;
    figures.addText(centre - ink.center(), font, text);
    painter.setPen(Qt::NoPen);
    painter.setBrush(textColourOn(look.face));
    painter.drawPath(figures);
    return image;
}

} // namespace ui

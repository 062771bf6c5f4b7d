#include "ui/Icons.h"

#include <QHash>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QResource>
#include <memory>

// The icons live in the static library, whose resource initialiser the linker
// would otherwise drop.
static void loadIconResources() {
    static const bool loaded = [] {
        Q_INIT_RESOURCE(icons);
        Q_INIT_RESOURCE(start_icons);
        return true;
    }();
    Q_UNUSED(loaded);
}

namespace ui {

namespace {

QString resourceOf(IconPicture picture) {
    switch (picture) {
    case IconPicture::LaughingFace:
        return QStringLiteral(":/icons/laughing_face.svg");
    case IconPicture::SadFace:
        return QStringLiteral(":/icons/sad_face.svg");
    case IconPicture::SmilingFace:
        return QStringLiteral(":/icons/smiling_face.svg");
    case IconPicture::CartoonHead:
        return QStringLiteral(":/icons/cartoon_head.svg");
    case IconPicture::WhiteHand:
        return QStringLiteral(":/icons/white_hand.svg");
    }
    return {};
}

// A drawing rendered only at the pixel sizes asked for, when first asked for,
// and kept: rendering it up front at every size a screen might use cost the
// start screen several milliseconds. Read through the SVG picture reader, so
// that the program does not load the SVG library before its first paint.
class DrawingEngine : public QIconEngine {
public:
    DrawingEngine(QString resource, bool frowning) : drawing(std::make_shared<Drawing>()) {
        drawing->resource = std::move(resource);
        drawing->frowning = frowning;
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        // Every state shows the same picture, as a disabled face must stay visible.
        const int side = qMin(size.width(), size.height());
        if (side <= 0)
            return {};
        QPixmap& cached = drawing->rendered[side];
        if (cached.isNull())
            cached = drawing->render(side);
        return cached;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = qMin(size.width(), size.height());
        return {side, side};
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device()->devicePixelRatio();
        const QSize size = actualSize(rect.size(), mode, state);
        QPixmap picture = pixmap(size * ratio, mode, state);
        picture.setDevicePixelRatio(ratio);
        QRect target(QPoint(), size);
        target.moveCenter(rect.center());
        painter->drawPixmap(target, picture);
    }

    // The window system is sent a picture for each size offered: one is enough
    // for a title bar or a task list.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {QSize(32, 32)}; }

    QIconEngine* clone() const override { return new DrawingEngine(*this); }
    QString key() const override { return QStringLiteral("mercanzola-drawing"); }

private:
    struct Drawing {
        QString resource;
        bool frowning = false;
        QHash<int, QPixmap> rendered;

        QPixmap render(int side) {
            // Drawn at build time where the start screen needs it, the same
            // picture the SVG gives at that size, as bare pixels: no decoder
            // before the first paint. The SVG read names its format: a reader
            // left to guess loads every picture plugin to ask it.
            loadIconResources();
            if (const QImage drawn =
                    readPixels(resource.chopped(4) + QStringLiteral("-%1.rgba").arg(side), side);
                !drawn.isNull())
                return QPixmap::fromImage(drawn);
            if (const QImage drawn = readSvg(resource, side); !drawn.isNull())
                return QPixmap::fromImage(drawn);
            return standIn(side);
        }

        // Only the start screen's size is drawn ahead, so a missing file is the
        // usual case; a file of another length is not the picture.
        static QImage readPixels(const QString& file, int side) {
            const QResource pixels(file);
            const QByteArray bytes = pixels.isValid() ? pixels.uncompressedData() : QByteArray();
            if (bytes.size() != qsizetype(side) * side * 4)
                return {};
            return QImage(reinterpret_cast<const uchar*>(bytes.constData()), side, side, side * 4,
                          QImage::Format_RGBA8888_Premultiplied)
                .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        }

        static QImage readSvg(const QString& file, int side) {
            QImageReader reader(file, "svg");
            reader.setAutoDetectImageFormat(false);
            reader.setScaledSize(QSize(side, side));
            return reader.read();
        }

        // Without the SVG reader (a broken installation) a plain face still
        // tells right from wrong.
        QPixmap standIn(int side) const {
            QPixmap pixmap(side, side);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(side / 32.0, side / 32.0);
            painter.setPen(QPen(Qt::black, 1.5));
            painter.setBrush(QColor(255, 214, 0));
            painter.drawEllipse(QRectF(2, 2, 28, 28));
            painter.setBrush(Qt::black);
            painter.drawEllipse(QRectF(10, 10, 3, 4));
            painter.drawEllipse(QRectF(19, 10, 3, 4));
            painter.setBrush(Qt::NoBrush);
            const QRectF mouth(9, frowning ? 19 : 12, 14, 10);
            painter.drawArc(mouth, frowning ? 30 * 16 : 210 * 16, 120 * 16);
            return pixmap;
        }
    };
    // Shared by copies, so a copied icon does not render again.
    std::shared_ptr<Drawing> drawing;
};

} // namespace

QIcon icon(IconPicture picture) {
    // One engine per picture: every screen opening asks for its icons again.
    static QHash<IconPicture, QIcon> icons;
    auto found = icons.constFind(picture);
    if (found != icons.constEnd())
        return *found;
    const QIcon result(new DrawingEngine(resourceOf(picture), picture == IconPicture::SadFace));
    icons.insert(picture, result);
    return result;
}

} // namespace ui

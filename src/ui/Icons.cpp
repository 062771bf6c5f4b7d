#include "ui/Icons.h"

#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
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
// start screen several milliseconds. Rendered here rather than through the SVG
// icon plugin, so a missing plugin cannot leave the faces blank.
class DrawingEngine : public QIconEngine {
public:
    explicit DrawingEngine(QString resource) : drawing(std::make_shared<Drawing>()) {
        drawing->resource = std::move(resource);
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
        std::unique_ptr<QSvgRenderer> renderer;
        QHash<int, QPixmap> rendered;

        QPixmap render(int side) {
            // Drawn at build time where the start screen needs it, the same
            // picture the SVG gives at that size.
            loadIconResources();
            QPixmap drawn(resource.chopped(4) + QStringLiteral("-%1.png").arg(side));
            if (!drawn.isNull())
                return drawn;
            if (!renderer) {
                renderer = std::make_unique<QSvgRenderer>(resource);
            }
            QPixmap pixmap(side, side);
            pixmap.fill(Qt::transparent);
            if (renderer->isValid()) {
                QPainter painter(&pixmap);
                painter.setRenderHint(QPainter::Antialiasing);
                renderer->render(&painter);
            }
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
    const QIcon result(new DrawingEngine(resourceOf(picture)));
    icons.insert(picture, result);
    return result;
}

} // namespace ui

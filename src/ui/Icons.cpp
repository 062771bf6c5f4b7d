#include "ui/Icons.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The icons live in the static library, whose resource initialiser the linker
// would otherwise drop.
static void loadIconResources() {
    static const bool loaded = [] {
        Q_INIT_RESOURCE(icons);
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

} // namespace

QIcon icon(IconPicture picture) {
    // Rendered once per picture: every screen opening asks for its icons again.
    static QHash<IconPicture, QIcon> rendered;
    auto found = rendered.constFind(picture);
    if (found != rendered.constEnd())
        return *found;
    // Rendered here rather than through the SVG icon plugin, so a missing
    // plugin cannot leave the faces blank.
    loadIconResources();
    QSvgRenderer renderer(resourceOf(picture));
    QIcon result;
    if (!renderer.isValid())
        return result;
    for (int side : {16, 32, 48, 64, 96, 128}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        result.addPixmap(pixmap);
        result.addPixmap(pixmap, QIcon::Disabled);
    }
    rendered.insert(picture, result);
    return result;
}

} // namespace ui

#include "ui/LevelStars.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace ui {

namespace {

// A five-pointed star in a square of side `size` at `corner`.
QPainterPath star(QPointF corner, double size) {
    QPainterPath path;
    const QPointF centre = corner + QPointF(size / 2, size / 2 + size * 0.04);
    for (int point = 0; point < 10; ++point) {
        const double radius = point % 2 == 0 ? size / 2 : size / 5;
        const double angle = qDegreesToRadians(-90.0 + point * 36.0);
        const QPointF at = centre + QPointF(radius * qCos(angle), radius * qSin(angle));
        point == 0 ? path.moveTo(at) : path.lineTo(at);
    }
    path.closeSubpath();
    return path;
}

} // namespace

LevelStars::LevelStars(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusPolicy(Qt::NoFocus);
    if (parent) {
        parent->installEventFilter(this);
        place();
    }
}

void LevelStars::setLevel(int level) {
    shown = qBound(0, level, Stars);
    setAccessibleName(QStringLiteral("livello %1 di %2").arg(shown).arg(Stars));
    update();
}

// Three stars of the font's height, with a little room on each side.
QSize LevelStars::sizeHint() const {
    const int star = fontMetrics().height();
    return {Stars * star + star / 2, star};
}

// At the right end of the parent (the menu bar), as tall as it is, so that
// the stars stand in its middle at any size; placed after each of its
// changes rather than by its layout, which would ask the stars' size back.
void LevelStars::place() {
    const QWidget* bar = parentWidget();
    const int wide = sizeHint().width();
    setGeometry(bar->width() - wide, 0, wide, bar->height());
}

bool LevelStars::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::FontChange))
        place();
    return QWidget::eventFilter(watched, event);
}

void LevelStars::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double size = qMin(height(), fontMetrics().height()) * 0.85;
    const double gap = size * 0.1;
    const QColor outline = palette().color(QPalette::WindowText);
    const double left = width() - Stars * (size + gap) - size / 4.0;
    for (int n = 0; n < Stars; ++n) {
        const QPainterPath path = star({left + n * (size + gap), (height() - size) / 2}, size);
        painter.setPen(QPen(outline, qMax(1.0, size / 14)));
        painter.setBrush(n < shown ? QColor(0xF0, 0xB0, 0x00) : Qt::transparent);
        painter.drawPath(path);
    }
}

void LevelStars::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange && parentWidget())
        place();
    QWidget::changeEvent(event);
}

} // namespace ui

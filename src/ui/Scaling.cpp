#include "ui/Scaling.h"

#include "ui/Controls.h"

#include <QAbstractButton>
#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace ui {

namespace {

const char* const ScaleProperty = "ui_layoutScale";
const char* const OriginProperty = "ui_layoutOrigin"; // in twips
const char* const OnOccasionProperty = "ui_onOccasion";

// Keeps rounding from turning an exact pixel into the one below.
constexpr double Tolerance = 1e-9;

int scaledPixels(double twips, double factor) {
    return static_cast<int>(std::floor((twips * factor + 7.0) / 15.0 + Tolerance));
}

// What a placed control looks like at the designed size, kept beside it so
// that any scale can be drawn from it again without rounding drift.
class ScaledPlace : public QObject {
    Q_OBJECT
public:
    static ScaledPlace* kept(const QWidget* control) {
        return control->findChild<ScaledPlace*>(QString(), Qt::FindDirectChildrenOnly);
    }
    static ScaledPlace* of(QWidget* control) {
        if (ScaledPlace* place = kept(control))
            return place;
        return new ScaledPlace(control);
    }

    void moveTo(const TwipsRect& place) {
        twips = place;
        control->setGeometry(placed());
    }
    const TwipsRect& place() const { return twips; }

    void draw(const LayoutScale& scale) {
        // The icon size the screen gave, read while it is still drawn as designed.
        if (!designedIcon.isValid() || factor == 1.0)
            designedIcon = iconSize();
        factor = scale.factor;
        control->setGeometry(placed());
        drawFont();
        if (designedIcon.isValid())
            resizableIcon()->setIconSize(scale.size(designedIcon));
    }

protected:
    // A font the screen sets is in designed units, whatever the scale now. A
    // control without a font of its own follows its parent, drawn to scale.
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FontChange && !settingFont && ownFont() &&
            control->font() != LayoutScale{factor}.font(designedFont)) {
            designedFont = control->font();
            drawFont();
        }
        return false;
    }

private:
    // Where the control stands in its parent: a client area drawn from an
    // origin other than the layout's corner moves its controls by as much.
    QRect placed() const {
        const LayoutScale scale{factor};
        const QRect rect = scale.rect(twips);
        const QWidget* parent = control->parentWidget();
        const QVariant origin = parent ? parent->property(OriginProperty) : QVariant();
        if (!origin.isValid())
            return rect;
        const QPoint from = origin.toPoint();
        return rect.translated(-scale.rect({from.x(), from.y(), 0, 0}).topLeft());
    }

    explicit ScaledPlace(QWidget* control)
        : QObject(control), control(control), designedFont(control->font()),
          factor(scaleOf(control).factor) {
        control->installEventFilter(this);
        drawFont();
    }

    bool ownFont() const { return control->testAttribute(Qt::WA_SetFont); }

    void drawFont() {
        if (!ownFont())
            return;
        const QFont scaled = LayoutScale{factor}.font(designedFont);
        if (control->font() == scaled)
            return;
        settingFont = true;
        control->setFont(scaled);
        settingFont = false;
    }

    // A picture button sizes its picture to itself; other buttons keep theirs.
    QAbstractButton* resizableIcon() const {
        auto* button = qobject_cast<QAbstractButton*>(control);
        return button && !qobject_cast<PictureButton*>(control) ? button : nullptr;
    }
    QSize iconSize() const {
        const QAbstractButton* button = resizableIcon();
        return button ? button->iconSize() : QSize();
    }

    QWidget* control;
    TwipsRect twips{};
    QFont designedFont;
    QSize designedIcon;
    double factor;
    bool settingFont = false;
};

} // namespace

LayoutScale LayoutScale::fitting(QSize designed, QSize room) {
    if (designed.isEmpty() || room.isEmpty())
        return {};
    return {std::min(double(room.width()) / designed.width(),
                     double(room.height()) / designed.height())};
}

QRect LayoutScale::rect(const TwipsRect& place) const {
    return {scaledPixels(place.left, factor), scaledPixels(place.top, factor),
            scaledPixels(place.width, factor), scaledPixels(place.height, factor)};
}

QSize LayoutScale::size(QSize designed) const {
    return {static_cast<int>(std::floor(designed.width() * factor + Tolerance)),
            static_cast<int>(std::floor(designed.height() * factor + Tolerance))};
}

QFont LayoutScale::font(const QFont& designed) const {
    QFont scaled = designed;
    if (designed.pixelSize() > 0)
        scaled.setPixelSize(
            std::max(1, static_cast<int>(std::floor(designed.pixelSize() * factor + Tolerance))));
    else if (designed.pointSizeF() > 0)
        scaled.setPointSizeF(designed.pointSizeF() * factor);
    return scaled;
}

void placeScaled(QWidget* control, const TwipsRect& place) {
    ScaledPlace::of(control)->moveTo(place);
}

void resizeScaled(QWidget* control, int widthTwips, int heightTwips) {
    if (ScaledPlace* place = ScaledPlace::kept(control)) {
        place->moveTo({place->place().left, place->place().top, widthTwips, heightTwips});
        return;
    }
    control->resize(scaleOf(control).rect({0, 0, widthTwips, heightTwips}).size());
}

TwipsRect placedBounds(const QWidget* client) {
    QRect bounds; // in twips
    for (const QWidget* control : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (const ScaledPlace* place = ScaledPlace::kept(control);
            place && !(control->isHidden() && control->property(OnOccasionProperty).toBool())) {
            const TwipsRect& r = place->place();
            bounds |= QRect(r.left, r.top, r.width, r.height);
        }
    return {bounds.left(), bounds.top(), bounds.width(), bounds.height()};
}

void markOnOccasion(QWidget* control) {
    control->setProperty(OnOccasionProperty, true);
}

void setClientScale(QWidget* client, const LayoutScale& scale, QPoint originTwips) {
    client->setProperty(ScaleProperty, scale.factor);
    client->setProperty(OriginProperty, originTwips.isNull() ? QVariant() : QVariant(originTwips));
    // For the controls that inherit it; the client's parent keeps the designed font.
    if (const QWidget* holder = client->parentWidget())
        client->setFont(scale.font(holder->font()));
    for (ScaledPlace* place : client->findChildren<ScaledPlace*>())
        place->draw(scale);
}

LayoutScale scaleOf(const QWidget* control) {
    for (const QWidget* w = control->parentWidget(); w; w = w->parentWidget()) {
        const QVariant factor = w->property(ScaleProperty);
        if (factor.isValid())
            return {factor.toDouble()};
    }
    return {};
}

} // namespace ui

#include "Scaling.moc"

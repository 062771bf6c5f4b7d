#include "ui/TapGuard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QTouchEvent>

namespace ui {

namespace {

int holdMs = 500;

const char* const RepeatsProperty = "ui_tapRepeats";

QPoint globalPoint(const QEvent* event) {
    const auto* pointer = static_cast<const QPointerEvent*>(event);
    return pointer->points().isEmpty() ? QPoint()
                                       : pointer->points().first().globalPosition().toPoint();
}

// What a tap on `control` at `point` acted on, on the display: a menu bar's
// item, or the control. Null for what does not act on a tap.
QRect actingPlace(QWidget* control, QPoint point) {
    if (auto* bar = qobject_cast<QMenuBar*>(control)) {
        const QPoint local = bar->mapFromGlobal(point);
        QAction* item = bar->actionAt(local);
        return item ? QRect(bar->mapToGlobal(bar->actionGeometry(item).topLeft()),
                            bar->actionGeometry(item).size())
                    : QRect();
    }
    if (qobject_cast<QAbstractButton*>(control) && !control->property(RepeatsProperty).toBool())
        return {control->mapToGlobal(QPoint()), control->size()};
    return {};
}

// Drops the press of a tap that comes too soon where the last one acted, and
// everything that goes with it up to its release. Too soon is told by the
// events' own times where they have them: a busy moment (a new screen built)
// may hand over late a tap that the finger made right after the one that
// acted. A press seen again on its way up to a parent, or as the mouse press a
// touch makes, keeps the verdict of its first sight.
class TapFilter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType())
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::TouchBegin:
            return press(static_cast<QWidget*>(watched), event);
        case QEvent::MouseButtonRelease:
        case QEvent::TouchEnd:
            return release(event);
        case QEvent::MouseMove:
        case QEvent::TouchUpdate:
            return dropping;
        default:
            return false;
        }
    }

private:
    static quint64 stamp(const QEvent* event) {
        return static_cast<const QInputEvent*>(event)->timestamp();
    }

    bool press(QWidget* control, const QEvent* event) {
        const QPoint point = globalPoint(event);
        if (stamp(event) == pressStamp && point == pressPoint && pressStamp != 0)
            return dropping;
        pressStamp = stamp(event);
        pressPoint = point;
        dropping = tooSoon(stamp(event)) && held.contains(point) &&
                   !control->property(RepeatsProperty).toBool();
        pressed = dropping ? QRect() : actingPlace(control, point);
        return dropping;
    }

    bool release(const QEvent* event) {
        if (dropping) {
            dropping = false;
            return true;
        }
        // The place of the tap that acts now is held, before it acts.
        if (pressed.isValid()) {
            held = pressed;
            heldFrom = stamp(event);
            since.start();
            pressed = QRect();
        }
        return false;
    }

    bool tooSoon(quint64 now) const {
        if (!since.isValid())
            return false;
        if (heldFrom != 0 && now != 0)
            return now >= heldFrom && now - heldFrom < quint64(holdMs);
        return since.elapsed() < holdMs;
    }

    QElapsedTimer since;
    quint64 heldFrom = 0;
    QRect held;    // where the last tap acted, on the display
    QRect pressed; // where the tap going on now will act, if it does
    quint64 pressStamp = 0;
    QPoint pressPoint;
    bool dropping = false;
};

} // namespace

void guardTaps() {
    static TapFilter* const instance = [] {
        auto* created = new TapFilter;
        created->setParent(qApp);
        qApp->installEventFilter(created);
        return created;
    }();
    Q_UNUSED(instance);
}

void letTapRepeat(QWidget* control) {
    control->setProperty(RepeatsProperty, true);
}

void setTapHold(int milliseconds) {
    holdMs = milliseconds;
}

} // namespace ui

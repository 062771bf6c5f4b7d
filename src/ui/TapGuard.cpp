#include "ui/TapGuard.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QInputEvent>

namespace ui {

namespace {

int holdMs = 500;

// Drops the press of a tap that comes too soon, and the release that goes with
// it. Too soon is told by the clock, and by the events' own times: a busy
// moment (a new screen built) may hand over late a tap that the finger made
// right after the one that acted.
class TapFilter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType())
            return false;
        const auto stamp = [event] { return static_cast<const QInputEvent*>(event)->timestamp(); };
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::TouchBegin:
            dropping =
                (since.isValid() && since.elapsed() < holdMs) ||
                (heldFrom != 0 && stamp() >= heldFrom && stamp() - heldFrom < quint64(holdMs));
            return dropping;
        case QEvent::MouseButtonRelease:
        case QEvent::TouchEnd:
            if (!dropping) {
                lastRelease = stamp();
                return false;
            }
            dropping = false;
            return true;
        case QEvent::MouseMove:
        case QEvent::TouchUpdate:
            return dropping;
        default:
            return false;
        }
    }

    QElapsedTimer since;
    quint64 lastRelease = 0; // the time of the tap that is acting now, if one is
    quint64 heldFrom = 0;
    bool dropping = false;
};

TapFilter& filter() {
    static TapFilter* instance = [] {
        auto* created = new TapFilter;
        created->setParent(qApp);
        qApp->installEventFilter(created);
        return created;
    }();
    return *instance;
}

} // namespace

void holdTaps() {
    filter().since.start();
    filter().heldFrom = filter().lastRelease;
}

void setTapHold(int milliseconds) {
    holdMs = milliseconds;
}

} // namespace ui

#include "ui/TapGuard.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>

namespace ui {

namespace {

int holdMs = 500;

// Drops the press of a tap that comes too soon, and the release that goes with it.
class TapFilter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType())
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::TouchBegin:
            dropping = since.isValid() && since.elapsed() < holdMs;
            return dropping;
        case QEvent::MouseButtonRelease:
        case QEvent::TouchEnd:
            if (!dropping)
                return false;
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
}

void setTapHold(int milliseconds) {
    holdMs = milliseconds;
}

} // namespace ui

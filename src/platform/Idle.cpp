#include "platform/Idle.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWindow>

namespace platform {

namespace {

// Sees every event until a window is exposed, whose paint follows at once in
// the same delivery; the work is queued behind it.
class PaintWatcher : public QObject {
public:
    // Owned by the application, so that a watcher whose window never shows
    // (a test's offscreen screen) goes with it rather than leaking.
    explicit PaintWatcher(std::function<void()> work)
        : QObject(QCoreApplication::instance()), work(std::move(work)) {
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && watched->isWindowType() &&
            static_cast<QWindow*>(watched)->isExposed()) {
            QCoreApplication::instance()->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                work();
                deleteLater();
            });
        }
        return false;
    }

private:
    std::function<void()> work;
};

} // namespace

QObject* afterNextPaint(std::function<void()> work) {
    return new PaintWatcher(std::move(work));
}

} // namespace platform

#include "ui/KeyLatch.h"

#include <QApplication>
#include <QHash>
#include <QKeyEvent>

namespace ui {

namespace {

// Watches every key release in the program, wherever it lands, so that a
// repeat's press can be told from a new one even when the release went to
// another window.
class ReleaseWatcher : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyRelease) {
            const auto* key = static_cast<const QKeyEvent*>(event);
            if (!key->isAutoRepeat())
                lastRelease.insert(key->key(), key->timestamp());
        }
        return QObject::eventFilter(watched, event);
    }
    QHash<int, quint64> lastRelease;
};

ReleaseWatcher& watcher() {
    static ReleaseWatcher* instance = [] {
        auto* created = new ReleaseWatcher;
        created->setParent(qApp);
        qApp->installEventFilter(created);
        return created;
    }();
    return *instance;
}

// A repeat's press arrives with its release's time; allow for a little rounding.
constexpr quint64 RepeatGapMs = 2;

} // namespace

bool isFreshPress(const QKeyEvent* press) {
    if (press->isAutoRepeat())
        return false;
    const quint64 time = press->timestamp();
    if (time == 0) // synthetic events carry no time
        return true;
    const auto found = watcher().lastRelease.constFind(press->key());
    return found == watcher().lastRelease.constEnd() || *found == 0 ||
           time > *found + RepeatGapMs || time < *found;
}

// Releases are watched from the first control on.
KeyLatch::KeyLatch() {
    watcher();
}

void KeyLatch::press(const QKeyEvent* event) {
    if (isFreshPress(event))
        armedKey = event->key();
}

bool KeyLatch::release(const QKeyEvent* event) {
    if (event->isAutoRepeat() || armedKey == 0 || event->key() != armedKey)
        return false;
    armedKey = 0;
    return true;
}

} // namespace ui

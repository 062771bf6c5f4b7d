#include "ui/AltMenuKey.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>

namespace ui {

namespace {

bool isAltKey(const QKeyEvent* key) {
    return key->key() == Qt::Key_Alt || key->key() == Qt::Key_Meta;
}

} // namespace

AltMenuKey::AltMenuKey(QWidget* window, QMenuBar* bar) : QObject(bar), window(window), bar(bar) {
    window->installEventFilter(this);
}

bool AltMenuKey::eventFilter(QObject* watched, QEvent* event) {
    const auto* key = dynamic_cast<const QKeyEvent*>(event);
    if (watched == window && event->type() == QEvent::ShortcutOverride && key && isAltKey(key) &&
        (key->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier) {
        // Alt again while the bar has the keyboard closes it, as it should.
        if (!watching && !bar->hasFocus()) {
            watching = true;
            qApp->installEventFilter(this);
        }
        return false;
    }
    // Only the pupil's own keys and clicks count; keys handed on late by the
    // bridge arrive as posted, not spontaneous, events.
    if (!watching || !event->spontaneous())
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (!isAltKey(key))
            stopWatching(); // Alt with another key is not for the bar
        break;
    case QEvent::KeyRelease:
        if (isAltKey(key)) {
            stopWatching();
            // Qt's bar, still holding the press, has opened already; otherwise
            // press and release are given to it again, with nothing between.
            if (!bar->hasFocus() && window->isActiveWindow()) {
                // Qt's key event adds Alt to the modifiers of Alt's own key.
                QKeyEvent press(QEvent::ShortcutOverride, key->key(), Qt::NoModifier);
                QCoreApplication::sendEvent(window, &press);
                QKeyEvent release(QEvent::KeyRelease, key->key(), Qt::NoModifier);
                QCoreApplication::sendEvent(bar, &release);
            }
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        stopWatching();
        break;
    default:
        break;
    }
    return false;
}

void AltMenuKey::stopWatching() {
    watching = false;
    qApp->removeEventFilter(this);
}

} // namespace ui

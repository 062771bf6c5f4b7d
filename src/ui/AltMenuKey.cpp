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
    bar->installEventFilter(this);
}

bool AltMenuKey::eventFilter(QObject* watched, QEvent* event) {
    // A late Enter judged while the bar is open moves the focus to the next
    // box; the bar, which closes when it loses the keyboard, opens again and
    // gives the keyboard to that box when it closes.
    if (watched == bar && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() == Qt::OtherFocusReason) {
        QMetaObject::invokeMethod(this, &AltMenuKey::openBar, Qt::QueuedConnection);
        return false;
    }
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
            // Qt's bar, still holding the press, has opened already.
            openBar();
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

// Alt's press and release given to Qt's bar again, with nothing between.
void AltMenuKey::openBar() {
    if (bar->hasFocus() || !window->isActiveWindow() || !bar->isVisible())
        return;
    // Qt's key event adds Alt to the modifiers of Alt's own key.
    QKeyEvent press(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &release);
}

void AltMenuKey::stopWatching() {
    watching = false;
    qApp->removeEventFilter(this);
}

} // namespace ui

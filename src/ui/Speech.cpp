#include "ui/Speech.h"

#include <QAccessible>
#include <QApplication>

namespace ui {

SpokenLine::SpokenLine(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    // The smallest size a screen reader still counts as on show.
    setGeometry(0, 0, 1, 1);
}

SpokenNotice::SpokenNotice(const QString& sentence, QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    setAccessibleName(sentence);
}

namespace {

// Enough for a screen reader some actions behind; an older notice goes.
constexpr int NoticesKept = 8;

// Each part a sentence of its own, so that a voice pauses between them.
QString joined(QStringList& parts) {
    for (QString& part : parts)
        if (!QStringLiteral(".?!:;").contains(part.back()))
            part += u'.';
    const QString text = parts.join(u' ');
    parts.clear();
    return text;
}

} // namespace

Speech::Speech(QWidget* window) : QObject(window), window(window), line(new SpokenLine(window)) {
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        forgetOnFocusOut(old);
        describeNewFocus(now);
    });
}

void Speech::say(const QString& sentence, const QString& voiced) {
    if (sentence.isEmpty())
        return;
    pending << sentence;
    pendingVoiced << voiced;
    if (depth == 0)
        speakPending();
}

void Speech::begin() {
    if (depth++ == 0)
        focusBefore = window->focusWidget();
}

void Speech::end() {
    if (depth > 0)
        --depth;
    if (depth > 0)
        return;
    dropWhatTheFocusSays();
    speakPending();
}

void Speech::speakPending() {
    // The voice hears all that was said, also what a focused control's
    // description tells the screen reader instead.
    if (!pendingVoiced.isEmpty()) {
        const QString voiced = joined(pendingVoiced);
        if (voice)
            voice->hear(voiced);
    }
    if (pending.isEmpty())
        return;
    const QString sentence = joined(pending);
    if (!window->isActiveWindow()) {
        if (QWidget* focused = window->focusWidget()) {
            focused->setAccessibleDescription(sentence);
            described = focused;
        }
        return;
    }
    if (!notices.isEmpty() && notices.last())
        notices.last()->hide();
    if (notices.size() == NoticesKept)
        delete notices.takeFirst();
    notices << new SpokenNotice(sentence, line);
    notices.last()->show();
}

void Speech::dropWhatTheFocusSays() {
    QWidget* focused = window->focusWidget();
    if (!focused || focused == focusBefore || !window->isActiveWindow())
        return;
    if (QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(focused))
        pending.removeAll(heard->text(QAccessible::Description));
}

// A screen reader speaks a newly focused control at once, and only then a
// notification: what the action said so far (the outcome first, then the
// next question) goes with the control instead, so that it is heard in order.
void Speech::describeNewFocus(QWidget* now) {
    if (depth == 0 || pending.isEmpty() || !now || !window->isAncestorOf(now) ||
        !window->isActiveWindow())
        return;
    now->setAccessibleDescription(joined(pending));
    described = now;
}

void Speech::forgetOnFocusOut(QWidget* old) {
    if (old && old == described) {
        old->setAccessibleDescription(QString());
        described = nullptr;
    }
}

} // namespace ui

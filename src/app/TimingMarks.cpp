#include "app/TimingMarks.h"

#include <QWindow>
#include <cstdio>
#include <ctime>

namespace timing {

namespace {

void printMark(const char* name) {
    std::fprintf(stderr, "mark %s %lld\n", name, static_cast<long long>(now()));
    std::fflush(stderr);
}

} // namespace

qint64 now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

bool isFirstExposure(QObject* receiver, QEvent* event) {
    if (event->type() != QEvent::Expose || !receiver->isWindowType() ||
        !static_cast<QWindow*>(receiver)->isExposed())
        return false;
    // A property rather than a set of addresses: a new screen's window may take
    // the address of one already closed.
    static const char* const Seen = "mercanzolaExposed";
    if (receiver->property(Seen).isValid())
        return false;
    receiver->setProperty(Seen, true);
    return true;
}

bool MarkedApplication::notify(QObject* receiver, QEvent* event) {
    static const bool wanted = qEnvironmentVariableIsSet("MERCANZOLA_BENCH_MARKS");
    if (Q_LIKELY(!wanted))
        return QApplication::notify(receiver, event);
    const bool firstExposure = isFirstExposure(receiver, event);
    if (firstExposure)
        printMark("mapped");
    else if (event->type() == QEvent::KeyPress && receiver->isWindowType())
        printMark("key");
    const bool handled = QApplication::notify(receiver, event);
    // The paint and its flush to the window system happen within the delivery.
    if (firstExposure)
        printMark("painted");
    return handled;
}

} // namespace timing

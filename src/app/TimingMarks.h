#pragma once

#include <QApplication>

// Timing marks for the benchmarks, off unless MERCANZOLA_BENCH_MARKS is set:
// then each key press reaching a window and each window's first exposure
// ("mapped") and the end of its first paint ("painted") are written to standard
// error as "mark NAME NANOSECONDS", on the monotonic clock the benchmarks start
// the program by.
namespace timing {

qint64 now();

// Whether delivering this event paints a window for the first time; true once
// per window.
bool isFirstExposure(QObject* receiver, QEvent* event);

// An application that prints the marks when they are wanted.
class MarkedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace timing

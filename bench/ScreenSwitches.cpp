// Key to first paint of each screen switch on a real X server: start screen to
// menu through the release of Enter on "Avvio", then menu to every exercise screen
// registered and back, twice: the first pass is each screen's first visit in
// the run. Usage: bench_screens PROGRAM_FOLDER [--leggi] (--leggi: reading aloud
// on, as the option turns it on, and only the start to the menu measured).
// Prints "result" lines (see Report.h); exits non-zero when a switch never
// painted.

#include "Report.h"
#include "app/AllScreens.h"
#include "app/TimingMarks.h"
#include "platform/ReadingAloud.h"
#include "shell/Lesson.h"
#include "shell/Main.h"
#include "shell/ScreenChain.h"
#include "ui/Screen.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdio>

namespace {

// Notes when a window has been painted for the first time.
class WatchedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        const bool first = timing::isFirstExposure(receiver, event);
        const bool handled = QApplication::notify(receiver, event);
        if (first) {
            lastPaint = timing::now();
            ++paints;
        }
        return handled;
    }
    qint64 lastPaint = 0;
    int paints = 0;
};

WatchedApplication* app() {
    return static_cast<WatchedApplication*>(QCoreApplication::instance());
}

// Runs the event loop for a while, as a pupil reading the screen would.
void idle(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs `change`, then the event loop until a new window has been painted; the
// time from the start of `change` to the end of that paint, or -1.
template <class Change> qint64 switchTime(Change change) {
    const int before = app()->paints;
    const qint64 start = timing::now();
    change();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (app()->paints != before)
            loop.quit();
    });
    poll.start(0);
    QTimer::singleShot(15000, &loop, &QEventLoop::quit);
    loop.exec();
    return app()->paints == before ? -1 : app()->lastPaint - start;
}

bool failed = false;

void measure(const QString& name, qint64 nanoseconds) {
    if (nanoseconds < 0) {
        std::fprintf(stderr, "bench_screens: %s never painted\n", qPrintable(name));
        failed = true;
        return;
    }
    report(name, nanoseconds);
}

} // namespace

int main(int argc, char* argv[]) {
    WatchedApplication application(argc, argv);
    const bool reading = argc == 3 && argv[2] == QByteArrayView("--leggi");
    if (argc != 2 && !reading) {
        std::fprintf(stderr, "usage: bench_screens PROGRAM_FOLDER [--leggi]\n");
        return 2;
    }
    setUpToolkit();
    Lesson lesson;
    registerAllScreens(lesson);
    // The program's own start, with its data from the program folder.
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (switchTime([&] {
            Main(lesson, folder);
            if (reading)
                platform::readingAloud().turnOn();
        }) < 0) {
        std::fprintf(stderr, "bench_screens: the start screen never painted\n");
        return 1;
    }

    // The pupil presses Enter on "Avvio" 300 ms after the start screen has
    // painted, whatever the program is busy with then: the key waits in the
    // queue, as a real one would, and the time runs from when it was pressed.
    const qint64 pressed = timing::now() + 300'000'000;
    QTimer::singleShot(300, [] {
        QTest::keyPress(currentScreen()->windowHandle(), Qt::Key_Return);
        QTest::keyRelease(currentScreen()->windowHandle(), Qt::Key_Return);
    });
    const qint64 painted = switchTime([] {});
    measure(reading ? QStringLiteral("start → menu, reading aloud")
                    : QStringLiteral("start → menu"),
            painted < 0 ? painted : app()->lastPaint - pressed);
    if (reading)
        return failed ? 1 : 0;
    // The first look at the menu's fourteen buttons: the program readies the
    // sounds and the exercise frame meanwhile.
    idle(500);
    for (int visit = 1; visit <= 2; ++visit) {
        const QString which = visit == 1 ? QStringLiteral("first visit") : QStringLiteral("again");
        for (const ExerciseInfo& row : ExerciseTable) {
            const ScreenId screen = row.exercise;
            if (!isScreenAvailable(screen))
                continue;
            idle(100);
            // What a menu button's click runs.
            measure(QStringLiteral("menu → %1, %2").arg(formName(row.exercise), which),
                    switchTime([screen] { openScreen(screen, currentScreen()); }));
            idle(100);
            // What "Esci" answered with "Sì" runs.
            measure(QStringLiteral("%1 → menu").arg(formName(row.exercise)),
                    switchTime([] { openScreen(ScreenId::Menu, currentScreen()); }));
        }
    }
    return failed ? 1 : 0;
}

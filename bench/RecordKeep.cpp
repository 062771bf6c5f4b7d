// The record's share of one answer on the pupil's thread: platform::keepAnswer
// with the real plugin and a SQLite record in a temporary folder, the sending
// loop running beside it. Prints the mean and the slowest in microseconds.
// Usage: bench_record_keep PROGRAM_FOLDER [ANSWERS]

#include "platform/Record.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: bench_record_keep PROGRAM_FOLDER [ANSWERS]\n");
        return 2;
    }
    const int answers = arguments.size() > 2 ? arguments[2].toInt() : 2000;
    QTemporaryDir folder;
    qputenv("XDG_DATA_HOME", folder.path().toLocal8Bit());
    platform::startRecord(folder.filePath(QStringLiteral("registro.sqlite")), arguments[1]);
    platform::keepAnswer({.exercise = QStringLiteral("trova il costo totale"),
                          .exerciseNumber = 1,
                          .problem = QStringLiteral("primo"),
                          .answer = QStringLiteral("1"),
                          .right = true,
                          .seconds = 1.0,
                          .level = std::nullopt}); // loads the plugin, opens the queue
    qint64 total = 0;
    qint64 slowest = 0;
    QElapsedTimer clock;
    for (int i = 0; i < answers; ++i) {
        clock.start();
        platform::keepAnswer(
            {.exercise = QStringLiteral("trova il costo totale"),
             .exerciseNumber = 1,
             .problem = QStringLiteral("quaderno, costo unitario 300 lire, quantità %1").arg(i),
             .answer = QStringLiteral("600"),
             .right = i % 3 != 0,
             .seconds = 4.5,
             .level = std::nullopt});
        const qint64 spent = clock.nsecsElapsed();
        total += spent;
        slowest = std::max(slowest, spent);
    }
    platform::stopRecord();
    std::printf("%.1f %.1f\n", total / 1000.0 / answers, slowest / 1000.0);
    return 0;
}

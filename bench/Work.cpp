// The work behind one answer, offscreen, without painting: the CPU time of
// judging a right and a wrong answer through the exercise frame, reading a
// catalogue of 500 records, and each registered exercise screen's new problem.
// Usage: bench_work PROGRAM_FOLDER REPEATS. Prints "result" lines (see Report.h).

#include "Report.h"
#include "app/AllScreens.h"
#include "app/TimingMarks.h"
#include "frame/ExerciseScreen.h"
#include "platform/Record.h"
#include "platform/Services.h"
#include "shell/Lesson.h"
#include "shell/Main.h"
#include "shell/Modulo1.h"
#include "shell/ScreenChain.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <ctime>

namespace {

qint64 threadCpuNow() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// The frame's expected answer, which it keeps to itself and its screens.
struct ExpectedAnswer : ExerciseScreen {
    static Money of(const ExerciseScreen* screen) {
        return (screen->*(&ExpectedAnswer::expectedAnswer))();
    }
};

void catalogueReading(Lesson& lesson, int repeats) {
    QTemporaryDir folder;
    QFile list(folder.filePath(QStringLiteral("lista.txt")));
    if (!list.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(list.fileName()));
    for (int k = 1; k <= 500; ++k)
        list.write(QStringLiteral("\"articolo numero %1\",%2,%3\r\n")
                       .arg(k)
                       .arg(100 + k * 10)
                       .arg(150 + k * 12)
                       .toUtf8());
    list.close();
    const QString programFolder = platform::services().programFolder;
    platform::services().programFolder = folder.path();
    for (int i = 0; i < repeats; ++i) {
        const qint64 start = timing::now();
        Modulo1::CaricaLista(lesson);
        report(QStringLiteral("CaricaLista"), timing::now() - start);
    }
    platform::services().programFolder = programFolder;
    Modulo1::CaricaLista(lesson);
}

// Types the answer into Text1, presses Enter, and times the release, which
// judges it and, when right, draws the next problem.
qint64 judged(ExerciseScreen* screen, Money answer) {
    screen->Text1->setText(QString::number(answer.roundedWhole()));
    QTest::keyPress(screen->Text1, Qt::Key_Return);
    const qint64 start = threadCpuNow();
    QTest::keyRelease(screen->Text1, Qt::Key_Return);
    const qint64 spent = threadCpuNow() - start;
    // The repaint, outside the measure.
    QCoreApplication::processEvents();
    return spent;
}

bool answering(const Lesson& lesson, ExerciseScreen* screen, int repeats,
               const QString& prefix = QStringLiteral("answer")) {
    const QString name = formName(Exercise::TotalCost);
    const Money one = Money::fromWhole(1);
    for (int i = -3; i < repeats; ++i) { // three to warm up, the sound plugin among them
        const int right = lesson.NumeroEsatti.value();
        const qint64 rightTime = judged(screen, ExpectedAnswer::of(screen));
        const int wrong = lesson.NumeroErrati.value();
        const qint64 wrongTime = judged(screen, ExpectedAnswer::of(screen) + one);
        if (lesson.NumeroEsatti.value() != right + 1 || lesson.NumeroErrati.value() != wrong + 1)
            return false;
        if (i >= 0) {
            report(QStringLiteral("%1 right, %2").arg(prefix, name), rightTime);
            report(QStringLiteral("%1 wrong, %2").arg(prefix, name), wrongTime);
        }
        // Counts stay far from their cap.
        if (i % 1000 == 999)
            screen->MenuAzzera_Click();
    }
    return true;
}

// Form13 new problem: measured below like every screen once Form13 is
// registered. If its pictures come to be decoded outside NuovoProblema (on the
// first paint, say), add that here.
void newProblems(ExerciseScreen* screen, const QString& name, int repeats) {
    for (int i = 0; i <= repeats; ++i) {
        const qint64 start = timing::now();
        screen->NuovoProblema();
        const qint64 spent = timing::now() - start;
        QCoreApplication::processEvents();
        report(i == 0 ? QStringLiteral("new problem, %1, first").arg(name)
                      : QStringLiteral("new problem, %1").arg(name),
               spent);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_work PROGRAM_FOLDER REPEATS\n");
        return 2;
    }
    const int repeats = qMax(1, atoi(argv[2]));
    setUpToolkit();
    Lesson lesson;
    registerAllScreens(lesson);
    Main(lesson, QString::fromLocal8Bit(argv[1]));
    catalogueReading(lesson, repeats);

    ui::Screen* open = openScreen(ScreenId::Menu, currentScreen());
    for (const ExerciseInfo& row : ExerciseTable) {
        const ScreenId which = row.exercise;
        if (!isScreenAvailable(which))
            continue;
        open = openScreen(which, open);
        QCoreApplication::processEvents();
        if (auto* screen = qobject_cast<ExerciseScreen*>(open)) {
            newProblems(screen, formName(row.exercise), repeats);
            if (row.exercise == Exercise::TotalCost && !answering(lesson, screen, repeats)) {
                std::fprintf(stderr, "bench_work: Form1 did not judge the answers as expected\n");
                return 1;
            }
            if (row.exercise == Exercise::TotalCost) {
                // The same answers with the teacher's record on, in a SQLite file.
                QTemporaryDir recordFolder;
                platform::startRecord(recordFolder.filePath(QStringLiteral("registro.sqlite")),
                                      QString::fromLocal8Bit(argv[1]));
                if (!answering(lesson, screen, repeats, QStringLiteral("recorded answer")))
                    return 1;
                platform::stopRecord();
            }
        }
    }
    // Form13 again in euro: the same board with the euro pieces and pictures.
    Modulo1::CaricaLista(lesson, QStringLiteral("lista-euro.txt"));
    open = openScreen(Exercise::PayingWithMoney, open);
    QCoreApplication::processEvents();
    if (auto* screen = qobject_cast<ExerciseScreen*>(open))
        newProblems(screen, formName(Exercise::PayingWithMoney) + QStringLiteral(" in euro"),
                    repeats);
    return 0;
}

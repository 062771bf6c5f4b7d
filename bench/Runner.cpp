// Runs the benchmarks and prints one table. Start-up: the program and a bare
// Qt window started in turn on the same X server, timed from exec to their
// first window's exposure and to the end of its first paint, with their peak
// memory and shared libraries 2 s after exec. Then each screen switch, the
// work of one answer, the catalogue and each screen's new problem.
// Usage: mercanzola_bench --program FOLDER [--rounds N] [--quick]
// Measures only: the exit code is non-zero only when a measurement could not
// be taken at all.

#include "Child.h"
#include "Stats.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <functional>

namespace {

struct Options {
    QString programFolder;
    int rounds = 30;
    int repeats = 300;
};

QString benchTool(const char* name) {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(name));
}

// Named samples, kept in the order first seen.
class Samples {
public:
    void add(const QString& name, double value) {
        if (!values.contains(name))
            order << name;
        values[name] << value;
    }
    QList<double> of(const QString& name) const { return values.value(name); }
    const QStringList& names() const { return order; }

private:
    QStringList order;
    QMap<QString, QList<double>> values;
};

bool broken = false;

void trouble(const QString& what, const QString& output = {}) {
    broken = true;
    std::fprintf(stderr, "bench: %s\n", qPrintable(what));
    for (const QString& line : output.split(u'\n', Qt::SkipEmptyParts).mid(0, 20))
        std::fprintf(stderr, "    %s\n", qPrintable(line));
}

// --- Start-up ---------------------------------------------------------------

struct Launch {
    double mappedMs = -1, paintedMs = -1, peakMiB = -1, libraries = -1;
};

double peakMemoryMiB(pid_t pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const auto match = QRegularExpression(QStringLiteral("VmHWM:\\s*(\\d+) kB"))
                           .match(QString::fromLatin1(status.readAll()));
    return match.hasMatch() ? match.captured(1).toDouble() / 1024 : -1;
}

double librariesMapped(pid_t pid) {
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    if (!maps.open(QIODevice::ReadOnly))
        return -1;
    QSet<QString> paths;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const qsizetype slash = line.indexOf('/');
        if (slash < 0)
            continue;
        const QString path = QString::fromLocal8Bit(line.mid(slash));
        if (path.section(u'/', -1).contains(QLatin1String(".so")))
            paths.insert(path);
    }
    return double(paths.size());
}

Launch launch(const QString& program, const QString& label, const QStringList& arguments = {}) {
    Launch result;
    Child child(
        program, arguments,
        {QStringLiteral("MERCANZOLA_BENCH_MARKS=1"), QStringLiteral("QT_QPA_PLATFORM=xcb")});
    if (!child.started()) {
        trouble(QStringLiteral("cannot start %1").arg(program));
        return result;
    }
    // Still running 2 s after exec, as a pupil reads the start screen.
    QThread::msleep(2000);
    if (!child.running()) {
        trouble(QStringLiteral("%1 ended early, exit code %2").arg(label).arg(child.exitCode()),
                child.errors());
        return result;
    }
    result.peakMiB = peakMemoryMiB(child.id());
    result.libraries = librariesMapped(child.id());
    child.stop();
    const QString errors = child.errors();
    for (const auto& [name, into] : {std::pair{QStringLiteral("mapped"), &result.mappedMs},
                                     std::pair{QStringLiteral("painted"), &result.paintedMs}}) {
        const auto match = QRegularExpression(QStringLiteral("^mark %1 (\\d+)$").arg(name),
                                              QRegularExpression::MultilineOption)
                               .match(errors);
        if (match.hasMatch())
            *into = double(match.captured(1).toLongLong() - child.startedAt()) / 1e6;
    }
    if (result.paintedMs < 0)
        trouble(QStringLiteral("%1 printed no timing marks").arg(label), errors);
    return result;
}

void startUp(const Options& options, Samples& samples) {
    const QString program = QDir(options.programFolder).filePath(QStringLiteral("mercanzola"));
    const QString bare = benchTool("bench_bare");
    // Round 0 warms the file cache and is not counted.
    for (int round = 0; round <= options.rounds; ++round) {
        Launch ours, theirs, euro;
        // Each goes first in every other round, so neither always follows the other.
        if (round % 2) {
            ours = launch(program, QStringLiteral("mercanzola"));
            theirs = launch(bare, QStringLiteral("bench_bare"));
            euro = launch(program, QStringLiteral("mercanzola --euro"), {QStringLiteral("--euro")});
        } else {
            euro = launch(program, QStringLiteral("mercanzola --euro"), {QStringLiteral("--euro")});
            theirs = launch(bare, QStringLiteral("bench_bare"));
            ours = launch(program, QStringLiteral("mercanzola"));
        }
        if (round == 0 || ours.paintedMs < 0 || theirs.paintedMs < 0 || euro.paintedMs < 0)
            continue;
        samples.add(QStringLiteral("exec → first window mapped, bare Qt"), theirs.mappedMs);
        samples.add(QStringLiteral("exec → first window mapped, la mercanzola"), ours.mappedMs);
        samples.add(QStringLiteral("exec → first window mapped, ratio"),
                    ours.mappedMs / theirs.mappedMs);
        samples.add(QStringLiteral("exec → first paint, bare Qt"), theirs.paintedMs);
        samples.add(QStringLiteral("exec → first paint, la mercanzola"), ours.paintedMs);
        samples.add(QStringLiteral("exec → first paint, ratio"), ours.paintedMs / theirs.paintedMs);
        samples.add(QStringLiteral("exec → first paint, la mercanzola in euro"), euro.paintedMs);
        samples.add(QStringLiteral("exec → first paint, euro over lire"),
                    euro.paintedMs / ours.paintedMs);
        samples.add(QStringLiteral("peak memory after 2 s, bare Qt"), theirs.peakMiB);
        samples.add(QStringLiteral("peak memory after 2 s, la mercanzola"), ours.peakMiB);
        samples.add(QStringLiteral("peak memory after 2 s, ratio"), ours.peakMiB / theirs.peakMiB);
        samples.add(QStringLiteral("shared libraries mapped at 2 s, bare Qt"), theirs.libraries);
        samples.add(QStringLiteral("shared libraries mapped at 2 s, la mercanzola"),
                    ours.libraries);
        std::fprintf(stderr, "\rstart-up round %d of %d", round, options.rounds);
    }
    std::fprintf(stderr, "\n");
}

// --- Children reporting "result" lines ---------------------------------------

void readResults(const QString& output, const QString& prefix, double scale, Samples& samples) {
    for (const QString& line : output.split(u'\n')) {
        const QStringList fields = line.split(u'\t');
        if (fields.size() == 3 && fields[0] == QLatin1String("result"))
            samples.add(prefix + fields[1], fields[2].toDouble() / scale);
    }
}

void runReporting(const QString& tool, const QStringList& arguments, const QString& platform,
                  int seconds, const QString& prefix, Samples& samples,
                  const QStringList& environment = {}) {
    Child child(tool, arguments,
                QStringList{QStringLiteral("QT_QPA_PLATFORM=") + platform} + environment);
    if (!child.started()) {
        trouble(QStringLiteral("cannot start %1").arg(tool));
        return;
    }
    if (!child.waitForEnd(seconds * 1000))
        trouble(QStringLiteral("%1 took more than %2 s").arg(tool).arg(seconds));
    else if (child.exitCode() != 0)
        trouble(QStringLiteral("%1 failed, exit code %2").arg(tool).arg(child.exitCode()),
                child.errors());
    readResults(child.output(), prefix, 1e6, samples);
}

void screenSwitches(const Options& options, Samples& samples) {
    // A new process each round, so every round has its first visits.
    for (int round = 1; round <= options.rounds; ++round) {
        runReporting(benchTool("bench_screens"), {options.programFolder}, QStringLiteral("xcb"),
                     120, QStringLiteral("key → first paint, "), samples);
        std::fprintf(stderr, "\rscreen switches round %d of %d", round, options.rounds);
    }
    std::fprintf(stderr, "\n");
}

// Enter on "Avvio" with --leggi, against the same without, with Debian's
// espeak-ng module behind speech-dispatcher (bench.sh's, in the folder named
// by MERCANZOLA_BENCH_SPEECHD): running already, started by the voice, and a
// start that fails.
void startWithVoice(const Options& options, Samples& samples) {
    const QString folder = qEnvironmentVariable("MERCANZOLA_BENCH_SPEECHD");
    if (folder.isEmpty())
        return;
    auto at = [&folder](const char* name) { return QDir(folder).filePath(QLatin1String(name)); };
    auto address = [&at](const char* socket) {
        return QStringLiteral("SPEECHD_ADDRESS=unix_socket:") + at(socket);
    };
    const struct {
        QString name;
        QStringList environment;
    } cases[] = {
        {QStringLiteral(", speech-dispatcher running"),
         {address("running.sock"), QStringLiteral("SPEECHD_CMD=/bin/false")}},
        {QStringLiteral(", speech-dispatcher not yet running"),
         {address("spawned.sock"), QStringLiteral("SPEECHD_CMD=") + at("spawn.sh")}},
        {QStringLiteral(", speech-dispatcher failing to start"),
         {address("failed.sock"), QStringLiteral("SPEECHD_CMD=") + at("spawn-fails.sh")}},
    };
    // Only the start to the menu, taken from a run of its own.
    auto startToMenu = [&](const QStringList& arguments, const QStringList& environment,
                           const QString& name) {
        Samples one;
        runReporting(benchTool("bench_screens"), QStringList{options.programFolder} + arguments,
                     QStringLiteral("xcb"), 120, QString(), one, environment);
        for (const QString& measured : one.names())
            if (measured.startsWith(u"start → menu"))
                for (double value : one.of(measured))
                    samples.add(QStringLiteral("key → first paint, start → menu") + name, value);
    };
    for (int round = 1; round <= options.rounds; ++round) {
        startToMenu({}, {}, QStringLiteral(", without reading aloud"));
        for (const auto& c : cases) {
            startToMenu({QStringLiteral("--leggi")}, c.environment,
                        QStringLiteral(", reading aloud") + c.name);
            // Each round finds speech-dispatcher not running again.
            QProcess::execute(at("stop-spawned.sh"), {});
        }
        std::fprintf(stderr, "\rstart with the voice round %d of %d", round, options.rounds);
    }
    std::fprintf(stderr, "\n");
}

void work(const Options& options, Samples& samples) {
    runReporting(benchTool("bench_work"), {options.programFolder, QString::number(options.repeats)},
                 QStringLiteral("offscreen"), 600, QString(), samples);
}

// A teacher's sheet from the command line, exec to the PDF written and the
// program ended: all 13 exercises, 4 problems each, with the answers.
void worksheet(const Options& options, Samples& samples) {
    QTemporaryDir folder;
    for (int round = 1; round <= options.rounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        Child child(QDir(options.programFolder).filePath(QStringLiteral("mercanzola")),
                    {QStringLiteral("--scheda"), folder.filePath(QStringLiteral("scheda.pdf")),
                     QStringLiteral("--soluzioni"), QStringLiteral("--seme"),
                     QString::number(round)},
                    {});
        if (!child.started() || !child.waitForEnd(60000) || child.exitCode() != 0) {
            trouble(QStringLiteral("the worksheet could not be written"), child.errors());
            return;
        }
        samples.add(QStringLiteral("worksheet, 13 exercises with solutions"),
                    clock.nsecsElapsed() / 1e6);
    }
}

// --- The table -----------------------------------------------------------------

QString target(const QString& name) {
    if (name.startsWith(u"exec →") && name.endsWith(QLatin1String("ratio")))
        return QStringLiteral("≤ 1.05×");
    if (name == QStringView(u"exec → first paint, euro over lire"))
        return QStringLiteral("≤ 1.02×");
    if (name == QLatin1String("peak memory after 2 s, ratio"))
        return QStringLiteral("≤ 1.10×");
    if (name.startsWith(QLatin1String("worksheet")))
        return QStringLiteral("≤ 500 ms");
    if (name.startsWith(QStringLiteral("key → first paint, start → menu, reading aloud")))
        return QStringLiteral("≤ 1.10× without");
    if (name.startsWith(u"key →"))
        return QStringLiteral("≤ 16 ms");
    if (name.startsWith(QLatin1String("recorded answer")))
        return QStringLiteral("≤ 1 ms");
    if (name.startsWith(QLatin1String("answer")))
        return QStringLiteral("≤ 0.2 ms");
    if (name.startsWith(QLatin1String("CaricaLista")))
        return QStringLiteral("≤ 0.5 ms");
    if (name == QLatin1String("new problem, Form13") ||
        name == QLatin1String("new problem, Form13 in euro"))
        return QStringLiteral("≤ 2 ms");
    return {};
}

QString shown(const QString& name, double value) {
    if (name.endsWith(QLatin1String("ratio")) || name.endsWith(QLatin1String("over lire")))
        return QString::number(value, 'f', 2) + QStringLiteral("×");
    if (name.startsWith(QLatin1String("peak memory")))
        return QString::number(value, 'f', 1) + QStringLiteral(" MiB");
    if (name.startsWith(QLatin1String("shared libraries")))
        return QString::number(value, 'f', 0);
    return QString::number(value, 'f', value < 1 ? 3 : value < 10 ? 2 : 1) + QStringLiteral(" ms");
}

QString describe(const QString& name) {
    if (name.startsWith(QLatin1String("answer")))
        return QStringLiteral("CPU per judged ") + name;
    if (name == QLatin1String("CaricaLista"))
        return QStringLiteral("CaricaLista, 500 records");
    if (name.startsWith(QLatin1String("new problem")) && !name.endsWith(QLatin1String("first")))
        return name + QStringLiteral(", after the first");
    return name;
}

QString loadAverage() {
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).section(u' ', 0, 2)
                                          : QStringLiteral("?");
}

void printTable(const Options& options, const Samples& samples, const QString& loadBefore) {
    int width = 0;
    for (const QString& name : samples.names())
        width = qMax(width, int(describe(name).size()));
    auto line = [&](const QString& a, const QString& b, const QString& c, const QString& d,
                    const QString& e, const QString& f) {
        std::printf("%s\n", qPrintable(QStringLiteral("%1  %2  %3  %4  %5  %6")
                                           .arg(a, -width)
                                           .arg(b, 9)
                                           .arg(c, 9)
                                           .arg(d, 9)
                                           .arg(e, 4)
                                           .arg(f)
                                           .trimmed()));
    };
    std::printf("la mercanzola benchmarks: %d rounds, %d repeats of the work; "
                "load average %s before, %s after\n\n",
                options.rounds, options.repeats, qPrintable(loadBefore), qPrintable(loadAverage()));
    line(QStringLiteral("measure"), QStringLiteral("median"), QStringLiteral("min"),
         QStringLiteral("max"), QStringLiteral("n"), QStringLiteral("target"));
    for (const QString& name : samples.names()) {
        const Stats s = Stats::of(samples.of(name));
        line(describe(name), shown(name, s.median), shown(name, s.min), shown(name, s.max),
             QString::number(s.count), target(name));
    }
    std::printf(
        "\nStart-up: exec to the first window's exposure and to the end of its first "
        "paint, the program and\na bare Qt window started in turn; ratios are taken "
        "round by round. Switches: Enter on \"Avvio\",\nthen what a menu button and "
        "\"Esci\" run, to the end of the new window's first paint; with and without "
        "the voice, from\nEnter pressed 300 ms after the start screen painted. Answers:\nCPU time "
        "of the release of Enter, offscreen, without the repaint. Worksheet: exec of --scheda "
        "to its\nend, the PDF written. The machine may be shared: run again when it is "
        "quiet before\nreading much into a few percent.\n");
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    Options options;
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--quick")) {
            options.rounds = 2;
            options.repeats = 20;
        } else if (argument == QLatin1String("--rounds") && i + 1 < arguments.size()) {
            options.rounds = qMax(1, arguments[++i].toInt());
        } else if (argument == QLatin1String("--program") && i + 1 < arguments.size()) {
            options.programFolder = QDir(arguments[++i]).absolutePath();
        } else {
            std::fprintf(stderr,
                         "usage: mercanzola_bench --program FOLDER [--rounds N] [--quick]\n");
            return 2;
        }
    }
    if (options.programFolder.isEmpty() || qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "bench: needs --program FOLDER and an X server in DISPLAY\n");
        return 2;
    }
    const QString loadBefore = loadAverage();
    Samples samples;
    startUp(options, samples);
    screenSwitches(options, samples);
    startWithVoice(options, samples);
    work(options, samples);
    worksheet(options, samples);
    printTable(options, samples, loadBefore);
    return broken ? 1 : 0;
}

// A morning at school in a few minutes: the pupil goes from the menu into every
// exercise screen in turn, answers, pastes, resets, and comes back, for 100,000
// answers over 1,000 visits (--quick: 5,000 over 50). The resident memory is
// reported at the start, after warming up and at the end; the run fails when it
// grew by more than 1 MiB after warming up, or when the program reported an error.
//
//   mercanzola_soak [--quick] [--answers N] [--visits N] [--seed N] [--folder DIR]
//                   [--allowed-growth KIB] [--trace]

#include "Pupil.h"
#include "QuietServices.h"

#include "app/AllScreens.h"
#include "app/Application.h"
#include "frame/ExerciseScreen.h"
#include "model/ProgramError.h"
#include "shell/FormAvvio.h"
#include "shell/FormMenu.h"
#include "shell/Lesson.h"
#include "shell/Modulo1.h"
#include "shell/ScreenChain.h"

#include <QMap>
#include <QSet>
#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <string>

namespace {

struct Plan {
    long answers = 100'000;
    long visits = 1'000;
    unsigned long long seed = 20240901;
    QString folder = QStringLiteral(MERCANZOLA_PROGRAM_DIR);
    bool trace = false; // the memory after every visit
    // A sanitizer's bookkeeping grows on its own: there the run looks for its
    // findings, not for growth.
    long allowedGrowthKiB = 1024;
};

Plan planFrom(int argc, char* argv[]) {
    Plan plan;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool valued = i + 1 < argc;
        if (arg == "--quick") {
            plan.answers = 5'000;
            plan.visits = 50;
        } else if (arg == "--trace") {
            plan.trace = true;
        } else if (arg == "--answers" && valued) {
            plan.answers = std::stol(argv[++i]);
        } else if (arg == "--visits" && valued) {
            plan.visits = std::stol(argv[++i]);
        } else if (arg == "--allowed-growth" && valued) {
            plan.allowedGrowthKiB = std::stol(argv[++i]);
        } else if (arg == "--seed" && valued) {
            plan.seed = std::stoull(argv[++i]);
        } else if (arg == "--folder" && valued) {
            plan.folder = QString::fromLocal8Bit(argv[++i]);
        } else {
            std::fprintf(stderr, "soak: unknown argument %s\n", argv[i]);
            std::exit(2);
        }
    }
    plan.visits = std::max(1L, std::min(plan.visits, plan.answers));
    return plan;
}

// Lets closed screens go and the screens paint, as the event loop would.
void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// The offscreen platform notes every raise() it cannot do: keep the first of each.
void quietRepeats(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    static QSet<QString> seen;
    if (seen.size() < 100 && !seen.contains(text)) {
        seen.insert(text);
        qt_message_output(type, context, text);
    } else if (type == QtFatalMsg) {
        qt_message_output(type, context, text);
    }
}

void say(const char* what, long kib) {
    std::printf("soak: resident memory %-16s %8ld KiB\n", what, kib);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietRepeats);
    Application app(argc, argv);
    const Plan plan = planFrom(argc, argv);

    std::mt19937_64 engine(plan.seed);
    QuietMessages messages(engine);
    SilentSounds sounds;
    SeededRandom random(engine);
    QList<int> failedExits;
    platform::Services& services = platform::services();
    services.messages = &messages;
    services.sounds = &sounds;
    services.random = &random;
    services.programFolder = plan.folder;
    services.endProgram = [&](int code) {
        if (code != 0)
            failedExits << code;
    };
    setUpToolkit();
    Lesson lesson;
    registerAllScreens(lesson);
    try {
        Modulo1::CaricaLista(lesson);
    } catch (const ProgramError& error) {
        std::fprintf(stderr, "soak: %s\n", error.what());
        return 2;
    }

    openScreen(ScreenId::Avvio);
    settle();
    static_cast<FormAvvio*>(currentScreen())->Command1->click();
    settle();
    auto* menu = dynamic_cast<FormMenu*>(currentScreen());
    QList<int> exercises; // the menu's buttons that open a screen
    for (auto it = menu->Command.cbegin(); it != menu->Command.cend(); ++it)
        if (it.key() != 1 && it.value()->isEnabled())
            exercises << it.key();
    const long warmUpVisits =
        std::min(plan.visits - 1, std::max(plan.visits / 10, 2L * long(exercises.size())));

    const long start = residentKiB();
    say("at the start", start);
    long warm = start;
    long answers = 0, right = 0, wrong = 0;
    QMap<QString, long> visitsOf;
    QString failure;
    Pupil pupil(engine);
    for (long visit = 0; visit < plan.visits && failure.isEmpty(); ++visit) {
        menu = dynamic_cast<FormMenu*>(currentScreen());
        if (!menu) {
            failure = QStringLiteral("the menu did not come back");
            break;
        }
        if (visit % 10 == 5)
            menu->Command.value(1)->click(); // "Esci", mostly answered No
        const int button = exercises.at(int(visit % exercises.size()));
        const QString caption = menu->Command.value(button)->text();
        menu->Command.value(button)->click();
        settle();
        auto* screen = dynamic_cast<ExerciseScreen*>(currentScreen());
        if (!screen) {
            failure = QStringLiteral("\"%1\" opened no exercise screen").arg(caption);
            break;
        }
        ++visitsOf[caption];

        const long share = plan.answers / plan.visits + (visit < plan.answers % plan.visits);
        for (long i = 0; i < share; ++i) {
            pupil.fidget(screen);
            const int esatti = lesson.NumeroEsatti.value();
            const int errati = lesson.NumeroErrati.value();
            if (!pupil.answer(screen)) {
                failure = QStringLiteral("\"%1\" offers nothing to answer").arg(caption);
                break;
            }
            ++answers;
            right += lesson.NumeroEsatti.value() - esatti;
            wrong += lesson.NumeroErrati.value() - errati;
            settle();
        }
        // Back to the menu through "Esci"; the question is answered No now and then.
        for (int tries = 0; currentScreen() == screen && tries < 50; ++tries) {
            screen->mnuEsci->trigger();
            settle();
        }
        if (plan.trace)
            std::printf("soak: visit %ld, %ld KiB, heap %zu KiB\n", visit + 1, residentKiB(),
                        mallinfo2().uordblks / 1024);
        if (visit + 1 == warmUpVisits) {
            warm = residentKiB();
            say("after warming up", warm);
        }
        if (!messages.errors.isEmpty() || !failedExits.isEmpty())
            failure = messages.errors.value(0, QStringLiteral("the program asked to end"));
    }
    const long end = residentKiB();
    say("at the end", end);

    std::printf("soak: %ld answers (%ld right, %ld wrong, %ld pasted), %ld sounds, %d questions\n",
                answers, right, wrong, pupil.pasted, sounds.played, messages.asked);
    for (auto it = visitsOf.cbegin(); it != visitsOf.cend(); ++it)
        std::printf("soak:   %5ld visits to \"%s\"\n", it.value(), qPrintable(it.key()));
    const long growth = end - warm;
    std::printf("soak: growth after warming up: %ld KiB (at most %ld allowed)\n", growth,
                plan.allowedGrowthKiB);
    if (!failure.isEmpty()) {
        std::printf("soak: FAILED: %s\n", qPrintable(failure));
        return 1;
    }
    if (growth > plan.allowedGrowthKiB) {
        std::printf("soak: FAILED: memory grew by %ld KiB\n", growth);
        return 1;
    }
    std::printf("soak: passed\n");
    return 0;
}

#include "shell/Main.h"
#include "app/AllScreens.h"
#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/CommandLineOptions.h"
#include "app/RecordCommands.h"
#include "model/ProgramError.h"
#include "platform/ReadingAloud.h"
#include "platform/Record.h"
#include "shell/FatalReport.h"
#include "shell/Lesson.h"
#include "shell/Modulo1.h"
#include "ui/NumberPad.h"
#include "ui/Screen.h"

#include <QFileInfo>
#include <cstdio>

namespace {

void print(FILE* to, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), to);
}

// A teacher checks an edited catalogue before the lesson: the same reading,
// and the same report, as at start-up.
int checkCatalogue(const QString& file) {
    try {
        Modulo1::CaricaLista(QFileInfo(file).absoluteFilePath());
    } catch (const ProgramError& error) {
        print(stderr, error.text() + u'\n');
        return 1;
    }
    const int records = lesson().NumeroArticoli.value();
    print(stdout, QStringLiteral("%1: %2 %3, valuta %4\n")
                      .arg(file)
                      .arg(records)
                      .arg(records == 1 ? QStringLiteral("articolo") : QStringLiteral("articoli"))
                      .arg(lesson().currency().name()));
    return 0;
}

void reportMistakes(const QString& error) {
    print(stderr, error + QStringLiteral("\nPer le opzioni: mercanzola --help\n"));
}

} // namespace

int main(int argc, char* argv[]) {
    // Help and the check need no display, so they are answered before the toolkit starts; the
    // toolkit's own options (-platform ...) are read only after it has taken them.
    QStringList raw;
    for (int i = 0; i < argc; ++i)
        raw << QString::fromLocal8Bit(argv[i]);
    const CommandLine early = readCommandLine(raw);
    if (early.help) {
        print(stdout, commandLineHelp());
        return 0;
    }
    if (early.checkAsked) {
        if (!early.error.isEmpty()) {
            reportMistakes(early.error);
            return 2;
        }
        return checkCatalogue(early.check);
    }
    if (early.recordCommand()) {
        // The teacher's report reads a database: no display, no toolkit.
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("mercanzola"));
        if (!early.error.isEmpty()) {
            reportMistakes(early.error);
            return 2;
        }
        return runRecordCommand(early, recordDestination(early, RecordConfigFile),
                                QCoreApplication::applicationDirPath());
    }
    Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mercanzola"));
    // Docks and task bars group the windows with the launcher of this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(MERCANZOLA_APP_ID));
    const CommandLine command = readCommandLine(QApplication::arguments());
    if (!command.error.isEmpty()) {
        reportMistakes(command.error);
        return 2;
    }
    ui::Screen::chooseFullScreen(command.fullScreen);
    if (command.numberPad)
        ui::NumberPad::choose(*command.numberPad ? ui::NumberPad::Choice::Shown
                                                 : ui::NumberPad::Choice::Hidden);
    setUpToolkit();
    registerAllScreens();
    const QString record = recordDestination(command, RecordConfigFile);
    if (!record.isEmpty())
        platform::startRecord(record, QApplication::applicationDirPath());
    try {
        Main({}, command.catalogue);
        if (command.readAloud)
            platform::readingAloud().turnOn();
    } catch (const std::exception& error) {
        reportFatalError(&error);
        return 1;
    }
    return QApplication::exec();
}

#include "shell/Main.h"
#include "app/AllScreens.h"
#include "app/Application.h"
#include "app/CommandLine.h"
#include "shell/FatalReport.h"
#include "ui/Screen.h"

#include <cstdio>

namespace {

void print(FILE* to, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), to);
}

} // namespace

int main(int argc, char* argv[]) {
    // Help needs no display, so it is answered before the toolkit starts; the
    // toolkit's own options (-platform ...) are read only after it has taken them.
    QStringList raw;
    for (int i = 0; i < argc; ++i)
        raw << QString::fromLocal8Bit(argv[i]);
    if (readCommandLine(raw).help) {
        print(stdout, commandLineHelp());
        return 0;
    }
    Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mercanzola"));
    const CommandLine command = readCommandLine(QApplication::arguments());
    if (!command.error.isEmpty()) {
        print(stderr, command.error + QStringLiteral("\nPer le opzioni: mercanzola --help\n"));
        return 2;
    }
    ui::Screen::chooseFullScreen(command.fullScreen);
    setUpToolkit();
    registerAllScreens();
    try {
        Main();
    } catch (const std::exception& error) {
        reportFatalError(&error);
        return 1;
    }
    return QApplication::exec();
}

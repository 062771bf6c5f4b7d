#include "shell/Main.h"
#include "app/AllScreens.h"
#include "app/Application.h"
#include "shell/FatalReport.h"

int main(int argc, char* argv[]) {
    Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mercanzola"));
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

#include "app/Application.h"

#include "shell/FatalReport.h"

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return timing::MarkedApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        reportFatalError(&error);
    } catch (...) {
        reportFatalError(nullptr);
    }
    return false;
}

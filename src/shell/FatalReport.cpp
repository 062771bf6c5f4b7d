#include "shell/FatalReport.h"

#include "model/ProgramError.h"
#include "platform/Services.h"
#include "platform/Warning.h"

void reportFatalError(const QString& text) {
    // An error raised while the report is on screen must not open a second one.
    static bool reporting = false;
    platform::warn(text);
    if (reporting)
        return;
    reporting = true;
    platform::Services& s = platform::services();
    if (s.messages)
        s.messages->reportError(text);
    if (s.endProgram)
        s.endProgram(1);
    reporting = false;
}

void reportFatalError(const std::exception* error) {
    if (const auto* known = dynamic_cast<const ProgramError*>(error))
        reportFatalError(known->text());
    else if (error)
        reportFatalError(QStringLiteral("Errore interno del programma: %1.")
                             .arg(QString::fromLocal8Bit(error->what())));
    else
        reportFatalError(QStringLiteral("Errore interno del programma."));
}

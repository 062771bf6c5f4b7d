#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What the program was asked for on its command line (arguments[0] is the
// program): how to start, or help, or a mistake to tell about.
struct CommandLine {
    bool fullScreen = false;
    bool help = false;
    // The on-screen number pad asked for or refused; unset, it shows on a
    // touch screen and in full screen.
    std::optional<bool> numberPad;
    // The catalogue to read instead of lista.txt: an absolute path, or
    // lista-euro.txt in the program folder; empty for lista.txt.
    QString catalogue;
    // A catalogue to check and report on, opening no window; empty otherwise.
    QString check;
    QString error; // in Italian, for the terminal; empty when all is understood
};

CommandLine readCommandLine(const QStringList& arguments);

// The options, each with what it does, in Italian.
QString commandLineHelp();

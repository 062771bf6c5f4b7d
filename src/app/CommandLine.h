#pragma once

#include "model/LevelChoice.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

// What the program was asked for on its command line (arguments[0] is the
// program): how to start, or help, or a mistake to tell about.
struct CommandLine {
    bool fullScreen = false;
    bool help = false;
    bool version = false;
    bool readAloud = false;
    // How slowly the voice reads, 0 to 2; unset, the user's settings decide.
    std::optional<int> slowness;
    // The on-screen number pad asked for or refused; unset, it shows on a
    // touch screen and in full screen.
    std::optional<bool> numberPad;
    // The level of every exercise, or of the sheet's problems; unset, the
    // livello.conf files decide.
    std::optional<LevelChoice> level;
    // The catalogue to read instead of lista.txt: an absolute path, or
    // lista-euro.txt in the program folder; empty for lista.txt.
    QString catalogue;
    // A catalogue to check and report on, opening no window; empty otherwise.
    QString check;
    // --controlla was given, with or without its file: answered with no display.
    bool checkAsked = false;
    // The teacher's record: a SQLite file (absolute) or a postgresql:// URI;
    // empty when not named here.
    QString record;
    // Report commands, answered without a window.
    bool summary = false;
    QDate since; // null: from the first answer
    QDate until; // null: to the last answer
    bool wrongAnswers = false;
    QDate deleteBefore; // null: nothing deleted by date
    QString csv;
    QString html;
    QString forgetPupil;
    bool confirmed = false; // --sì: a deletion goes without a question
    bool recordCommand() const {
        return summary || !csv.isEmpty() || !html.isEmpty() || !forgetPupil.isEmpty() ||
               wrongAnswers || deleteBefore.isValid();
    }
    // A worksheet to write, with no window; or the dialog that prepares one.
    QString worksheet;
    bool worksheetAsked = false;   // --scheda given, with or without its file
    bool worksheetOptions = false; // an option that only a sheet takes
    bool prepareWorksheet = false;
    std::vector<int> worksheetExercises; // by their menu numbers; empty: all
    int problemsEach = 4;
    bool problemsAsked = false;
    bool solutions = false;
    bool largePrint = false;
    std::optional<std::uint64_t> seed;
    bool classAsked = false; // --classe: one sheet per pupil
    QString classList;       // the list named after --classe; empty: found as the lesson finds it
    QString sheetCode;       // --codice: the sheet printed with this code, made again
    QString answersFile;     // --soluzioni-in: the answer pages in a file of their own
    QString sheetTitle;      // --titolo: the teacher's own heading
    QString error;           // in Italian, for the terminal; empty when all is understood
};

// The toolkit's own options (-platform, -style ...) are left for it to read.
CommandLine readCommandLine(const QStringList& arguments);

// The options, each with what it does, in Italian, within 80 columns.
QString commandLineHelp();

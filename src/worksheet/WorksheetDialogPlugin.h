#pragma once

#include "model/Catalogue.h"
#include "worksheet/Worksheet.h"

#include <QtPlugin>
#include <cstdint>
#include <optional>
#include <vector>

// A catalogue the dialog can draw from: where it is, and what reading it
// gave, so that a broken one is told in the dialog rather than on a terminal
// no teacher sees.
struct SheetCatalogue {
    QString path;
    std::optional<Catalogue> catalogue; // none when it could not be read
    QString error;                      // why not, in Italian
};

// Which choices the command line made: those win over the ones the dialog
// remembers from last time.
struct SheetChoicesGiven {
    bool exercises = false, problems = false, seed = false, solutions = false, largePrint = false,
         level = false, title = false, classList = false, catalogue = false;
};

// What the dialog starts from.
struct SheetDialogStart {
    std::vector<SheetCatalogue> catalogues; // in lire and in euro, or the one named
    std::size_t chosen = 0;                 // the one the command line asked for
    QStringList pupils;                     // the class list, if one was found
    QString classListNote;                  // where it came from, or why there is none
    QString note;                           // what the command line asked that cannot be
    WorksheetOptions options;               // the command line's choices
    bool answersApart = false;              // --soluzioni-in: the answers in a file of their own
    SheetChoicesGiven given;
};

// What the worksheet dialog's plugin offers. Qt Print Support lives in the
// plugin, so that neither the program's start nor a sheet written from the
// command line loads it.
class WorksheetDialogFactory {
public:
    virtual ~WorksheetDialogFactory() = default;
    // Shows the dialog until it is closed.
    virtual int runDialog(const SheetDialogStart& start) = 0;
};

#define MERCANZOLA_WORKSHEET_DIALOG_IID "org.lamercanzola.WorksheetDialogFactory/3"
Q_DECLARE_INTERFACE(WorksheetDialogFactory, MERCANZOLA_WORKSHEET_DIALOG_IID)

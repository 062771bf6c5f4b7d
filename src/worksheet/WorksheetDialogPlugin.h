#pragma once

#include "model/Catalogue.h"
#include "worksheet/Worksheet.h"

#include <QtPlugin>
#include <cstdint>

// What the worksheet dialog's plugin offers. Qt Print Support lives in the
// plugin, so that neither the program's start nor a sheet written from the
// command line loads it.
class WorksheetDialogFactory {
public:
    virtual ~WorksheetDialogFactory() = default;
    // Shows the dialog until it is closed; the catalogue gives the problems
    // and their currency, the options (from the command line) its first choices.
    virtual int runDialog(const Catalogue& catalogue, const WorksheetOptions& options) = 0;
};

#define MERCANZOLA_WORKSHEET_DIALOG_IID "org.lamercanzola.WorksheetDialogFactory/2"
Q_DECLARE_INTERFACE(WorksheetDialogFactory, MERCANZOLA_WORKSHEET_DIALOG_IID)

#include "SheetPrinting.h"

#include <QPrinter>

void matchThePdf(QPrinter& printer) {
    printer.setFullPage(false);
    printer.setPageLayout(worksheet::sheetPageLayout());
    printer.setResolution(worksheet::SheetDpi);
}

int printSheets(QPrinter& printer, const Catalogue& catalogue, const WorksheetOptions& options,
                SheetPart part) {
    matchThePdf(printer);
    worksheet::PageRange range;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        range.first = printer.fromPage();
        range.last = printer.toPage() > 0 ? printer.toPage() : range.first;
    }
    return paintWorksheet(printer, catalogue, options, part, range);
}

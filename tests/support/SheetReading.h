#pragma once

// The printed sheet read back as a teacher's eyes would: the program run as on
// a server with no display, its PDF through poppler's pdftotext and pdfinfo.

#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <vector>

struct SheetRun {
    int status;
    QString errors;
};

// mercanzola with these arguments, with no display at all.
SheetRun runSheetProgram(const QString& program, const QStringList& arguments);

// The text of the pages from `first` to `last` (0: the end), as pdftotext
// lays it out, on one line.
QString textOf(const QString& pdf, int first = 1, int last = 0);

int pagesOf(const QString& pdf);

// A word as pdftotext -bbox places it, in points from the page's top left.
struct Word {
    QString text;
    QRectF box;
};
std::vector<Word> wordsOf(const QString& pdf, int page);

// The pages' sizes as pdfinfo gives them, one line each.
QStringList pageSizesOf(const QString& pdf);

// The fonts a PDF embeds, as pdffonts names them.
QString fontsOf(const QString& pdf);

inline constexpr double PointsPerMm = 72 / 25.4;

// A sheet's text with "%BLANK%" where a blank to write in stands.
QRegularExpression withBlanks(const QString& text);

// Text as a reader compares it: compatibility forms folded, no spaces, no
// bidi marks.
QString comparable(const QString& text);

// Writes a file for a test, or ends it.
QString writeFile(const QString& path, const QByteArray& bytes);

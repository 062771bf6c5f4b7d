#pragma once

#include <QFont>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <climits>
#include <variant>
#include <vector>

class QPagedPaintDevice;
class QPageLayout;

namespace worksheet {

// A line of text, wrapped at the page's width; a line with a blank to write
// in stands at least minHeightMm high.
struct Text {
    QString text;
    bool bold = false;
    double minHeightMm = 0;
};

// A table with a heading row; shaded cells hold no control on the screen.
struct Grid {
    QStringList heading;
    std::vector<QStringList> rows;
    std::vector<std::vector<bool>> shaded;
};

// Pieces of money to circle: notes drawn as notes, coins as coins.
struct Piece {
    QString label; // "10.000 lire"
    bool note;
};
struct Pieces {
    std::vector<Piece> pieces;
};

// Squared paper for the working, as an Italian pupil does it in column.
struct Squares {
    int columns = 0;
    int rows = 0;
};

using Row = std::variant<Text, Grid, Pieces, Squares>;

// What stays together on one page: a problem, or a heading; squares for
// the working may stand beside its lines, at the right.
struct Block {
    std::vector<Row> rows;
    bool framed = false;
    Squares beside = {};
};

// The pages of a document to paint, from 1; the others are laid out alike
// and left out, so that page 3 printed alone is page 3 of the saved file.
struct PageRange {
    int first = 1;
    int last = INT_MAX;
};

// The sheet's A4 page with its margins, the same for the PDF and a printer.
QPageLayout sheetPageLayout();
// The resolution both are laid out at, so that lines break alike.
inline constexpr int SheetDpi = 300;

// Lays blocks out down A4 pages, a block never split, each page with a small
// footer; sizes in millimetres, fonts in points.
class SheetLayout {
public:
    SheetLayout(QPagedPaintDevice& device, bool largePrint, PageRange range = {});

    // A new sheet (a pupil's, or the answers) from a new page, its pages
    // numbered from 1 under this footer.
    void startSheet(const QString& footer);
    void add(const Block& block);
    void newPage();
    // Paints the last page's footer and ends painting: the file is whole.
    void finish();
    // Pages laid out so far, painted or not.
    int pages() const { return page; }

    // A blank at least `mm` wide that leaves room for `longest` written in it.
    QString blank(double mm, const QString& longest) const;
    double squareMm() const;
    // How many squares fit across the page, and beside a problem's lines.
    int squaresAcross() const;
    int squaresBeside() const;

private:
    double px(double mm) const;
    double height(const Row& row) const;
    double paint(const Row& row, double top);
    double paintText(const Text& text, double top);
    double paintGrid(const Grid& grid, double top);
    double paintPieces(const Pieces& pieces, double top);
    double paintSquares(const Squares& squares, double left, double top);
    void hatch(const QRectF& cell);
    QStringList wrapped(const QString& text, const QFont& font) const;
    double lineHeight(const QFont& font) const;
    double textLineHeight(const Text& text) const;
    double textWidth() const;
    bool shown() const { return page >= range.first && page <= range.last; }
    void paintFooter();

    QPagedPaintDevice& device;
    QPainter painter;
    QFont font;
    bool largePrint;
    double spacing;
    PageRange range;
    double width = 0, pageHeight = 0;
    double top = 0;
    double reserved = 0; // at the right of the lines, for squares beside them
    int page = 1;        // in the whole document
    int sheetPage = 1;   // in the sheet under way
    QString footer;
};

} // namespace worksheet

#pragma once

#include <QFont>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <variant>
#include <vector>

class QPagedPaintDevice;

namespace worksheet {

// A line of text, wrapped at the page's width.
struct Text {
    QString text;
    bool bold = false;
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

using Row = std::variant<Text, Grid, Pieces>;

// What stays together on one page: a problem, or a heading.
struct Block {
    std::vector<Row> rows;
    bool framed = false;
};

// Lays blocks out down A4 pages, a block never split, each page with a small
// footer; sizes in millimetres, fonts in points.
class SheetLayout {
public:
    SheetLayout(QPagedPaintDevice& device, bool largePrint, QString footer);

    void add(const Block& block);
    void newPage();

private:
    double px(double mm) const;
    double height(const Row& row) const;
    double paint(const Row& row, double top);
    double paintText(const Text& text, double top);
    double paintGrid(const Grid& grid, double top);
    double paintPieces(const Pieces& pieces, double top);
    QStringList wrapped(const QString& text, const QFont& font) const;
    double lineHeight(const QFont& font) const;
    void paintFooter();

    QPagedPaintDevice& device;
    QPainter painter;
    QFont font;
    double spacing;
    double width = 0, pageHeight = 0;
    double top = 0;
    int page = 1;
    QString footer;
};

} // namespace worksheet

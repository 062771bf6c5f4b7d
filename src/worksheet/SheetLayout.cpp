#include "worksheet/SheetLayout.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <cmath>

namespace worksheet {

namespace {

constexpr double FooterMm = 8;
constexpr double BlockGapMm = 3;
// Under a table or squares, before what follows.
constexpr double AfterMm = 1;
constexpr double FramePaddingMm = 3;
constexpr double NoteWidthMm = 30, NoteHeightMm = 15, CoinMm = 15, PieceGapMm = 3;
constexpr double SquareMm = 5, LargeSquareMm = 7;
constexpr double HatchMm = 2;
// The lines beside squares keep room for a question and a 40 mm blank.
constexpr double LinesBesideMm = 105, BesideGapMm = 5;

QFont sheetFont(bool largePrint) {
    // Large print for pupils with dyslexia: a plain sans serif, well apart.
    // Names in other scripts fall back, through fontconfig, to the DejaVu and
    // Noto faces the package depends on.
    QFont font(largePrint ? QStringLiteral("Liberation Sans") : QStringLiteral("Liberation Serif"));
    font.setStyleHint(largePrint ? QFont::SansSerif : QFont::Serif);
    font.setPointSizeF(largePrint ? 16 : 11);
    return font;
}

} // namespace

QPageLayout sheetPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 12),
                       QPageLayout::Millimeter);
}

SheetLayout::SheetLayout(QPagedPaintDevice& device, bool largePrint, PageRange range)
    : device(device), painter(&device), font(sheetFont(largePrint)), largePrint(largePrint),
      spacing(largePrint ? 1.5 : 1.15), range(range) {
    width = device.width();
    pageHeight = device.height() - px(FooterMm);
    painter.setFont(font);
}

double SheetLayout::px(double mm) const {
    return mm * device.logicalDpiY() / 25.4;
}

double SheetLayout::squareMm() const {
    return largePrint ? LargeSquareMm : SquareMm;
}

int SheetLayout::squaresAcross() const {
    return static_cast<int>(textWidth() / px(squareMm()));
}

int SheetLayout::squaresBeside() const {
    return static_cast<int>((width - 2 * px(FramePaddingMm) - px(LinesBesideMm + BesideGapMm)) /
                            px(squareMm()));
}

double SheetLayout::textWidth() const {
    return width - 2 * px(FramePaddingMm) - reserved;
}

double SheetLayout::lineHeight(const QFont& f) const {
    return QFontMetricsF(f, &device).height() * spacing;
}

double SheetLayout::textLineHeight(const Text& text) const {
    return std::max(lineHeight(font), px(text.minHeightMm));
}

QString SheetLayout::blank(double mm, const QString& longest) const {
    const QFontMetricsF metrics(font, &device);
    // Room for the answer in a pupil's larger hand, and never less than asked.
    const double wanted = std::max(px(mm), 1.6 * metrics.horizontalAdvance(longest));
    return QString(static_cast<int>(std::ceil(wanted / metrics.horizontalAdvance(u'_'))), u'_');
}

QStringList SheetLayout::wrapped(const QString& text, const QFont& f) const {
    const QFontMetricsF metrics(f, &device);
    const double room = textWidth();
    QStringList lines;
    QString line;
    for (QString word : text.split(u' ', Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + u' ' + word;
        if (metrics.horizontalAdvance(longer) <= room) {
            line = longer;
            continue;
        }
        if (!line.isEmpty())
            lines << line;
        // A word longer than the line is broken where the line ends.
        while (metrics.horizontalAdvance(word) > room) {
            int fits = 1;
            while (fits < word.size() && metrics.horizontalAdvance(word.left(fits + 1)) <= room)
                ++fits;
            lines << word.left(fits);
            word = word.mid(fits);
        }
        line = word;
    }
    lines << line;
    return lines;
}

double SheetLayout::height(const Row& row) const {
    if (const auto* text = std::get_if<Text>(&row)) {
        QFont f = font;
        f.setBold(text->bold);
        return wrapped(text->text, f).size() * textLineHeight(*text);
    }
    if (const auto* grid = std::get_if<Grid>(&row))
        return (grid->rows.size() + 1) * 2 * lineHeight(font) / spacing + px(2);
    if (const auto* squares = std::get_if<Squares>(&row))
        return squares->rows * px(squareMm()) + px(AfterMm);
    const auto& pieces = std::get<Pieces>(row).pieces;
    const int perRow = static_cast<int>(width / px(NoteWidthMm + PieceGapMm));
    const int rows = (static_cast<int>(pieces.size()) + perRow - 1) / std::max(perRow, 1);
    return rows * px(NoteHeightMm + PieceGapMm) + px(PieceGapMm);
}

void SheetLayout::add(const Block& block) {
    const double side = px(squareMm());
    reserved = block.beside.columns > 0 ? block.beside.columns * side + px(BesideGapMm) : 0;
    const double padding = block.framed ? px(FramePaddingMm) : 0;
    double lines = 0;
    for (const Row& row : block.rows)
        lines += height(row);
    const double total = 2 * padding + std::max(lines, block.beside.rows * side + px(AfterMm));
    if (top + total > pageHeight && top > 0)
        newPage();
    const double start = top;
    double y = top + padding;
    for (const Row& row : block.rows)
        y = shown() ? paint(row, y) : y + height(row);
    if (block.beside.columns > 0) {
        const double left = width - px(FramePaddingMm) - block.beside.columns * side;
        if (shown())
            paintSquares(block.beside, left, start + padding);
        y = std::max(y, start + padding + block.beside.rows * side + px(AfterMm));
    }
    reserved = 0;
    if (block.framed) {
        y += padding;
        if (shown()) {
            painter.setPen(QPen(Qt::black, px(0.3)));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(0, start, width, y - start));
        }
    }
    top = y + px(BlockGapMm);
}

void SheetLayout::startSheet(const QString& newFooter) {
    if (top > 0)
        newPage();
    footer = newFooter;
    sheetPage = 1;
}

void SheetLayout::newPage() {
    paintFooter();
    ++page;
    ++sheetPage;
    // Pages outside the range are laid out but never reach the device.
    if (shown() && page > range.first)
        device.newPage();
    top = 0;
}

void SheetLayout::finish() {
    paintFooter();
    painter.end();
}

void SheetLayout::paintFooter() {
    if (!shown())
        return;
    QFont small = font;
    small.setPointSizeF(7);
    painter.setFont(small);
    painter.setPen(Qt::darkGray);
    painter.drawText(QRectF(0, pageHeight, width, px(FooterMm)), Qt::AlignBottom | Qt::AlignLeft,
                     footer + QStringLiteral(" - pagina %1").arg(sheetPage));
    painter.setPen(Qt::black);
    painter.setFont(font);
}

double SheetLayout::paint(const Row& row, double y) {
    if (const auto* text = std::get_if<Text>(&row))
        return paintText(*text, y);
    if (const auto* grid = std::get_if<Grid>(&row))
        return paintGrid(*grid, y);
    if (const auto* squares = std::get_if<Squares>(&row))
        return paintSquares(*squares, px(FramePaddingMm), y);
    return paintPieces(std::get<Pieces>(row), y);
}

double SheetLayout::paintText(const Text& text, double y) {
    QFont f = font;
    f.setBold(text.bold);
    painter.setFont(f);
    const double step = textLineHeight(text);
    for (const QString& line : wrapped(text.text, f)) {
        // A line with a blank sits on the foot of its tall line, as on a ruled one.
        painter.drawText(
            QRectF(px(FramePaddingMm), y, textWidth(), step),
            Qt::AlignLeft | (text.minHeightMm > 0 ? Qt::AlignBottom : Qt::AlignVCenter), line);
        y += step;
    }
    painter.setFont(font);
    return y;
}

// Diagonal strokes a photocopier keeps, where light grey would vanish.
void SheetLayout::hatch(const QRectF& cell) {
    painter.save();
    painter.setClipRect(cell);
    painter.setPen(QPen(Qt::black, px(0.25)));
    for (double x = cell.left() - cell.height(); x < cell.right(); x += px(HatchMm))
        painter.drawLine(QPointF(x, cell.bottom()), QPointF(x + cell.height(), cell.top()));
    painter.restore();
}

double SheetLayout::paintGrid(const Grid& grid, double y) {
    const double rowHeight = 2 * lineHeight(font) / spacing;
    const int columns = static_cast<int>(grid.heading.size());
    // The first column, the quantity, is narrow; the amounts share the rest.
    const double inner = textWidth();
    const double first = inner * 0.16;
    const double other = (inner - first) / std::max(columns - 1, 1);
    auto cellRect = [&](int column, int row) {
        const double left = px(FramePaddingMm) + (column == 0 ? 0 : first + (column - 1) * other);
        return QRectF(left, y + row * rowHeight, column == 0 ? first : other, rowHeight);
    };
    painter.setPen(QPen(Qt::black, px(0.3)));
    for (int c = 0; c < columns; ++c) {
        QFont bold = font;
        bold.setBold(true);
        painter.setFont(bold);
        painter.drawText(cellRect(c, 0), Qt::AlignCenter, grid.heading[c]);
    }
    painter.setFont(font);
    painter.setBrush(Qt::NoBrush);
    for (size_t r = 0; r < grid.rows.size(); ++r)
        for (int c = 0; c < columns; ++c) {
            const QRectF cell = cellRect(c, static_cast<int>(r) + 1);
            if (r < grid.shaded.size() && grid.shaded[r][c])
                hatch(cell);
            painter.drawRect(cell);
            painter.drawText(cell.adjusted(px(1.5), 0, -px(1.5), 0),
                             (c == 0 ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter,
                             grid.rows[r][c]);
        }
    return y + (grid.rows.size() + 1) * rowHeight + px(2);
}

double SheetLayout::paintSquares(const Squares& squares, double left, double y) {
    const double side = px(squareMm());
    // Thin and mid grey, as on a pupil's squared exercise book.
    painter.setPen(QPen(QColor(130, 130, 130), px(0.15)));
    for (int r = 0; r <= squares.rows; ++r)
        painter.drawLine(QPointF(left, y + r * side),
                         QPointF(left + squares.columns * side, y + r * side));
    for (int c = 0; c <= squares.columns; ++c)
        painter.drawLine(QPointF(left + c * side, y),
                         QPointF(left + c * side, y + squares.rows * side));
    painter.setPen(Qt::black);
    return y + squares.rows * side + px(AfterMm);
}

double SheetLayout::paintPieces(const Pieces& pieces, double y) {
    QFont small = font;
    small.setPointSizeF(font.pointSizeF() * 0.7);
    painter.setFont(small);
    painter.setPen(QPen(Qt::black, px(0.4)));
    double left = px(FramePaddingMm);
    y += px(PieceGapMm);
    for (const Piece& piece : pieces.pieces) {
        if (left + px(NoteWidthMm) > width) {
            left = px(FramePaddingMm);
            y += px(NoteHeightMm + PieceGapMm);
        }
        const QRectF shape = piece.note ? QRectF(left, y, px(NoteWidthMm), px(NoteHeightMm))
                                        : QRectF(left, y, px(CoinMm), px(CoinMm));
        if (piece.note)
            painter.drawRoundedRect(shape, px(1.5), px(1.5));
        else
            painter.drawEllipse(shape);
        // The value over its unit: "10.000" over "lire".
        painter.drawText(shape, Qt::AlignCenter, QString(piece.label).replace(u' ', u'\n'));
        left += shape.width() + px(PieceGapMm);
    }
    painter.setFont(font);
    return y + px(NoteHeightMm + PieceGapMm);
}

} // namespace worksheet

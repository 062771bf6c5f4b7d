#include "worksheet/SheetLayout.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>

namespace worksheet {

namespace {

constexpr double FooterMm = 8;
constexpr double BlockGapMm = 4;
constexpr double FramePaddingMm = 3;
constexpr double NoteWidthMm = 30, NoteHeightMm = 15, CoinMm = 15, PieceGapMm = 3;

QFont sheetFont(bool largePrint) {
    // Large print for pupils with dyslexia: a plain sans serif, well apart.
    QFont font(largePrint ? QStringLiteral("Liberation Sans") : QStringLiteral("Liberation Serif"));
    font.setStyleHint(largePrint ? QFont::SansSerif : QFont::Serif);
    font.setPointSizeF(largePrint ? 16 : 11);
    return font;
}

} // namespace

SheetLayout::SheetLayout(QPagedPaintDevice& device, bool largePrint, QString footer)
    : device(device), painter(&device), font(sheetFont(largePrint)),
      spacing(largePrint ? 1.5 : 1.15), footer(std::move(footer)) {
    width = device.width();
    pageHeight = device.height() - px(FooterMm);
    painter.setFont(font);
    paintFooter();
}

double SheetLayout::px(double mm) const {
    return mm * device.logicalDpiY() / 25.4;
}

double SheetLayout::lineHeight(const QFont& f) const {
    return QFontMetricsF(f, &device).height() * spacing;
}

QStringList SheetLayout::wrapped(const QString& text, const QFont& f) const {
    const QFontMetricsF metrics(f, &device);
    QStringList lines;
    QString line;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + u' ' + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width - 2 * px(FramePaddingMm)) {
            lines << line;
            line = word;
        } else {
            line = longer;
        }
    }
    lines << line;
    return lines;
}

double SheetLayout::height(const Row& row) const {
    if (const auto* text = std::get_if<Text>(&row))
        return wrapped(text->text, font).size() * lineHeight(font);
    if (const auto* grid = std::get_if<Grid>(&row))
        return (grid->rows.size() + 1) * 2 * lineHeight(font) / spacing + px(2);
    const auto& pieces = std::get<Pieces>(row).pieces;
    const int perRow = static_cast<int>(width / px(NoteWidthMm + PieceGapMm));
    const int rows = (static_cast<int>(pieces.size()) + perRow - 1) / std::max(perRow, 1);
    return rows * px(NoteHeightMm + PieceGapMm) + px(PieceGapMm);
}

void SheetLayout::add(const Block& block) {
    double total = block.framed ? 2 * px(FramePaddingMm) : 0;
    for (const Row& row : block.rows)
        total += height(row);
    if (top + total > pageHeight && top > 0)
        newPage();
    const double start = top;
    double y = top + (block.framed ? px(FramePaddingMm) : 0);
    for (const Row& row : block.rows)
        y = paint(row, y);
    if (block.framed) {
        y += px(FramePaddingMm);
        painter.setPen(QPen(Qt::black, px(0.3)));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(0, start, width, y - start));
    }
    top = y + px(BlockGapMm);
}

void SheetLayout::newPage() {
    device.newPage();
    ++page;
    top = 0;
    paintFooter();
}

void SheetLayout::paintFooter() {
    QFont small = font;
    small.setPointSizeF(7);
    painter.setFont(small);
    painter.setPen(Qt::darkGray);
    painter.drawText(QRectF(0, pageHeight, width, px(FooterMm)), Qt::AlignBottom | Qt::AlignLeft,
                     footer + QStringLiteral(" - pagina %1").arg(page));
    painter.setPen(Qt::black);
    painter.setFont(font);
}

double SheetLayout::paint(const Row& row, double y) {
    if (const auto* text = std::get_if<Text>(&row))
        return paintText(*text, y);
    if (const auto* grid = std::get_if<Grid>(&row))
        return paintGrid(*grid, y);
    return paintPieces(std::get<Pieces>(row), y);
}

double SheetLayout::paintText(const Text& text, double y) {
    QFont f = font;
    f.setBold(text.bold);
    painter.setFont(f);
    const double step = lineHeight(f);
    for (const QString& line : wrapped(text.text, f)) {
        painter.drawText(QRectF(px(FramePaddingMm), y, width - 2 * px(FramePaddingMm), step),
                         Qt::AlignLeft | Qt::AlignVCenter, line);
        y += step;
    }
    painter.setFont(font);
    return y;
}

double SheetLayout::paintGrid(const Grid& grid, double y) {
    const double rowHeight = 2 * lineHeight(font) / spacing;
    const int columns = static_cast<int>(grid.heading.size());
    // The first column, the quantity, is narrow; the amounts share the rest.
    const double inner = width - 2 * px(FramePaddingMm);
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
    for (size_t r = 0; r < grid.rows.size(); ++r)
        for (int c = 0; c < columns; ++c) {
            const QRectF cell = cellRect(c, static_cast<int>(r) + 1);
            const bool shaded = r < grid.shaded.size() && grid.shaded[r][c];
            painter.setBrush(shaded ? QColor(220, 220, 220) : QColor(Qt::white));
            painter.drawRect(cell);
            painter.drawText(cell.adjusted(px(1.5), 0, -px(1.5), 0),
                             (c == 0 ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter,
                             grid.rows[r][c]);
        }
    painter.setBrush(Qt::NoBrush);
    return y + (grid.rows.size() + 1) * rowHeight + px(2);
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

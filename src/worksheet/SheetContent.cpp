#include "worksheet/SheetContent.h"

#include "model/Headings.h"
#include "worksheet/SheetDraw.h"

#include <algorithm>

namespace worksheet {

namespace {

SheetForm formOf(const Problem& problem) {
    return exerciseInfo(problem.exercise).sheet;
}

QString written(const Problem& problem, const Figure& figure) {
    return problem.valueText(figure, Reading::Written);
}

QString unitOf(const Problem& problem, const Figure& figure) {
    return figure.kind == AnswerKind::Count ? QStringLiteral("pezzi") : problem.currency->name();
}

// The table as the screen shows it: given cells filled, asked cells blank,
// cells with no control shaded; with the answers, every cell filled.
Grid tableOf(const Problem& problem, bool withAnswers) {
    Grid grid{{Headings::quantita(), Headings::spesa(), Headings::ricavo(), Headings::guadagno()},
              {{QStringLiteral("1"), {}, {}, {}},
               {QString::number(problem.quantity.value()), {}, {}, {}}},
              {{false, true, true, true}, {false, true, true, true}}};
    auto fill = [&](const Figure& figure, bool shown) {
        grid.shaded[figure.cell.row][figure.cell.column + 1] = false;
        if (shown)
            grid.rows[figure.cell.row][figure.cell.column + 1] =
                problem.currency->amountText(figure.value);
    };
    for (const Figure& figure : problem.given)
        fill(figure, true);
    for (const Step& step : problem.steps)
        fill(step.figure, withAnswers);
    return grid;
}

QString givenText(const Problem& problem) {
    QStringList shown;
    for (const Figure& figure : problem.given)
        shown << figure.heading + u' ' + written(problem, figure);
    return shown.join(QStringLiteral(", "));
}

Pieces piecesOf(const Problem& problem, const std::vector<int>& which) {
    Pieces pieces;
    for (int index : which) {
        const Denomination& piece = problem.currency->pieces()[index];
        pieces.pieces.push_back(
            {QString::fromUtf8(piece.spoken), piece.kind == Denomination::Note});
    }
    return pieces;
}

QString numbered(int number, const QString& text) {
    return QStringLiteral("%1. %2").arg(number).arg(text);
}

// How wide an amount is in column: its digits, and the comma of the cents.
int widthOf(const Problem& problem, Money value) {
    return static_cast<int>(digitsOf(problem.currency->amountText(value)).size()) +
           (problem.currency->minorDigits() > 0 ? 1 : 0);
}

// One operation written in column, in squares.
struct Working {
    int columns;
    int rows;
};

// A row for the carries, two numbers one over the other, the result under the bar.
Working addOrSubtract(const Problem& p, Money a, Money b, Money result) {
    return {std::max({widthOf(p, a), widthOf(p, b), widthOf(p, result)}) + 2, 4};
}

// With a two-digit multiplier, its two partial products and their sum.
Working multiply(const Problem& p, Money a, Count times, Money result) {
    const int partials = times.value() >= 10 ? 2 : 0;
    return {std::max(widthOf(p, a), widthOf(p, result)) + 3, 4 + partials};
}

// Dividend and divisor side by side, the quotient under the divisor, a row
// under the dividend for each remainder.
Working divide(const Problem& p, Money dividend, Money divisor, Money quotient) {
    const int quotientWidth = widthOf(p, quotient);
    return {widthOf(p, dividend) + std::max(widthOf(p, divisor), quotientWidth) + 2,
            std::max(quotientWidth, 2) + 1};
}

const Figure* figureAt(const Problem& problem, const QString& heading) {
    for (const Figure& figure : problem.given)
        if (figure.heading == heading)
            return &figure;
    for (const Step& step : problem.steps)
        if (step.figure.heading == heading)
            return &step.figure;
    return nullptr;
}

std::vector<Working> workingsOf(const Problem& problem) {
    const Figure& asked = problem.asked();
    const Money q = moneyOf(problem.quantity);
    const Figure* unit = figureAt(problem, Headings::costoUnitario());
    const Figure* total = figureAt(problem, Headings::costoTotale());
    switch (exerciseInfo(problem.exercise).kind) {
    case ProblemKind::Purchase:
        if (asked.heading == Headings::costoTotale())
            return {multiply(problem, unit->value, problem.quantity, total->value)};
        if (asked.heading == Headings::costoUnitario())
            return {divide(problem, total->value, q, unit->value)};
        return {divide(problem, total->value, unit->value, q)};
    case ProblemKind::MoneyBoard:
        return {addOrSubtract(problem, problem.cost, problem.gain, problem.revenue),
                addOrSubtract(problem, problem.revenue, problem.cost, problem.gain)};
    case ProblemKind::Profit:
    case ProblemKind::GainOrLoss: {
        // One sum or one difference of two amounts.
        const Figure& last = problem.steps.back().figure;
        return {addOrSubtract(problem, problem.given[0].value, problem.given[1].value, last.value)};
    }
    case ProblemKind::Table:
        break;
    }
    // A grid that shows nothing of one item has its one-item cells worked out
    // from the several items'.
    const auto& oneItem = tableCells(problem.exercise)[TableCell::OneItem];
    const bool fromSeveral = std::ranges::none_of(
        oneItem, [](TableCellRole role) { return role == TableCellRole::Given; });
    std::vector<Working> workings;
    for (const Step& step : problem.steps) {
        const Money value = step.figure.value;
        if (step.figure.cell.row == TableCell::SeveralItems)
            workings.push_back(multiply(problem, value, problem.quantity, value));
        else if (fromSeveral) {
            // The gain of all the items, then shared among them.
            const Money all = value * problem.quantity;
            workings.push_back(addOrSubtract(problem, all, all, all));
            workings.push_back(divide(problem, all, q, value));
        } else
            workings.push_back(addOrSubtract(problem, value, value, value));
    }
    return workings;
}

// Squares for every operation the problem needs, side by side, as many as
// fit; `all` tells whether every one did.
Squares squaresFor(const Problem& problem, int across, bool* all = nullptr) {
    Squares squares;
    if (all)
        *all = true;
    for (const Working& working : workingsOf(problem)) {
        const int more = working.columns + (squares.columns > 0 ? 1 : 0);
        if (squares.columns + more > across) {
            // One long operation still gets the room there is.
            if (squares.columns == 0)
                squares = {across, working.rows};
            if (all)
                *all = false;
            break;
        }
        squares.columns += more;
        squares.rows = std::max(squares.rows, working.rows);
    }
    return squares;
}

Text blankLine(const QString& text, const Room& room) {
    return Text{text, false, room.lineMm};
}

} // namespace

QString longestAnswer(const Problem& problem) {
    QString longest;
    for (const Step& step : problem.steps)
        if (step.kind == Step::Typed) {
            const QString text = written(problem, step.figure);
            if (text.size() > longest.size())
                longest = text;
        }
    return longest;
}

Block question(const Problem& problem, int number, const Room& room) {
    const Currency& money = *problem.currency;
    std::vector<Row> rows;
    bool below = true;
    switch (formOf(problem)) {
    case SheetForm::Pieces: {
        const QString cost = money.spokenAmount(problem.cost);
        rows = {
            Text{numbered(number, QStringLiteral("Avevo pagato la merce %1; l'ho venduta e "
                                                 "ho ricavato questo denaro:")
                                      .arg(cost))},
            piecesOf(problem, problem.pieces),
            blankLine(QStringLiteral("Ho ricavato: ") + room.blank + u' ' + money.name(), room),
            Text{QStringLiteral("Cerchia il denaro che fa %1, quanto avevo pagato la merce.")
                     .arg(cost)},
            blankLine(QStringLiteral("Ho guadagnato: ") + room.blank + u' ' + money.name(), room)};
        break;
    }
    case SheetForm::Choice:
        rows = {Text{numbered(number, problem.article.trimmed() + QStringLiteral(": ") +
                                          givenText(problem) + u'.')},
                blankLine(QStringLiteral("guadagno o perdita? ") + room.wordBlank +
                              QStringLiteral(" di ") + room.blank + u' ' + money.name(),
                          room)};
        below = false;
        break;
    case SheetForm::Grid:
        rows = {Text{numbered(number, problem.article.trimmed() +
                                          QStringLiteral(": completa la tabella."))},
                tableOf(problem, false)};
        break;
    case SheetForm::Sentence: {
        const Figure& asked = problem.asked();
        rows = {Text{numbered(number, problem.article.trimmed() + QStringLiteral(": ") +
                                          givenText(problem) + u'.')},
                blankLine(asked.heading + QStringLiteral(": ") + room.blank + u' ' +
                              unitOf(problem, asked),
                          room)};
        below = false;
        break;
    }
    }
    // A table whose working fits beside it narrows to leave it the room.
    bool fitsBeside = false;
    const Squares besideTable = squaresFor(problem, room.squaresBeside, &fitsBeside);
    if (formOf(problem) == SheetForm::Grid && fitsBeside)
        return Block{rows, false, besideTable};
    const Squares squares = squaresFor(problem, below ? room.squaresAcross : room.squaresBeside);
    if (below && squares.columns > 0)
        rows.push_back(squares);
    return Block{rows, false, below ? Squares{} : squares};
}

std::vector<Row> answer(const Problem& problem, int number) {
    const Currency& money = *problem.currency;
    QString text;
    if (formOf(problem) == SheetForm::Pieces) {
        QStringList paid;
        for (int index : problem.payment)
            paid << QString::fromUtf8(money.pieces()[index].spoken);
        text = QStringLiteral("ricavo %1; pagato con %2; guadagno %3")
                   .arg(money.spokenAmount(problem.revenue), paid.join(QStringLiteral(", ")),
                        money.spokenAmount(problem.gain));
    } else {
        QStringList answers;
        for (const Step& step : problem.steps) {
            if (step.kind == Step::Choice)
                continue;
            answers << (formOf(problem) == SheetForm::Choice
                            ? step.figure.heading + QStringLiteral(" di ")
                            : step.figure.heading + QStringLiteral(": ")) +
                           written(problem, step.figure);
        }
        text = answers.join(QStringLiteral("; "));
    }
    std::vector<Row> rows = {Text{numbered(number, text)}};
    if (formOf(problem) == SheetForm::Grid)
        rows.push_back(tableOf(problem, true));
    return rows;
}

QString sectionTitle(Exercise exercise) {
    return QStringLiteral("Esercizio %1: %2")
        .arg(exerciseInfo(exercise).number)
        .arg(exerciseTitle(exercise).simplified());
}

} // namespace worksheet

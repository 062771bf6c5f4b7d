#include "model/Problem.h"

#include "model/Headings.h"
#include "model/ProblemSentences.h"

#include <algorithm>
#include <optional>

namespace {

// The record's name and prices; past the catalogue's end, as an empty slot.
CatalogueRecord recordAt(const Catalogue& catalogue, int record) {
    if (record >= 1 && record <= static_cast<int>(catalogue.records.size()))
        return catalogue.records[record - 1];
    return {};
}

// A record drawn among all, or among those that fit the level.
Problem withArticle(Exercise exercise, const Catalogue& catalogue, UniformSource& random,
                    const LevelDraw& level, CatalogueRecord* drawn) {
    Problem problem;
    problem.exercise = exercise;
    problem.currency = catalogue.currency;
    problem.level = level.level;
    const std::span<const int> fitting =
        level.articles ? level.articles->records(level.level) : std::span<const int>();
    problem.record = fitting.empty()
                         ? drawFrom1To(random, static_cast<int>(catalogue.records.size()))
                         : fitting[static_cast<std::size_t>(
                               drawBelow(random, static_cast<int>(fitting.size())))];
    *drawn = recordAt(catalogue, problem.record);
    problem.article = drawn->name;
    return problem;
}

// A quantity within the bounds the exercise's row gives the level.
Count levelQuantity(Exercise exercise, UniformSource& random, int level) {
    const auto [fewest, most] = exerciseInfo(exercise).levels.quantities[level - 1];
    return Count(static_cast<std::int16_t>(fewest + drawBelow(random, most - fewest + 1)));
}

Figure amount(const QString& heading, Money value) {
    return {heading, value, AnswerKind::Amount, {}};
}

// A gain, which a sale below cost makes a loss: typed, a minus means the loss.
Figure gainOrLoss(Figure figure) {
    figure.minus = MinusSign::MeansLoss;
    return figure;
}

Step typed(const Figure& figure) {
    return {Step::Typed, figure};
}

// A number of items is a count; a gain may be a loss.
Figure typedAs(AskedFigure which, Figure figure) {
    if (which == AskedFigure::Quantity)
        figure.kind = AnswerKind::Count;
    return which == AskedFigure::Guadagno ? gainOrLoss(figure) : figure;
}

// A table's gain column is the only one that may be a loss.
Figure cellAs(int column, Figure figure) {
    return column == TableCell::Guadagno ? gainOrLoss(figure) : figure;
}

Figure figureOf(AskedFigure which, Money unitCost, Count quantity, const CatalogueRecord& record) {
    switch (which) {
    case AskedFigure::TotalCost:
        break;
    case AskedFigure::UnitCost:
        return amount(Headings::costoUnitario(), unitCost);
    case AskedFigure::Quantity:
        return typedAs(which, amount(Headings::quantita(), moneyOf(quantity)));
    case AskedFigure::Spesa:
        return amount(Headings::spesa(), record.buyingPrice);
    case AskedFigure::Ricavo:
        return amount(Headings::ricavo(), record.sellingPrice);
    case AskedFigure::Guadagno:
        return typedAs(which,
                       amount(Headings::guadagno(), record.sellingPrice - record.buyingPrice));
    }
    return amount(Headings::costoTotale(), unitCost * quantity);
}

// Purchases (unit cost, quantity, total cost) and profits (spesa, ricavo,
// guadagno): one of the exercise's askable figures is asked, drawn when it has
// several, and the other two of its kind are shown in the kind's order.
Problem drawTwoShownOneAsked(Exercise exercise, const Catalogue& catalogue, UniformSource& random,
                             const LevelDraw& level) {
    const ExerciseInfo& info = exerciseInfo(exercise);
    CatalogueRecord record;
    Problem problem = withArticle(exercise, catalogue, random, level, &record);
    const bool purchase = info.kind == ProblemKind::Purchase;
    if (purchase)
        problem.quantity = drawsPlainly(level.level)
                               ? Count(static_cast<std::int16_t>(drawFrom1To(random, 11)))
                               : levelQuantity(exercise, random, level.level);
    const AskedFigure asked =
        info.askCount > 1 ? info.asks[drawFrom1To(random, info.askCount) - 1] : info.asks[0];
    using enum AskedFigure;
    const std::array<AskedFigure, 3> kind =
        purchase ? std::array{TotalCost, UnitCost, Quantity} : std::array{Spesa, Ricavo, Guadagno};
    for (AskedFigure shown : kind)
        if (shown != asked)
            problem.given.push_back(figureOf(shown, record.sellingPrice, problem.quantity, record));
    problem.steps = {typed(figureOf(asked, record.sellingPrice, problem.quantity, record))};
    return problem;
}

Problem drawTable(Exercise exercise, const Catalogue& catalogue, UniformSource& random,
                  const LevelDraw& level) {
    CatalogueRecord record;
    Problem problem = withArticle(exercise, catalogue, random, level, &record);
    const TableCells& cells = tableCells(exercise);
    // With no given cell of one item, a quantity of 0 would hide them: it is
    // drawn again among the others, as likely each as before.
    const bool zeroSolvable =
        std::ranges::any_of(cells[0], [](TableCellRole c) { return c == TableCellRole::Given; });
    int quantity = 0;
    if (drawsPlainly(level.level)) {
        quantity = drawBelow(random, 11);
        if (quantity == 0 && !zeroSolvable)
            quantity = drawFrom1To(random, 10);
    } else {
        quantity = levelQuantity(exercise, random, level.level).value();
    }
    problem.quantity = Count(static_cast<std::int16_t>(quantity));
    const Money spesa = record.buyingPrice;
    const Money ricavo = record.sellingPrice;
    const std::array<Money, 3> ofOne = {spesa, ricavo, ricavo - spesa};
    for (int row : {TableCell::OneItem, TableCell::SeveralItems})
        for (int column : {TableCell::Spesa, TableCell::Ricavo, TableCell::Guadagno}) {
            if (cells[row][column] == TableCellRole::Blank)
                continue;
            Figure figure = {tableColumnHeading(column) + QStringLiteral(" di ") +
                                 QString::number(row == TableCell::OneItem ? 1 : quantity),
                             row == TableCell::OneItem ? ofOne[column]
                                                       : ofOne[column] * problem.quantity,
                             AnswerKind::Amount,
                             {row, column}};
            figure = cellAs(column, figure);
            if (cells[row][column] == TableCellRole::Given)
                problem.given.push_back(figure);
            else
                problem.steps.push_back(typed(figure));
        }
    return problem;
}

// A gain shows the larger price as the ricavo, a loss the smaller, so that
// what the pupil sees agrees with the right word even for a record sold below
// its buying price.
Problem drawGainOrLoss(const Catalogue& catalogue, UniformSource& random, const LevelDraw& level) {
    CatalogueRecord record;
    Problem problem = withArticle(Exercise::GainOrLoss, catalogue, random, level, &record);
    problem.rightChoice = drawBelow(random, 2);
    const auto [smaller, larger] = std::minmax(record.buyingPrice, record.sellingPrice);
    const bool gain = problem.rightChoice == 0;
    problem.given = {amount(Headings::spesa(), gain ? smaller : larger),
                     amount(Headings::ricavo(), gain ? larger : smaller)};
    const QString word = gain ? Headings::guadagno() : Headings::perdita();
    problem.steps = {{Step::Choice, amount(word, Money())}, typed(amount(word, larger - smaller))};
    return problem;
}

// The board holds the pieces of the cost and those of the gain, each counted
// on its own, so that the pieces that pay the cost exactly are among them.
void countPieces(Money amount, const Currency& currency, std::vector<int>* counts) {
    const auto pieces = currency.pieces();
    for (size_t d = 0; d < pieces.size(); ++d) {
        const Money piece = Money::fromWhole(pieces[d].value);
        while (amount >= piece) {
            ++(*counts)[d];
            amount = amount - piece;
        }
    }
}

// The money board's cost with no level: one of 20 from 10.
constexpr int PlainBoardCosts = 20;

// A level draws the cost among the lower ones, and so a smaller gain.
Problem drawPayingWithMoney(const Catalogue& catalogue, UniformSource& random,
                            const LevelDraw& level) {
    Problem problem;
    problem.exercise = Exercise::PayingWithMoney;
    problem.currency = catalogue.currency;
    problem.level = level.level;
    const Currency& currency = *catalogue.currency;
    const int costs =
        drawsPlainly(level.level)
            ? PlainBoardCosts
            : exerciseInfo(Exercise::PayingWithMoney).levels.boardCosts[level.level - 1];
    const int cost = drawBelow(random, costs) + 10;
    // The ceiling of the cost over 5 is reached through a fractional factor.
    const int gain = static_cast<int>(random.next() * (cost / 5.0)) + 1;
    const int scale = currency.boardScales()[drawFrom1To(random, 3) - 1];
    problem.cost = Money::fromWhole(cost * scale);
    problem.gain = Money::fromWhole(gain * scale);
    problem.revenue = problem.gain + problem.cost;
    std::vector<int> counts(currency.pieces().size(), 0);
    countPieces(problem.cost, currency, &counts);
    for (size_t d = 0; d < counts.size(); ++d)
        problem.payment.insert(problem.payment.end(), counts[d], static_cast<int>(d));
    countPieces(problem.gain, currency, &counts);
    for (size_t d = 0; d < counts.size(); ++d)
        problem.pieces.insert(problem.pieces.end(), counts[d], static_cast<int>(d));
    problem.given = {amount(QStringLiteral("avevo pagato la merce"), problem.cost)};
    problem.steps = {typed(amount(Headings::ricavo(), problem.revenue)),
                     {Step::Payment, amount(Headings::spesa(), problem.cost)},
                     typed(amount(Headings::guadagno(), problem.gain))};
    return problem;
}

} // namespace

const TableCells& tableCells(Exercise exercise) {
    return exerciseInfo(exercise).cells;
}

QString tableColumnHeading(int column) {
    return column == TableCell::Spesa    ? Headings::spesa()
           : column == TableCell::Ricavo ? Headings::ricavo()
                                         : Headings::guadagno();
}

Problem drawProblem(Exercise exercise, const Catalogue& catalogue, UniformSource& random,
                    LevelDraw level) {
    // Level 3 draws as no level does; a level's articles unknown are worked out here.
    if (drawsPlainly(level.level))
        level.articles = nullptr;
    std::optional<LevelArticles> onTheSpot;
    if (!drawsPlainly(level.level) && !level.articles)
        level.articles = &onTheSpot.emplace(catalogue);
    switch (exerciseInfo(exercise).kind) {
    case ProblemKind::Purchase:
    case ProblemKind::Profit:
        return drawTwoShownOneAsked(exercise, catalogue, random, level);
    case ProblemKind::Table:
        return drawTable(exercise, catalogue, random, level);
    case ProblemKind::GainOrLoss:
        return drawGainOrLoss(catalogue, random, level);
    case ProblemKind::MoneyBoard:
        break;
    }
    return drawPayingWithMoney(catalogue, random, level);
}

const Figure& Problem::asked() const {
    for (const Step& step : steps)
        if (step.kind == Step::Typed)
            return step.figure;
    return steps.front().figure;
}

QString Problem::valueText(const Figure& figure, Reading reading) const {
    return figure.kind == AnswerKind::Count ? QString::number(figure.value.roundedWhole())
                                            : currency->spokenAmount(figure.value, reading);
}

QString Problem::sentence(Reading reading, std::size_t step) const {
    const Currency& money = *currency;
    switch (exerciseInfo(exercise).kind) {
    case ProblemKind::Table: {
        QStringList parts = {article.trimmed(),
                             Headings::quantita() + u' ' + QString::number(quantity.value())};
        for (const Figure& figure : given)
            parts << figure.heading + QStringLiteral(": ") + valueText(figure, reading);
        return parts.join(QStringLiteral("; ")) + QStringLiteral(". ") +
               steps.at(step).figure.heading + u'?';
    }
    case ProblemKind::MoneyBoard: {
        return ProblemSentences::revenueQuestion(money.pieceNames(pieces, reading),
                                                 money.spokenAmount(cost, reading));
    }
    default:
        break;
    }
    QStringList shown;
    for (const Figure& figure : given)
        shown << ProblemSentences::given(figure.heading, valueText(figure, reading));
    const QString question = steps.at(step).kind == Step::Choice
                                 ? QStringLiteral("guadagno o perdita?")
                             : step == 0 ? ProblemSentences::whatIs(asked().heading)
                                         : ProblemSentences::whatIs(steps.at(step).figure.heading);
    return ProblemSentences::problem(article, shown, question);
}

ExerciseAnswers exerciseAnswers(Exercise exercise) {
    const ExerciseInfo& info = exerciseInfo(exercise);
    ExerciseAnswers answers;
    const auto add = [&answers](const Figure& figure) {
        answers.amount |= figure.kind == AnswerKind::Amount;
        answers.negative |= figure.minus == MinusSign::MeansLoss;
    };
    switch (info.kind) {
    case ProblemKind::Purchase:
    case ProblemKind::Profit:
        for (int i = 0; i < info.askCount; ++i)
            add(typedAs(info.asks[i], {}));
        break;
    case ProblemKind::Table:
        for (const auto& row : info.cells)
            for (int column = 0; column < int(row.size()); ++column)
                if (row[column] == TableCellRole::Asked)
                    add(cellAs(column, {}));
        break;
    case ProblemKind::GainOrLoss: // the size of the gain or the loss
    case ProblemKind::MoneyBoard: // the revenue and the gain, never below the cost
        add({});
        break;
    }
    return answers;
}

QString exerciseTitle(Exercise exercise) {
    return QString::fromUtf8(exerciseInfo(exercise).caption);
}

#include "worksheet/Worksheet.h"

#include "model/Headings.h"
#include "model/SeededRandom.h"
#include "worksheet/SheetLayout.h"

#include <QFile>
#include <QPageLayout>
#include <QPdfWriter>
#include <functional>

using namespace worksheet;

namespace {

const QString Blank = QStringLiteral("________");

// "1.500 lire", "4,40 euro", "7" for a number of items.
QString written(const Problem& problem, const Figure& figure) {
    return problem.valueText(figure, Reading::Written);
}

// The blank where the answer goes, with its unit: "________ lire".
QString blankFor(const Problem& problem, const Figure& figure) {
    return Blank + u' ' +
           (figure.kind == AnswerKind::Count ? QStringLiteral("pezzi") : problem.currency->name());
}

SheetForm formOf(const Problem& problem) {
    return exerciseInfo(problem.exercise).sheet;
}

bool isTable(const Problem& problem) {
    return formOf(problem) == SheetForm::Grid;
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

// A problem as the pupil meets it on paper.
std::vector<Row> question(const Problem& problem, int number) {
    const Currency& money = *problem.currency;
    switch (formOf(problem)) {
    case SheetForm::Pieces:
        return {Text{numbered(number, QStringLiteral("Avevo pagato la merce %1. Questa è la "
                                                     "somma che ho ricavato:")
                                          .arg(money.spokenAmount(problem.cost)))},
                piecesOf(problem, problem.pieces),
                Text{QStringLiteral("Ho ricavato: ") + Blank + u' ' + money.name()},
                Text{QStringLiteral("Cerchia il denaro che avevi utilizzato per pagare.")},
                Text{QStringLiteral("Ho guadagnato: ") + Blank + u' ' + money.name()}};
    case SheetForm::Choice:
        return {
            Text{numbered(number, problem.article.trimmed() + QStringLiteral(": ") +
                                      givenText(problem) + u'.')},
            Text{QStringLiteral("guadagno o perdita? ______ di ") + Blank + u' ' + money.name()}};
    default:
        break;
    }
    if (isTable(problem))
        return {Text{numbered(number, problem.article.trimmed() +
                                          QStringLiteral(": completa la tabella."))},
                tableOf(problem, false)};
    const Figure& asked = problem.asked();
    return {Text{numbered(number, problem.article.trimmed() + QStringLiteral(": ") +
                                      givenText(problem) + u'.')},
            Text{asked.heading + QStringLiteral(": ") + blankFor(problem, asked)}};
}

// The same problem's answers, for the teacher.
QString answer(const Problem& problem) {
    const Currency& money = *problem.currency;
    if (formOf(problem) == SheetForm::Pieces) {
        QStringList paid;
        for (int index : problem.payment)
            paid << QString::fromUtf8(money.pieces()[index].spoken);
        return QStringLiteral("ricavo %1; pagato con %2; guadagno %3")
            .arg(money.spokenAmount(problem.revenue), paid.join(QStringLiteral(", ")),
                 money.spokenAmount(problem.gain));
    }
    QStringList answers;
    for (const Step& step : problem.steps) {
        if (step.kind == Step::Choice)
            continue;
        answers << (formOf(problem) == SheetForm::Choice
                        ? step.figure.heading + QStringLiteral(" di ")
                        : step.figure.heading + QStringLiteral(": ")) +
                       written(problem, step.figure);
    }
    return answers.join(QStringLiteral("; "));
}

QString sectionTitle(Exercise exercise) {
    return QStringLiteral("Esercizio %1: %2")
        .arg(exerciseInfo(exercise).number)
        .arg(exerciseTitle(exercise).simplified());
}

QString footerOf(const Catalogue& catalogue, const WorksheetOptions& options) {
    // The seed draws the same sheet again only at the same level.
    const QString level =
        options.level > 0 ? QStringLiteral(" - livello %1").arg(options.level) : QString();
    return QStringLiteral("la mercanzola - scheda in %1%2 - seme %3")
        .arg(catalogue.currency->name(), level)
        .arg(options.seed);
}

} // namespace

WorksheetOptions WorksheetOptions::everyExercise() {
    WorksheetOptions options;
    for (const ExerciseInfo& row : ExerciseTable)
        options.exercises.push_back(row.exercise);
    return options;
}

std::vector<Problem> drawWorksheet(const Catalogue& catalogue, const WorksheetOptions& options) {
    SeededRandom random(options.seed);
    const LevelArticles articles(catalogue);
    std::vector<Problem> problems;
    for (Exercise exercise : options.exercises)
        for (int n = 0; n < options.problemsEach; ++n)
            problems.push_back(
                drawProblem(exercise, catalogue, random, {options.level, &articles}));
    return problems;
}

void paintWorksheet(QPagedPaintDevice& device, const Catalogue& catalogue,
                    const WorksheetOptions& options) {
    const std::vector<Problem> problems = drawWorksheet(catalogue, options);
    SheetLayout sheet(device, options.largePrint, footerOf(catalogue, options));
    sheet.add(
        {{Text{QStringLiteral("Nome ______________________   Classe ________   Data "
                              "______________")},
          Text{QStringLiteral("Esercizi di compravendita, in %1").arg(catalogue.currency->name()),
               true}}});
    // Each exercise's title travels with its first problem.
    auto eachProblem = [&](const std::function<Block(const Problem&, int)>& blockOf) {
        for (size_t i = 0; i < problems.size(); ++i) {
            Block block = blockOf(problems[i], static_cast<int>(i) + 1);
            if (i % options.problemsEach == 0)
                block.rows.insert(block.rows.begin(),
                                  Text{sectionTitle(problems[i].exercise), true});
            sheet.add(block);
        }
    };
    eachProblem([&](const Problem& problem, int number) {
        return Block{question(problem, number), options.largePrint};
    });
    if (!options.solutions)
        return;
    // The answers start a page of their own, so that they can be kept back.
    sheet.newPage();
    sheet.add({{Text{QStringLiteral("Soluzioni (seme %1)").arg(options.seed), true}}});
    eachProblem([&](const Problem& problem, int number) {
        std::vector<Row> rows = {Text{numbered(number, answer(problem))}};
        if (isTable(problem))
            rows.push_back(tableOf(problem, true));
        return Block{rows, options.largePrint};
    });
}

QString writeWorksheetPdf(const QString& path, const Catalogue& catalogue,
                          const WorksheetOptions& options) {
    {
        // The writer would paint into nothing, and say nothing, over a file it
        // cannot open.
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return QStringLiteral("Non riesco a scrivere la scheda in %1: %2")
                .arg(path, file.errorString());
    }
    QPdfWriter writer(path);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(15, 15, 15, 12), QPageLayout::Millimeter));
    writer.setResolution(300);
    writer.setTitle(QStringLiteral("La mercanzola: scheda di esercizi"));
    writer.setCreator(QStringLiteral("la mercanzola"));
    paintWorksheet(writer, catalogue, options);
    return QString();
}

#include "worksheet/SheetDraw.h"

#include "model/Levels.h"
#include "model/SeededRandom.h"

#include <QSet>

namespace {

// Draws tried for a problem unlike the others before the catalogue is taken
// as too small for the count asked.
constexpr int TriesForANewProblem = 200;

QString titled(Exercise exercise) {
    return QStringLiteral("esercizio %1 (%2)")
        .arg(exerciseInfo(exercise).number)
        .arg(exerciseTitle(exercise).simplified());
}

// Equal prices make neither a gain nor a loss: such a problem has no answer.
bool asksGainOrLoss(Exercise exercise) {
    return exerciseInfo(exercise).kind == ProblemKind::GainOrLoss;
}

bool priced(const CatalogueRecord& record) {
    return record.buyingPrice != Money() && record.sellingPrice != Money();
}

// The catalogue an exercise draws from on paper: a price of 0 answers
// nothing, and equal prices are neither a gain nor a loss.
Catalogue usableFor(Exercise exercise, const Catalogue& catalogue) {
    Catalogue usable = catalogue;
    usable.records.clear();
    for (const CatalogueRecord& record : catalogue.records) {
        if (!priced(record))
            continue;
        if (asksGainOrLoss(exercise) && record.buyingPrice == record.sellingPrice)
            continue;
        usable.records.push_back(record);
    }
    return usable;
}

QStringList namesWhere(const Catalogue& catalogue, bool (*left)(const CatalogueRecord&)) {
    QStringList names;
    for (const CatalogueRecord& record : catalogue.records)
        if (left(record) && !names.contains(record.name.trimmed()))
            names << record.name.trimmed();
    return names;
}

bool acceptable(const Problem& problem) {
    return !isTableExercise(problem.exercise) || problem.quantity.value() >= 2;
}

} // namespace

bool isTableExercise(Exercise exercise) {
    return exerciseInfo(exercise).sheet == SheetForm::Grid;
}

SheetProblems drawSheetProblems(const Catalogue& catalogue, const std::vector<Exercise>& exercises,
                                int problemsEach, std::uint64_t seed, int level) {
    SheetProblems sheet;
    SeededRandom random(seed);
    const QStringList unpriced =
        namesWhere(catalogue, [](const CatalogueRecord& record) { return !priced(record); });
    bool unpricedTold = false;
    for (Exercise exercise : exercises) {
        const bool fromCatalogue = exerciseInfo(exercise).kind != ProblemKind::MoneyBoard;
        if (fromCatalogue && !unpriced.isEmpty() && !unpricedTold) {
            sheet.warnings << QStringLiteral("Lasciati fuori dalla scheda gli articoli con un "
                                             "prezzo 0, con cui un problema non ha risposta: %1")
                                  .arg(unpriced.join(QStringLiteral(", ")));
            unpricedTold = true;
        }
        const Catalogue usable = fromCatalogue ? usableFor(exercise, catalogue) : catalogue;
        if (asksGainOrLoss(exercise)) {
            const QStringList even = namesWhere(catalogue, [](const CatalogueRecord& record) {
                return priced(record) && record.buyingPrice == record.sellingPrice;
            });
            if (!even.isEmpty())
                sheet.warnings << QStringLiteral("Lasciati fuori dall'%1 gli articoli con i due "
                                                 "prezzi uguali, né guadagno né perdita: %2")
                                      .arg(titled(exercise), even.join(QStringLiteral(", ")));
        }
        if (fromCatalogue && usable.records.empty()) {
            sheet.warnings << QStringLiteral("L'%1 è lasciato fuori: nessun articolo del "
                                             "catalogo gli dà un problema con una risposta.")
                                  .arg(titled(exercise));
            continue;
        }
        sheet.exercises.push_back(exercise);
        const LevelArticles articles(usable);
        QSet<QString> posed;
        bool repeats = false;
        for (int n = 0; n < problemsEach; ++n) {
            Problem problem;
            for (int tries = 0;; ++tries) {
                problem = drawProblem(exercise, usable, random, {level, &articles});
                if (!acceptable(problem) && tries < TriesForANewProblem)
                    continue;
                const QString key = problem.sentence(Reading::Written);
                if (!posed.contains(key) || tries >= TriesForANewProblem) {
                    repeats = repeats || posed.contains(key);
                    posed.insert(key);
                    break;
                }
            }
            sheet.problems.push_back(problem);
        }
        if (repeats)
            sheet.warnings << QStringLiteral("Nell'%1 qualche problema si ripete: il catalogo "
                                             "ha troppo pochi articoli per %2 problemi diversi.")
                                  .arg(titled(exercise))
                                  .arg(problemsEach);
    }
    return sheet;
}

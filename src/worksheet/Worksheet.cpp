#include "worksheet/Worksheet.h"

#include "worksheet/SheetCode.h"
#include "worksheet/SheetContent.h"
#include "worksheet/SheetDraw.h"
#include "worksheet/SheetFile.h"

#include <QPdfWriter>
#include <algorithm>
#include <optional>

using namespace worksheet;

namespace {

// The narrowest blank, and in large print.
constexpr double BlankMm = 40, LargeBlankMm = 60;
constexpr double BlankLineMm = 8, LargeBlankLineMm = 11;

// One pupil's sheet: its problems and the code that makes it again.
struct Sheet {
    QString pupil;
    QString code;
    SheetProblems drawn;
};

QString footerOf(const Catalogue& catalogue, const Sheet& sheet, bool answers, int level) {
    const QString leveled = level > 0 ? QStringLiteral(" - livello %1").arg(level) : QString();
    return QStringLiteral("la mercanzola - %1 in %2%3 - codice %4")
        .arg(answers ? QStringLiteral("soluzioni") : QStringLiteral("scheda"),
             catalogue.currency->name(), leveled, sheet.code);
}

// Each exercise's blanks fit the longest answer of its problems on this sheet.
Room roomFor(const SheetLayout& layout, const std::vector<Problem>& problems, bool large) {
    QString longest;
    for (const Problem& problem : problems) {
        const QString text = longestAnswer(problem);
        if (text.size() > longest.size())
            longest = text;
    }
    const double mm = large ? LargeBlankMm : BlankMm;
    return {layout.blank(mm, longest), layout.blank(mm, QStringLiteral("guadagno")),
            large ? LargeBlankLineMm : BlankLineMm, layout.squaresAcross(), layout.squaresBeside()};
}

// Each exercise's title travels with its first problem.
void addProblems(SheetLayout& layout, const Sheet& sheet, const WorksheetOptions& options,
                 bool answers) {
    const auto& problems = sheet.drawn.problems;
    int number = 1;
    for (std::size_t start = 0; start < problems.size(); start += options.problemsEach) {
        const std::vector<Problem> exercise(
            problems.begin() + static_cast<std::ptrdiff_t>(start),
            problems.begin() + static_cast<std::ptrdiff_t>(
                                   std::min(problems.size(), start + options.problemsEach)));
        const Room room = roomFor(layout, exercise, options.largePrint);
        for (std::size_t i = 0; i < exercise.size(); ++i, ++number) {
            Block block =
                answers ? Block{answer(exercise[i], number)} : question(exercise[i], number, room);
            block.framed = options.largePrint;
            if (i == 0)
                block.rows.insert(block.rows.begin(),
                                  Text{sectionTitle(exercise[i].exercise), true});
            layout.add(block);
        }
    }
}

void addQuestions(SheetLayout& layout, const Catalogue& catalogue, const Sheet& sheet,
                  const WorksheetOptions& options) {
    layout.startSheet(footerOf(catalogue, sheet, false, options.level));
    const QString name = sheet.pupil.isEmpty() ? QStringLiteral(" ______________________")
                                               : QStringLiteral(": ") + sheet.pupil;
    const QString title =
        options.title.trimmed().isEmpty()
            ? QStringLiteral("Esercizi di compravendita, in %1").arg(catalogue.currency->name())
            : options.title.trimmed();
    layout.add({{Text{QStringLiteral("Nome%1   Classe ________   Data ______________").arg(name),
                      false, options.largePrint ? LargeBlankLineMm : BlankLineMm},
                 Text{title, true}}});
    addProblems(layout, sheet, options, false);
}

// The answers start a page of their own, so that they can be kept back.
void addAnswers(SheetLayout& layout, const Catalogue& catalogue, const Sheet& sheet,
                const WorksheetOptions& options) {
    layout.startSheet(footerOf(catalogue, sheet, true, options.level));
    const QString whose = sheet.pupil.isEmpty() ? QString() : sheet.pupil + QStringLiteral(", ");
    layout.add({{Text{QStringLiteral("Soluzioni: %1codice %2").arg(whose, sheet.code), true}}});
    addProblems(layout, sheet, options, true);
}

std::vector<Sheet> drawSheets(const Catalogue& catalogue, const WorksheetOptions& options,
                              QStringList* warnings) {
    std::vector<Sheet> sheets;
    const std::vector<std::uint64_t> seeds = sheetSeeds(options);
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        Sheet sheet{options.pupils.value(static_cast<qsizetype>(i)),
                    sheetCodeOf(catalogue, options, seeds[i]),
                    drawSheetProblems(catalogue, options.exercises, options.problemsEach, seeds[i],
                                      options.level)};
        if (warnings)
            for (const QString& warning : sheet.drawn.warnings)
                if (!warnings->contains(warning))
                    *warnings << warning;
        sheets.push_back(std::move(sheet));
    }
    return sheets;
}

void setUp(QPdfWriter& writer) {
    writer.setPageLayout(sheetPageLayout());
    writer.setResolution(SheetDpi);
    writer.setTitle(QStringLiteral("La mercanzola: scheda di esercizi"));
    writer.setCreator(QStringLiteral("la mercanzola"));
}

} // namespace

WorksheetOptions WorksheetOptions::everyExercise() {
    WorksheetOptions options;
    for (const ExerciseInfo& row : ExerciseTable)
        options.exercises.push_back(row.exercise);
    return options;
}

std::vector<std::uint64_t> sheetSeeds(const WorksheetOptions& options) {
    if (options.pupils.isEmpty())
        return {options.seed};
    // Steps by a prime that shares no factor with 999,999: every pupil of a
    // class of any size gets a seed of its own, small enough to type.
    std::vector<std::uint64_t> seeds;
    for (qsizetype i = 0; i < options.pupils.size(); ++i)
        seeds.push_back((options.seed + static_cast<std::uint64_t>(i) * 7919 - 1) % 999999 + 1);
    return seeds;
}

QString sheetCodeOf(const Catalogue& catalogue, const WorksheetOptions& options,
                    std::uint64_t seed) {
    return encodeSheetCode({seed, options.exercises, options.problemsEach, options.level,
                            *catalogue.currency == Currency::euro(), options.largePrint,
                            catalogueCheckOf(catalogue)});
}

int paintWorksheet(QPagedPaintDevice& device, const Catalogue& catalogue,
                   const WorksheetOptions& options, SheetPart part, PageRange range,
                   QStringList* warnings) {
    const std::vector<Sheet> sheets = drawSheets(catalogue, options, warnings);
    SheetLayout layout(device, options.largePrint, range);
    if (part != SheetPart::Answers)
        for (const Sheet& sheet : sheets)
            addQuestions(layout, catalogue, sheet, options);
    if (part != SheetPart::Questions)
        for (const Sheet& sheet : sheets)
            addAnswers(layout, catalogue, sheet, options);
    layout.finish();
    return layout.pages();
}

WriteResult writeWorksheetPdf(const QString& path, const Catalogue& catalogue,
                              const WorksheetOptions& options, const QString& answersPath) {
    WriteResult result;
    const bool apart = !answersPath.isEmpty();
    SheetFile file(path);
    std::optional<SheetFile> answers;
    if (apart)
        answers.emplace(answersPath);
    auto write = [&](SheetFile& target, SheetPart part) {
        if (!target.device())
            return false;
        QPdfWriter writer(target.device());
        setUp(writer);
        paintWorksheet(writer, catalogue, options, part, {}, &result.warnings);
        return true;
    };
    const SheetPart part = apart || !options.solutions ? SheetPart::Questions : SheetPart::Both;
    if (!write(file, part) || (apart && !write(*answers, SheetPart::Answers))) {
        result.error = !file.device() ? file.commit() : answers->commit();
        file.cancel();
        return result;
    }
    result.error = file.commit();
    if (apart) {
        if (result.error.isEmpty())
            result.error = answers->commit();
        else
            answers->cancel();
    }
    return result;
}

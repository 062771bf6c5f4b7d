// Each exercise of the table reaches every place that lists the exercises: the
// menu (its caption, at its place, opening its screen), the command line, the
// teacher's report order and the worksheet. A row added to the table is
// walked here with the others.

#include "app/AllScreens.h"
#include "app/CommandLine.h"
#include "app/RecordReport.h"
#include "frame/ExerciseScreen.h"
#include "model/SeededRandom.h"
#include "shell/FormMenu.h"
#include "shell/ScreenChain.h"
#include "support/TestServices.h"
#include "worksheet/SheetDraw.h"
#include "worksheet/Worksheet.h"

#include <QTest>

Q_DECLARE_METATYPE(Exercise)

namespace {

// A twips coordinate of the menu, at the menu's drawn size.
bool follows(int pixels, int twips, double factor) {
    return std::abs(pixels - twips / 15.0 * factor) <= 1.0;
}

} // namespace

class ExerciseTableTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        setUpToolkit();
        registerAllScreens(testLesson());
    }

    void everyPlaceListsTheRow_data() {
        QTest::addColumn<Exercise>("exercise");
        for (const ExerciseInfo& row : ExerciseTable)
            QTest::addRow("%d %s", row.number, row.caption) << row.exercise;
    }
    void everyPlaceListsTheRow() {
        QFETCH(Exercise, exercise);
        const ExerciseInfo& row = exerciseInfo(exercise);
        TestServices services;
        services.setCatalogue({{QStringLiteral("quaderno"), 1000, 1500}});

        // The menu shows its caption at its place in the grid, and opens its screen.
        auto* menu = qobject_cast<FormMenu*>(openScreen(ScreenId::Menu));
        QVERIFY(menu);
        const QWidget* esci = menu->Command.value(1);
        const double factor = esci->x() / (3960 / 15.0);
        ui::Button* button = menu->Command.value(row.menu.button);
        QVERIFY(button);
        QCOMPARE(button->text(), QString::fromUtf8(row.caption));
        QVERIFY(follows(button->x(), row.menu.column == 0 ? 240 : 3960, factor));
        QVERIFY(follows(button->y(), 240 + 840 * row.menu.row, factor));
        QTest::mouseClick(button, Qt::LeftButton);
        auto* screen = qobject_cast<ExerciseScreen*>(currentScreen());
        QVERIFY(screen);
        QCOMPARE(screen->accessibleName(), QString::fromUtf8(row.caption).simplified());
        closeAllWindows();

        // The command line takes its number for a worksheet.
        const CommandLine read = readCommandLine(
            {"mercanzola", "--scheda", "s.pdf", "--esercizi", QString::number(row.number)});
        QCOMPARE(read.error, QString());
        QCOMPARE(read.worksheetExercises, std::vector<int>{row.number});

        // The report puts it after every exercise before it in the menu.
        QList<platform::ReportRow> rows;
        for (const ExerciseInfo& other : ExerciseTable)
            if (other.number <= row.number) {
                platform::ReportRow line;
                line.pupil = QStringLiteral("Anna");
                line.exercise = QString::fromUtf8(other.caption).simplified();
                rows.prepend(line);
            }
        sortForReport(&rows);
        QCOMPARE(rows.last().exercise, QString::fromUtf8(row.caption).simplified());

        // A full sheet draws it, in the menu's place.
        const WorksheetOptions every = WorksheetOptions::everyExercise();
        QCOMPARE(every.exercises.at(row.number - 1), exercise);
        WorksheetOptions one;
        one.exercises = {exercise};
        for (const Problem& problem : drawSheetProblems(testLesson().catalogue(), one.exercises,
                                                        one.problemsEach, one.seed, one.level)
                                          .problems)
            QCOMPARE(problem.exercise, exercise);
    }

    // Numbers past the table are told, with the table's range, and the help
    // counts the table's rows.
    void numbersPastTheTableAreRefused() {
        for (int number : {0, ExerciseCount + 1}) {
            const CommandLine read = readCommandLine(
                {"mercanzola", "--scheda", "s.pdf", "--esercizi", QString::number(number)});
            QCOMPARE(read.error, QStringLiteral("Esercizio sconosciuto dopo --esercizi: %1 (i "
                                                "numeri vanno da 1 a 13, separati da virgole: "
                                                "1,5,9)")
                                     .arg(number));
        }
    }
};

QTEST_MAIN(ExerciseTableTest)
#include "test_exercise_table.moc"

#include "exercises/TableScreen.h"

#include "model/Headings.h"

namespace {

// Every cell of the table stands in one of two rows and three columns.
constexpr int RowTop[2] = {2880, 3600};
constexpr int ColumnLeft[3] = {1080, 3840, 6600};
constexpr int CellWidth = 2655;
constexpr int CellHeight = 615;

ui::TwipsRect cellRect(int row, int column) {
    return {ColumnLeft[column], RowTop[row], CellWidth, CellHeight};
}

const QColor CurrentBox(255, 0, 0);
const QColor OtherBox(255, 255, 255);

// A quantity label's name for a screen reader, which keeps the value in it.
QString quantityName(int quantity) {
    return Headings::quantita() + QStringLiteral(": ") + QString::number(quantity);
}

} // namespace

TableScreen::TableScreen(Lesson& lesson, Exercise exercise) : ExerciseScreen(lesson, exercise) {
    Label6.add(0, addHeading(Headings::articoloAcquistato(), {480, 1440, 1815, 375}));
    Label6.add(1, addHeading(Headings::spesa(), {1680, 2400, 1335, 375}));
    Label6.add(2, addHeading(Headings::guadagno(), {7560, 2400, 1095, 375}));
    Label6.add(3, addHeading(Headings::ricavo(), {4320, 2400, 1455, 375}));
    Label6.add(4, addHeading(Headings::quantita(), {120, 2400, 1335, 375}));
    Label3 = addArticleLabel({2400, 1320, 5655, 495}, Qt::AlignHCenter);
    Label7 = addValueLabel({120, RowTop[TableCell::OneItem], 735, CellHeight}, Qt::AlignHCenter);
    Label7->setText(QStringLiteral("1"));
    Label7->setAccessibleName(quantityName(1));
    Label8 =
        addValueLabel({120, RowTop[TableCell::SeveralItems], 735, CellHeight}, Qt::AlignHCenter);

    const TableCells& cells = tableCells(exercise);
    std::vector<TableCell> askedCells;
    for (int row : {TableCell::OneItem, TableCell::SeveralItems})
        for (int column : {TableCell::Spesa, TableCell::Ricavo, TableCell::Guadagno}) {
            if (cells[row][column] == TableCellRole::Given) {
                ui::Label* label = addValueLabel(cellRect(row, column));
                (column == TableCell::Spesa ? Label4 : Label5) = label;
                given.push_back(label);
            } else if (cells[row][column] == TableCellRole::Asked) {
                askedCells.push_back({row, column});
            }
        }
    ui::AnswerBox** const names[] = {&Text1, &Text2, &Text3, &Text4};
    const std::size_t first = std::size(names) - askedCells.size();
    for (std::size_t i = 0; i < askedCells.size(); ++i) {
        const TableCell cell = askedCells[i];
        // Only the first of four boxes turns a typed dot into a space.
        const bool isText1 = first + i == 0;
        ui::AnswerBox* box = addAnswerBox(tableColumnHeading(cell.column), 14.25, isText1,
                                          cellRect(cell.row, cell.column));
        *names[first + i] = box;
        asked.push_back(box);
        judgeOnEnter(
            box, [this, i]() -> const Figure& { return problem.steps[i].figure; },
            [this, i] {
                if (i + 1 < asked.size()) {
                    setQuestion(
                        [this, i](Reading reading) { return problem.sentence(reading, i + 1); });
                    say(stepQuestion(i + 1));
                    makeCurrent(i + 1);
                } else
                    NuovoProblema();
            });
    }
    // Tab goes through the boxes in reading order, the faces last.
    QWidget* previous = nullptr;
    for (ui::AnswerBox* box : asked) {
        if (previous)
            setTabOrder(previous, box);
        previous = box;
    }
    setTabOrder(previous, ComandoIconaSi);
    setTabOrder(ComandoIconaSi, ComandoIconaNo);
    makeCurrent(0);
}

void TableScreen::Form_Activate() {
    NuovoProblema();
}

void TableScreen::NuovoProblema() {
    setRandomBackground();
    drawNewProblem();
    Label3->setText(problem.article);
    for (std::size_t i = 0; i < given.size(); ++i)
        given[i]->setText(amountText(problem.given[i].value));
    Label8->setText(numberText(problem.quantity.value()));
    nameCells();
    sayProblem();
    makeCurrent(0);
    // Emptied once the focus is in the first box, as a screen reader that hears
    // of a change in a box it then finds focused would not announce the focus.
    for (ui::AnswerBox* box : asked)
        box->clear();
}

QString TableScreen::stepQuestion(std::size_t step) const {
    return asked[step]->accessibleName() + u'?';
}

QString TableScreen::spokenProblem(Reading reading) const {
    return problem.sentence(reading);
}

QString TableScreen::questionOfTheMoment(Reading reading) const {
    return problem.sentence(reading, currentStep);
}

// The current box is red, enabled and focused; every other box is white and
// disabled, keeping what was typed in it. The next box takes the focus before
// the last one is disabled, so the focus never wanders off to another control.
void TableScreen::makeCurrent(std::size_t step) {
    currentStep = step;
    ui::AnswerBox* current = asked[step];
    current->setEnabled(true);
    current->setBackgroundColour(CurrentBox);
    current->setFocus();
    for (ui::AnswerBox* box : asked)
        if (box != current) {
            box->setEnabled(false);
            box->setBackgroundColour(OtherBox);
        }
}

// A cell is named as the problem heads it: "spesa di 7".
void TableScreen::nameCells() {
    for (std::size_t i = 0; i < asked.size(); ++i)
        asked[i]->setAccessibleName(problem.steps[i].figure.heading);
    for (std::size_t i = 0; i < given.size(); ++i)
        given[i]->setHeading(problem.given[i].heading);
    Label8->setAccessibleName(quantityName(problem.quantity.value()));
}

ui::Screen* newForm9(Lesson& lesson) {
    return new TableScreen(lesson, Exercise::FourCellTable);
}
ui::Screen* newForm10(Lesson& lesson) {
    return new TableScreen(lesson, Exercise::GainOfSeveral);
}
ui::Screen* newForm11(Lesson& lesson) {
    return new TableScreen(lesson, Exercise::GainOfOne);
}

#include "exercises/TableScreen.h"

#include "model/Headings.h"

namespace {

using Cell = TableScreen::Cell;

// Every cell of the table stands in one of two rows and three columns.
constexpr int RowTop[2] = {2880, 3600};
constexpr int ColumnLeft[3] = {1080, 3840, 6600};
constexpr int CellWidth = 2655;
constexpr int CellHeight = 615;

ui::TwipsRect cellRect(TableScreen::Row row, TableScreen::Column column) {
    return {ColumnLeft[column], RowTop[row], CellWidth, CellHeight};
}

QString columnHeading(TableScreen::Column column) {
    switch (column) {
    case TableScreen::Spesa:
        return Headings::spesa();
    case TableScreen::Ricavo:
        return Headings::ricavo();
    case TableScreen::Guadagno:
        break;
    }
    return Headings::guadagno();
}

const QColor CurrentBox(255, 0, 0);
const QColor OtherBox(255, 255, 255);

// A quantity label's name for a screen reader, which keeps the value in it.
QString quantityName(int quantity) {
    return Headings::quantita() + QStringLiteral(": ") + QString::number(quantity);
}

const TableScreen::Cells Form9Cells = {
    {{Cell::Given, Cell::Given, Cell::Asked}, {Cell::Asked, Cell::Asked, Cell::Asked}}};
const TableScreen::Cells Form10Cells = {
    {{Cell::Given, Cell::Given, Cell::Blank}, {Cell::Blank, Cell::Blank, Cell::Asked}}};
const TableScreen::Cells Form11Cells = {
    {{Cell::Blank, Cell::Blank, Cell::Asked}, {Cell::Given, Cell::Given, Cell::Blank}}};

} // namespace

TableScreen::TableScreen(Lesson& lesson, Exercise exercise, const Cells& cells)
    : ExerciseScreen(lesson), exercise(exercise) {
    Label6.add(0, addHeading(Headings::articoloAcquistato(), {480, 1440, 1815, 375}));
    Label6.add(1, addHeading(Headings::spesa(), {1680, 2400, 1335, 375}));
    Label6.add(2, addHeading(Headings::guadagno(), {7560, 2400, 1095, 375}));
    Label6.add(3, addHeading(Headings::ricavo(), {4320, 2400, 1455, 375}));
    Label6.add(4, addHeading(Headings::quantita(), {120, 2400, 1335, 375}));
    Label3 = addArticleLabel({2400, 1320, 5655, 495}, Qt::AlignHCenter);
    Label7 = addValueLabel({120, RowTop[OneItem], 735, CellHeight}, Qt::AlignHCenter);
    Label7->setText(QStringLiteral("1"));
    Label7->setAccessibleName(quantityName(1));
    Label8 = addValueLabel({120, RowTop[SeveralItems], 735, CellHeight}, Qt::AlignHCenter);

    std::vector<Place> askedCells;
    for (Row row : {OneItem, SeveralItems})
        for (Column column : {Spesa, Ricavo, Guadagno}) {
            if (cells[row][column] == Cell::Given) {
                ui::Label* label = addValueLabel(cellRect(row, column));
                (column == Spesa ? Label4 : Label5) = label;
                given.push_back({label, {row, column}});
            } else if (cells[row][column] == Cell::Asked) {
                askedCells.push_back({row, column});
            }
        }
    ui::AnswerBox** const names[] = {&Text1, &Text2, &Text3, &Text4};
    const std::size_t first = std::size(names) - askedCells.size();
    for (std::size_t i = 0; i < askedCells.size(); ++i) {
        const Place cell = askedCells[i];
        // Only the first of four boxes turns a typed dot into a space.
        const bool isText1 = first + i == 0;
        ui::AnswerBox* box = addAnswerBox(columnHeading(cell.column), 14.25, isText1,
                                          cellRect(cell.row, cell.column));
        *names[first + i] = box;
        asked.push_back({box, cell});
        judgeOnEnter(
            box, [this, i] { return problem.steps[i].figure.value; },
            [this, i] {
                if (i + 1 < asked.size()) {
                    say(stepQuestion(i + 1));
                    makeCurrent(i + 1);
                } else
                    NuovoProblema();
            });
    }
    // Tab goes through the boxes in reading order, the faces last.
    QWidget* previous = nullptr;
    for (const Asked& a : asked) {
        if (previous)
            setTabOrder(previous, a.box);
        previous = a.box;
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
    drawNewProblem(exercise);
    Label3->setText(problem.article);
    for (std::size_t i = 0; i < given.size(); ++i)
        given[i].label->setText(amountText(problem.given[i].value));
    Label8->setText(numberText(problem.quantity.value()));
    nameCells();
    sayProblem();
    makeCurrent(0);
    // Emptied once the focus is in the first box, as a screen reader that hears
    // of a change in a box it then finds focused would not announce the focus.
    for (const Asked& a : asked)
        a.box->clear();
}

QString TableScreen::stepQuestion(std::size_t step) const {
    return asked[step].box->accessibleName() + u'?';
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
    ui::AnswerBox* current = asked[step].box;
    current->setEnabled(true);
    current->setBackgroundColour(CurrentBox);
    current->setFocus();
    for (const Asked& a : asked)
        if (a.box != current) {
            a.box->setEnabled(false);
            a.box->setBackgroundColour(OtherBox);
        }
}

// A cell is named after its column and the quantity of its row: "spesa di 7".
void TableScreen::nameCells() {
    const int quantity = problem.quantity.value();
    auto cellName = [quantity](const Place& cell) {
        return columnHeading(cell.column) + QStringLiteral(" di ") +
               QString::number(cell.row == OneItem ? 1 : quantity);
    };
    for (const Asked& a : asked)
        a.box->setAccessibleName(cellName(a.cell));
    for (const Given& g : given)
        g.label->setHeading(cellName(g.cell));
    Label8->setAccessibleName(quantityName(quantity));
}

ui::Screen* newForm9(Lesson& lesson) {
    return new TableScreen(lesson, Exercise::FourCellTable, Form9Cells);
}
ui::Screen* newForm10(Lesson& lesson) {
    return new TableScreen(lesson, Exercise::GainOfSeveral, Form10Cells);
}
ui::Screen* newForm11(Lesson& lesson) {
    return new TableScreen(lesson, Exercise::GainOfOne, Form11Cells);
}

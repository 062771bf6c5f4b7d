#include "exercises/PurchaseScreen.h"

#include "model/Headings.h"

namespace {

const std::array<QString, 4> HeadingTexts = {Headings::articoloAcquistato(),
                                             Headings::costoUnitario(), Headings::quantita(),
                                             Headings::costoTotale()};

// The heading each amount stands under, which names its box for a screen reader.
QString headingOf(PurchaseScreen::Amount amount) {
    switch (amount) {
    case PurchaseScreen::Amount::UnitCost:
        return HeadingTexts[1];
    case PurchaseScreen::Amount::Quantity:
        return HeadingTexts[2];
    case PurchaseScreen::Amount::TotalCost:
        break;
    }
    return HeadingTexts[3];
}

// Rows of the two amounts that trade places on the screen that asks either.
constexpr int UnitCostRowTop = 1920;
constexpr int TotalCostRowTop = 3600;

using Amount = PurchaseScreen::Amount;

const PurchaseScreen::Layout Form1Layout = {Exercise::TotalCost,
                                            {{{{840, 1320, 1815, 375},
                                               {1320, 2040, 1335, 375},
                                               {1800, 2760, 855, 375},
                                               {1440, 4080, 1095, 375}}},
                                             {2880, 1320, 4575, 495},
                                             {2880, 1920, 4575, 495},
                                             {6240, 2520, 1215, 495},
                                             {2880, 3960, 4575, 615},
                                             24},
                                            Amount::TotalCost};

const PurchaseScreen::Layout Form2Layout = {Exercise::UnitCost,
                                            {{{{480, 1320, 1815, 375},
                                               {960, 1920, 1335, 375},
                                               {1440, 2640, 855, 375},
                                               {1080, 3960, 1095, 375}}},
                                             {2880, 1200, 4575, 615},
                                             {2880, 3840, 4575, 615},
                                             {6240, 2640, 1215, 495},
                                             {2880, 1920, 4575, 615},
                                             14.25},
                                            Amount::UnitCost};

// Stored with the answer box in the unit-cost row; each problem moves it.
const PurchaseScreen::Layout Form3Layout = {Exercise::UnitOrTotalCost,
                                            {{{{840, 1440, 1815, 375},
                                               {1320, 2040, 1335, 375},
                                               {1800, 2760, 855, 375},
                                               {1560, 3720, 1095, 375}}},
                                             {2880, 1200, 4575, 615},
                                             {2880, TotalCostRowTop, 4575, 615},
                                             {6240, 2640, 1215, 615},
                                             {2880, UnitCostRowTop, 4575, 615},
                                             14.25},
                                            Amount::UnitCost};

const PurchaseScreen::Layout Form4Layout = {Exercise::NumberOfItems,
                                            {{{{720, 1440, 1815, 375},
                                               {1200, 2040, 1335, 375},
                                               {1680, 3000, 855, 375},
                                               {1320, 4080, 1095, 375}}},
                                             {2760, 1200, 4695, 615},
                                             {2760, 3840, 4695, 615},
                                             {2760, 2040, 4695, 615},
                                             {5520, 2880, 1935, 615},
                                             14.25},
                                            Amount::Quantity};

} // namespace

PurchaseScreen::PurchaseScreen(Lesson& lesson, const Layout& layout)
    : ArticleScreen(lesson, layout.exercise, HeadingTexts, layout.places, Qt::AlignRight,
                    headingOf(layout.asked)),
      layout(layout) {}

void PurchaseScreen::NuovoProblema() {
    setRandomBackground();
    drawNewProblem();
    // The screen that asks either cost moves its box to the row asked.
    if (exerciseInfo(exercise).askCount > 1)
        moveAnswerToAskedRow();
    Label3->setText(problem.article);
    showFigure(Label4, problem.given[0]);
    showFigure(Label5, problem.given[1]);
    Text1->clear();
    sayProblem();
}

// A figure in a value label, named after its heading for a screen reader.
void PurchaseScreen::showFigure(ui::Label* label, const Figure& figure) const {
    label->setText(figure.kind == AnswerKind::Count
                       ? numberText(static_cast<int>(figure.value.roundedWhole()))
                       : amountText(figure.value));
    label->setHeading(figure.heading);
}

QString PurchaseScreen::spokenProblem(Reading reading) const {
    return problem.sentence(reading);
}

void PurchaseScreen::moveAnswerToAskedRow() {
    const bool asksTotal = problem.asked().heading == Headings::costoTotale();
    placeAt(Text1, layout.places.text1.left, asksTotal ? TotalCostRowTop : UnitCostRowTop,
            layout.places.text1.width, layout.places.text1.height);
    placeAt(Label4, layout.places.label4.left, asksTotal ? UnitCostRowTop : TotalCostRowTop,
            layout.places.label4.width, layout.places.label4.height);
    Text1->setAccessibleName(headingOf(asksTotal ? Amount::TotalCost : Amount::UnitCost));
}

ui::Screen* newForm1(Lesson& lesson) {
    return new PurchaseScreen(lesson, Form1Layout);
}
ui::Screen* newForm2(Lesson& lesson) {
    return new PurchaseScreen(lesson, Form2Layout);
}
ui::Screen* newForm3(Lesson& lesson) {
    return new PurchaseScreen(lesson, Form3Layout);
}
ui::Screen* newForm4(Lesson& lesson) {
    return new PurchaseScreen(lesson, Form4Layout);
}

#include "exercises/PurchaseScreen.h"

#include "frame/Sentences.h"
#include "model/Headings.h"
#include "shell/Lesson.h"
#include "shell/Modulo1.h"
#include "shell/Random.h"

using namespace Modulo1;

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

const PurchaseScreen::Layout Form1Layout = {{{{{840, 1320, 1815, 375},
                                               {1320, 2040, 1335, 375},
                                               {1800, 2760, 855, 375},
                                               {1440, 4080, 1095, 375}}},
                                             {2880, 1320, 4575, 495},
                                             {2880, 1920, 4575, 495},
                                             {6240, 2520, 1215, 495},
                                             {2880, 3960, 4575, 615},
                                             24},
                                            Amount::UnitCost,
                                            Amount::Quantity,
                                            Amount::TotalCost,
                                            false};

const PurchaseScreen::Layout Form2Layout = {{{{{480, 1320, 1815, 375},
                                               {960, 1920, 1335, 375},
                                               {1440, 2640, 855, 375},
                                               {1080, 3960, 1095, 375}}},
                                             {2880, 1200, 4575, 615},
                                             {2880, 3840, 4575, 615},
                                             {6240, 2640, 1215, 495},
                                             {2880, 1920, 4575, 615},
                                             14.25},
                                            Amount::TotalCost,
                                            Amount::Quantity,
                                            Amount::UnitCost,
                                            false};

// Stored with the answer box in the unit-cost row; each problem moves it.
const PurchaseScreen::Layout Form3Layout = {{{{{840, 1440, 1815, 375},
                                               {1320, 2040, 1335, 375},
                                               {1800, 2760, 855, 375},
                                               {1560, 3720, 1095, 375}}},
                                             {2880, 1200, 4575, 615},
                                             {2880, TotalCostRowTop, 4575, 615},
                                             {6240, 2640, 1215, 615},
                                             {2880, UnitCostRowTop, 4575, 615},
                                             14.25},
                                            Amount::TotalCost,
                                            Amount::Quantity,
                                            Amount::UnitCost,
                                            true};

const PurchaseScreen::Layout Form4Layout = {{{{{720, 1440, 1815, 375},
                                               {1200, 2040, 1335, 375},
                                               {1680, 3000, 855, 375},
                                               {1320, 4080, 1095, 375}}},
                                             {2760, 1200, 4695, 615},
                                             {2760, 3840, 4695, 615},
                                             {2760, 2040, 4695, 615},
                                             {5520, 2880, 1935, 615},
                                             14.25},
                                            Amount::TotalCost,
                                            Amount::UnitCost,
                                            Amount::Quantity,
                                            false};

} // namespace

PurchaseScreen::PurchaseScreen(const Layout& layout)
    : ArticleScreen(HeadingTexts, layout.places, Qt::AlignRight, headingOf(layout.asked)),
      layout(layout) {}

Money PurchaseScreen::amount(Amount which) const {
    const Money unitCost = lesson().PrezzoVendita[indiceArticolo()];
    switch (which) {
    case Amount::UnitCost:
        return unitCost;
    case Amount::TotalCost:
        return unitCost * Quantita;
    case Amount::Quantity:
        break;
    }
    return moneyOf(Quantita);
}

QString PurchaseScreen::shown(Amount which) const {
    return which == Amount::Quantity ? numberText(Quantita.value()) : amountText(amount(which));
}

void PurchaseScreen::NuovoProblema() {
    setRandomBackground();
    drawArticle();
    Quantita = Count(static_cast<qint16>(drawFrom1To(11)));
    if (layout.asksEither) {
        TipoDomanda = static_cast<qint16>(drawFrom1To(2));
        moveAnswerToAskedRow();
    }
    const Amount label4Shows = shownInLabel4();
    Label3->setText(lesson().Articolo[indiceArticolo()]);
    Label4->setText(shown(label4Shows));
    Label5->setText(shown(layout.label5Shows));
    Label4->setHeading(headingOf(label4Shows));
    Label5->setHeading(headingOf(layout.label5Shows));
    Text1->clear();
    sayProblem();
}

QString PurchaseScreen::spoken(Amount which) const {
    return which == Amount::Quantity ? QString::number(Quantita.value())
                                     : spokenAmount(amount(which));
}

PurchaseScreen::Amount PurchaseScreen::asked() const {
    if (layout.asksEither)
        return TipoDomanda == 1 ? Amount::TotalCost : Amount::UnitCost;
    return layout.asked;
}

PurchaseScreen::Amount PurchaseScreen::shownInLabel4() const {
    if (layout.asksEither)
        return TipoDomanda == 1 ? Amount::UnitCost : Amount::TotalCost;
    return layout.label4Shows;
}

QString PurchaseScreen::spokenProblem() const {
    const Amount label4Shows = shownInLabel4();
    return Sentences::problem(
        lesson().Articolo[indiceArticolo()],
        {Sentences::given(headingOf(label4Shows), spoken(label4Shows)),
         Sentences::given(headingOf(layout.label5Shows), spoken(layout.label5Shows))},
        Sentences::whatIs(headingOf(asked())));
}

void PurchaseScreen::moveAnswerToAskedRow() {
    const bool asksTotal = TipoDomanda == 1;
    placeAt(Text1, layout.places.text1.left, asksTotal ? TotalCostRowTop : UnitCostRowTop,
            layout.places.text1.width, layout.places.text1.height);
    placeAt(Label4, layout.places.label4.left, asksTotal ? UnitCostRowTop : TotalCostRowTop,
            layout.places.label4.width, layout.places.label4.height);
    Text1->setAccessibleName(headingOf(asksTotal ? Amount::TotalCost : Amount::UnitCost));
}

Money PurchaseScreen::expectedAnswer() const {
    return amount(asked());
}

AnswerKind PurchaseScreen::expectedKind() const {
    return !layout.asksEither && layout.asked == Amount::Quantity ? AnswerKind::Count
                                                                  : AnswerKind::Amount;
}

ui::Screen* newForm1() {
    return new PurchaseScreen(Form1Layout);
}
ui::Screen* newForm2() {
    return new PurchaseScreen(Form2Layout);
}
ui::Screen* newForm3() {
    return new PurchaseScreen(Form3Layout);
}
ui::Screen* newForm4() {
    return new PurchaseScreen(Form4Layout);
}

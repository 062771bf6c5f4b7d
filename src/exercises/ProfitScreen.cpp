#include "exercises/ProfitScreen.h"

#include "frame/Sentences.h"
#include "model/Headings.h"
#include "shell/Lesson.h"
#include "shell/Modulo1.h"
#include "shell/Random.h"

using namespace Modulo1;

namespace {

enum class Amount { Spesa, Guadagno, Ricavo };

// What each kind of question shows in Label4 and Label5 and asks in Text1.
struct Question {
    Amount label4, label5, asked;
};
constexpr Question Questions[] = {{Amount::Spesa, Amount::Guadagno, Amount::Ricavo},
                                  {Amount::Spesa, Amount::Ricavo, Amount::Guadagno},
                                  {Amount::Ricavo, Amount::Guadagno, Amount::Spesa}};
constexpr qint16 AsksRicavo = 1, AsksGuadagno = 2, AsksSpesa = 3;

const std::array<QString, 4> HeadingTexts = {Headings::articoloAcquistato(), Headings::spesa(),
                                             Headings::guadagno(), Headings::ricavo()};

QString headingOf(Amount amount) {
    return HeadingTexts[static_cast<int>(amount) + 1];
}

// The mixed screen names the amounts with a capital letter.
QString captionOf(Amount amount) {
    const QString heading = headingOf(amount);
    return heading.left(1).toUpper() + heading.mid(1);
}

Money amount(Amount which) {
    const int k = indiceArticolo();
    switch (which) {
    case Amount::Spesa:
        return lesson().PrezzoAcquisto[k];
    case Amount::Ricavo:
        return lesson().PrezzoVendita[k];
    case Amount::Guadagno:
        break;
    }
    return lesson().PrezzoVendita[k] - lesson().PrezzoAcquisto[k];
}

// The three boxes stand in one row, at the same places on every screen.
constexpr ui::TwipsRect Label4Place = {240, 2880, 2655, 615};
constexpr ui::TwipsRect Label5Place = {3000, 2880, 2775, 615};
constexpr ui::TwipsRect Text1Place = {6000, 2880, 2655, 615};

ArticleScreen::Layout layoutOf(const std::array<ui::TwipsRect, 4>& headings,
                               const ui::TwipsRect& label3) {
    return {headings, label3, Label4Place, Label5Place, Text1Place, 14.25};
}

} // namespace

ProfitScreen::ProfitScreen(const ArticleScreen::Layout& layout, qint16 tipoDomanda, bool drawsKind)
    : ArticleScreen(HeadingTexts, layout, Qt::AlignHCenter,
                    headingOf(Questions[tipoDomanda - 1].asked)),
      TipoDomanda(tipoDomanda), drawsKind(drawsKind) {}

void ProfitScreen::NuovoProblema() {
    setRandomBackground();
    drawArticle();
    if (drawsKind)
        TipoDomanda = static_cast<qint16>(drawFrom1To(3));
    const Question& question = Questions[TipoDomanda - 1];
    Label3->setText(lesson().Articolo[indiceArticolo()]);
    Label4->setText(amountText(amount(question.label4)));
    Label5->setText(amountText(amount(question.label5)));
    Label4->setHeading(headingOf(question.label4));
    Label5->setHeading(headingOf(question.label5));
    if (drawsKind) {
        Label6[1]->setText(captionOf(question.label4));
        Label6[2]->setText(captionOf(question.label5));
        Label6[3]->setText(captionOf(question.asked));
        Text1->setAccessibleName(captionOf(question.asked));
    }
    Text1->clear();
    sayProblem();
}

QString ProfitScreen::spokenProblem() const {
    const Question& question = Questions[TipoDomanda - 1];
    auto given = [](Amount shown) {
        return Sentences::given(headingOf(shown), spokenAmount(amount(shown)));
    };
    return Sentences::problem(lesson().Articolo[indiceArticolo()],
                              {given(question.label4), given(question.label5)},
                              Sentences::whatIs(headingOf(question.asked)));
}

Money ProfitScreen::expectedAnswer() const {
    return amount(Questions[TipoDomanda - 1].asked);
}

ui::Screen* newForm5() {
    return new ProfitScreen(layoutOf({{{480, 1440, 1815, 375},
                                       {1200, 2400, 855, 375},
                                       {6720, 2400, 1095, 375},
                                       {3960, 2400, 1095, 375}}},
                                     {2640, 1320, 4815, 495}),
                            AsksGuadagno);
}
ui::Screen* newForm6() {
    return new ProfitScreen(layoutOf({{{360, 1320, 1815, 375},
                                       {1200, 2400, 855, 375},
                                       {4080, 2400, 1095, 375},
                                       {7080, 2400, 1095, 375}}},
                                     {2520, 1320, 5175, 495}),
                            AsksRicavo);
}
ui::Screen* newForm7() {
    return new ProfitScreen(layoutOf({{{360, 1440, 1815, 375},
                                       {6960, 2400, 855, 375},
                                       {4080, 2400, 1095, 375},
                                       {840, 2400, 1095, 375}}},
                                     {2400, 1320, 5055, 495}),
                            AsksSpesa);
}
// Stored as a question on the ricavo, under the captions of the single screens;
// every problem draws the kind and rewrites them.
ui::Screen* newForm8() {
    return new ProfitScreen(layoutOf({{{480, 1440, 1815, 375},
                                       {840, 2400, 1335, 375},
                                       {4080, 2400, 1095, 375},
                                       {6480, 2400, 1455, 375}}},
                                     {2400, 1320, 5655, 495}),
                            AsksRicavo, true);
}

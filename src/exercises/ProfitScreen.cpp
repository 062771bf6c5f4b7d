#include "exercises/ProfitScreen.h"

#include "model/Headings.h"

namespace {

const std::array<QString, 4> HeadingTexts = {Headings::articoloAcquistato(), Headings::spesa(),
                                             Headings::guadagno(), Headings::ricavo()};

// The mixed screen names the amounts with a capital letter.
QString captionOf(const QString& heading) {
    return heading.left(1).toUpper() + heading.mid(1);
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

ProfitScreen::ProfitScreen(Lesson& lesson, const ArticleScreen::Layout& layout, Exercise exercise,
                           const QString& storedAsked)
    : ArticleScreen(lesson, exercise, HeadingTexts, layout, Qt::AlignHCenter, storedAsked) {}

void ProfitScreen::NuovoProblema() {
    setRandomBackground();
    drawNewProblem();
    const Figure& first = problem.given[0];
    const Figure& second = problem.given[1];
    const QString asked = problem.asked().heading;
    Label3->setText(problem.article);
    Label4->setText(amountText(first.value));
    Label5->setText(amountText(second.value));
    Label4->setHeading(first.heading);
    Label5->setHeading(second.heading);
    if (exercise == Exercise::MixedProfit) {
        Label6[1]->setText(captionOf(first.heading));
        Label6[2]->setText(captionOf(second.heading));
        Label6[3]->setText(captionOf(asked));
        Text1->setAccessibleName(captionOf(asked));
    }
    Text1->clear();
    sayProblem();
}

QString ProfitScreen::spokenProblem(Reading reading) const {
    return problem.sentence(reading);
}

ui::Screen* newForm5(Lesson& lesson) {
    return new ProfitScreen(lesson,
                            layoutOf({{{480, 1440, 1815, 375},
                                       {1200, 2400, 855, 375},
                                       {6720, 2400, 1095, 375},
                                       {3960, 2400, 1095, 375}}},
                                     {2640, 1320, 4815, 495}),
                            Exercise::Gain, Headings::guadagno());
}
ui::Screen* newForm6(Lesson& lesson) {
    return new ProfitScreen(lesson,
                            layoutOf({{{360, 1320, 1815, 375},
                                       {1200, 2400, 855, 375},
                                       {4080, 2400, 1095, 375},
                                       {7080, 2400, 1095, 375}}},
                                     {2520, 1320, 5175, 495}),
                            Exercise::Revenue, Headings::ricavo());
}
ui::Screen* newForm7(Lesson& lesson) {
    return new ProfitScreen(lesson,
                            layoutOf({{{360, 1440, 1815, 375},
                                       {6960, 2400, 855, 375},
                                       {4080, 2400, 1095, 375},
                                       {840, 2400, 1095, 375}}},
                                     {2400, 1320, 5055, 495}),
                            Exercise::Expense, Headings::spesa());
}
// Stored as a question on the ricavo, under the captions of the single screens;
// every problem draws the kind and rewrites them.
ui::Screen* newForm8(Lesson& lesson) {
    return new ProfitScreen(lesson,
                            layoutOf({{{480, 1440, 1815, 375},
                                       {840, 2400, 1335, 375},
                                       {4080, 2400, 1095, 375},
                                       {6480, 2400, 1455, 375}}},
                                     {2400, 1320, 5655, 495}),
                            Exercise::MixedProfit, Headings::ricavo());
}

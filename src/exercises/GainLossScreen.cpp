#include "exercises/GainLossScreen.h"

#include "model/Headings.h"
#include "ui/Twips.h"

namespace {

// The choice words, by button index; the right one then heads the answer.
const std::array<QString, 2> ChoiceWords = {Headings::guadagno(), Headings::perdita()};

constexpr quint32 AnswerRed = 0x0000FF; // 0x00BBGGRR

} // namespace

GainLossScreen::GainLossScreen(Lesson& lesson) : ExerciseScreen(lesson, Exercise::GainOrLoss) {
    Label6.add(0, addHeading(Headings::articoloAcquistato(), {480, 1440, 1815, 375}));
    Label3 = addArticleLabel({2400, 1320, 5655, 495}, Qt::AlignHCenter);
    Label6.add(1, addHeading(Headings::spesa(), {840, 2400, 1335, 375}));
    Label6.add(3, addHeading(Headings::ricavo(), {3840, 2400, 1455, 375}));
    Label10 = addHeading(QString(), {6360, 2400, 1095, 375});
    Label4 = addValueLabel({240, 2880, 2655, 615});
    Label4->setHeading(Headings::spesa());
    Label5 = addValueLabel({3000, 2880, 2775, 615});
    Label5->setHeading(Headings::ricavo());
    Text1 = addAnswerBox(QString(), 14.25, true, {6000, 2880, 2655, 615});
    Text1->setBackgroundColour(ui::colourFromBgr(AnswerRed));

    const QFont buttonFont = ui::screenFont(QStringLiteral("Arial"), 14.25);
    const int buttonLefts[] = {600, 4800};
    for (int index = 0; index < 2; ++index) {
        Command1[index] = place(new ui::Button(ChoiceWords[index], buttonFont), buttonLefts[index],
                                3840, 2295, 735);
        onClick(Command1[index], [this, index] { Command1_Click(index); });
    }

    // Tab goes from the choice to the answer, the faces last.
    setTabOrder(Command1[0], Command1[1]);
    setTabOrder(Command1[1], Text1);
    setTabOrder(Text1, ComandoIconaSi);
    setTabOrder(ComandoIconaSi, ComandoIconaNo);
    judgeText1OnEnter();
}

void GainLossScreen::Form_Activate() {
    NuovoProblema();
}

void GainLossScreen::NuovoProblema() {
    setRandomBackground();
    drawNewProblem();
    SceltaEsatta = static_cast<qint16>(problem.rightChoice);
    Command1[0]->setEnabled(true);
    Command1[1]->setEnabled(true);
    Label3->setText(problem.article);
    Label4->setText(amountText(problem.given[0].value));
    Label5->setText(amountText(problem.given[1].value));
    sayProblem();
    // A pupil on the keyboard starts from the choice at once. The box is
    // disabled only then, so that the focus does not wander off it to another
    // control, which a screen reader would announce.
    Command1[0]->setFocus();
    Text1->clear();
    Text1->setEnabled(false);
    showChosenWord(QString());
}

QString GainLossScreen::spokenProblem(Reading reading) const {
    return problem.sentence(reading);
}

QString GainLossScreen::questionOfTheMoment(Reading reading) const {
    return problem.sentence(reading, Label10->text().isEmpty() ? 0 : 1);
}

void GainLossScreen::Command1_Click(int index) {
    recordAnswer(ChoiceWords[index], index == SceltaEsatta);
    if (index != SceltaEsatta) {
        // The choice stays open and the focus on the button pressed.
        wrongFeedback();
        return;
    }
    showChosenWord(ChoiceWords[index]);
    setQuestion([this](Reading reading) { return questionOfTheMoment(reading); });
    say(ChoiceWords[index] + QStringLiteral(": ora scrivi quanto"));
    // The box takes the focus before the buttons go, so that it never
    // wanders to the faces on the way.
    Text1->setEnabled(true);
    Text1->setFocus();
    Command1[0]->setEnabled(false);
    Command1[1]->setEnabled(false);
}

// The answer box is named after the word above it; before the choice, after
// what it will hold. The empty heading is left out of what a screen reader lists.
void GainLossScreen::showChosenWord(const QString& word) {
    Label10->setText(word);
    Label10->setVisible(!word.isEmpty());
    Text1->setAccessibleName(word.isEmpty() ? QStringLiteral("guadagno o perdita") : word);
}

ui::Screen* newForm12(Lesson& lesson) {
    return new GainLossScreen(lesson);
}

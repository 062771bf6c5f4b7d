#pragma once

#include "frame/ExerciseScreen.h"
#include "ui/ControlArray.h"

#include <array>

// A deal shown as its spesa and ricavo: the pupil first says whether it ends in
// a gain or a loss, and only after the right choice types the amount.
class GainLossScreen : public ExerciseScreen {
    Q_OBJECT
public:
    explicit GainLossScreen(Lesson& lesson);

    void NuovoProblema() override;
    QString spokenProblem(Reading reading) const override;
    // After the right choice, the amount of the word chosen.
    QString questionOfTheMoment(Reading reading) const override;
    // The answer box is disabled until the right choice; the first problem puts
    // the focus on the choice itself.
    void Form_Activate() override;
    // Judges the choice of the button with this index: 0 "guadagno", 1 "perdita".
    void Command1_Click(int index);

    // The headings: 0 articolo acquistato, 1 spesa, 3 ricavo (this screen has no 2).
    ui::ControlArray<ui::Label> Label6;
    ui::Label* Label3;
    ui::Label* Label4;
    ui::Label* Label5;
    // The heading of the answer: empty until the right choice names it.
    ui::Label* Label10;
    std::array<ui::Button*, 2> Command1;
    // The index of the right button for the problem on show.
    qint16 SceltaEsatta = 0;

private:
    void showChosenWord(const QString& word);
};

// Gain or loss.
ui::Screen* newForm12(Lesson& lesson);

#pragma once

#include "frame/ExerciseScreen.h"
#include "ui/ControlArray.h"

#include <array>
#include <vector>

// One article as a small table of buying and selling: expense, revenue and
// gain for one item and for a drawn quantity. Each cell is given, asked or
// left blank; the asked cells are answered one after the other, and the one
// enabled box is the step the pupil is at.
class TableScreen : public ExerciseScreen {
    Q_OBJECT
public:
    // The cells as the exercise's problems show and ask them (tableCells).
    TableScreen(Lesson& lesson, Exercise exercise);

    void NuovoProblema() override;
    // The article, the quantity, the given cells and the first asked one.
    QString spokenProblem(Reading reading) const override;
    // The same with the step the pupil has reached.
    QString questionOfTheMoment(Reading reading) const override;
    // The new problem places the focus itself.
    void Form_Activate() override;

    // The headings: 0 articolo acquistato, 1 spesa, 2 guadagno, 3 ricavo, 4 quantità.
    ui::ControlArray<ui::Label> Label6;
    ui::Label* Label3;
    ui::Label* Label4 = nullptr; // the given spesa
    ui::Label* Label5 = nullptr; // the given ricavo
    ui::Label* Label7;           // the quantity of the first row, always 1
    ui::Label* Label8;           // the drawn quantity
    // Numbered so that the last asked box is Text4: with one box, Text1 to
    // Text3 are null.
    ui::AnswerBox* Text2 = nullptr;
    ui::AnswerBox* Text3 = nullptr;
    ui::AnswerBox* Text4 = nullptr;

private:
    void makeCurrent(std::size_t step);
    // "spesa di 8?"
    QString stepQuestion(std::size_t step) const;
    void nameCells();

    // In reading order, as the problem lists its given values and its steps.
    std::vector<ui::Label*> given;
    std::vector<ui::AnswerBox*> asked;
    std::size_t currentStep = 0;
};

// Four cells one after the other; the gain of several items; the gain of one.
ui::Screen* newForm9(Lesson& lesson);
ui::Screen* newForm10(Lesson& lesson);
ui::Screen* newForm11(Lesson& lesson);

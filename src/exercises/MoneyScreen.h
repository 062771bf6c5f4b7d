#pragma once

#include "frame/ExerciseScreen.h"
#include "frame/Sentences.h"

#include <array>

namespace ui {
class PictureSlot;
class CaptionedPictureButton;
} // namespace ui

// Paying with money: the board shows the money taken in (the cost plus a
// gain); the pupil states the revenue, clicks the pieces that paid the cost,
// then states the gain. Only a right gain counts.
class MoneyScreen : public ExerciseScreen {
    Q_OBJECT
public:
    explicit MoneyScreen(Lesson& lesson);

    void NuovoProblema() override;
    QString spokenProblem(Reading reading) const override;
    // The phase the pupil is in, with what lies on the board now: the revenue
    // asked, the paying, or the gain asked.
    QString questionOfTheMoment(Reading reading) const override;
    // The focus is placed by NuovoProblema.
    void Form_Activate() override;
    // Decodes each piece's picture at its slot's size, and the hand's.
    void prepareAhead() override;

    // Lays the problem's pieces out on the board from slot 0, in its order.
    void DisponiDenaro();
    void Image1_Click(int index);
    void Command3D1_Click();

    ui::Label* Label4; // instruction line
    ui::Label* Label3; // "Ho ricavato £. " or "Ho ricavato € "
    ui::Label* Label5; // the cost
    ui::Label* Label6; // "Ho guadagnato £. " or "Ho guadagnato € "
    ui::AnswerBox* Text2;
    std::array<ui::PictureSlot*, 18> Image1;
    ui::CaptionedPictureButton* Command3D1;

    // What the pupil has paid so far.
    Money SommaCliccata;
    // The value of the piece laid in a slot, clicked away or not; 0 for a slot
    // that holds none.
    int pieceValue(int slot) const;

private:
    // The names of the pieces on the board, in the order of the slots, alike
    // ones together.
    QStringList piecesOnBoard(Reading reading) const;
    void startPaying();
    void showPaid();

    // The piece laid in each slot, an index into the currency's pieces.
    static constexpr int NoPiece = -1;
    std::array<int, 18> pieceOnSlot;
};

ui::Screen* newForm13(Lesson& lesson);

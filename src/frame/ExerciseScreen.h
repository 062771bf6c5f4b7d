#pragma once

#include "shell/Money.h"
#include "ui/Controls.h"
#include "ui/Screen.h"

#include <QAction>

// The frame every exercise screen stands on: the window, the two faces, the
// counts of right and wrong answers, the screen menu, the key filter and the
// judging of a typed answer.
class ExerciseScreen : public ui::Screen {
    Q_OBJECT
public:
    ExerciseScreen();

    // Draws and shows a new problem, with a new background colour, and empties
    // the answer box.
    virtual void NuovoProblema() = 0;

    void Form_Load() override;
    // A new problem, then the focus in Text1. Screens that place the focus
    // themselves override it.
    void Form_Activate() override;

    void MenuAzzera_Click();
    void MenuInformazioni_Click();
    void mnuEsci_Click();

    // The key filter: a typed "." becomes a space.
    static QChar Text1_KeyPress(QChar typed);

    ui::PictureButton* ComandoIconaSi;
    ui::PictureButton* ComandoIconaNo;
    ui::Label* Label1;
    ui::Label* Label2;
    ui::Label* EtichettaEsatti;
    ui::Label* EtichettaErrati;
    QAction* MenuAzzera;
    QAction* MenuInformazioni;
    QAction* mnuEsci;
    // The standard answer box, on the screens that have one.
    ui::AnswerBox* Text1 = nullptr;

protected:
    // An answer box at its place, named for a screen reader after its heading.
    ui::AnswerBox* addAnswerBox(const QString& heading, double points, bool withKeyFilter, int left,
                                int top, int width, int height);

    // Text1 judged against expectedAnswer() on the release of Enter: a right
    // answer draws a new problem, a wrong one keeps it.
    void judgeText1OnEnter();
    virtual Money expectedAnswer() const { return Money(); }

    // The typed text of a box compared with the expected amount.
    static bool isRight(const ui::AnswerBox* box, Money expected);

    // Steps 1 to 5 of the feedback: faces, count, sound, count label.
    void rightFeedback();
    void wrongFeedback();

    void setRandomBackground();
};

#pragma once

#include "frame/ArticleScreen.h"

// A shopkeeper buys an article and sells it again: of the spesa (what was paid),
// the ricavo (what the sale brought) and the guadagno (ricavo less spesa) two
// are shown and the third is asked.
class ProfitScreen : public ArticleScreen {
    Q_OBJECT
public:
    // The exercise's problems, under the captions of the kind of question the
    // screen is stored with; the mixed exercise draws the kind at every problem
    // and writes the captions above the boxes to match.
    ProfitScreen(const ArticleScreen::Layout& layout, Exercise exercise, qint16 tipoDomanda);

    void NuovoProblema() override;
    QString spokenProblem(Reading reading) const override;

    // The kind of question: 1 asks the ricavo, 2 the guadagno, 3 the spesa.
    qint16 TipoDomanda;

protected:
    Money expectedAnswer() const override;
    // A sale below cost is a negative gain; a ricavo or a spesa is never below zero.
    bool answerMayBeNegative() const override { return asksGain(); }
    bool asksGain() const override { return exercise == Exercise::MixedProfit || TipoDomanda == 2; }

private:
    const Exercise exercise;
};

// Guadagno, ricavo, spesa, and the three mixed.
ui::Screen* newForm5();
ui::Screen* newForm6();
ui::Screen* newForm7();
ui::Screen* newForm8();

#pragma once

#include "frame/ArticleScreen.h"

// A shopkeeper buys an article and sells it again: of the spesa (what was paid),
// the ricavo (what the sale brought) and the guadagno (ricavo less spesa) two
// are shown and the third is asked.
class ProfitScreen : public ArticleScreen {
    Q_OBJECT
public:
    // The exercise's problems, with the answer box named after the amount the
    // screen is stored asking; the mixed exercise draws the amount asked at
    // every problem and writes the captions above the boxes to match.
    ProfitScreen(Lesson& lesson, const ArticleScreen::Layout& layout, Exercise exercise,
                 const QString& storedAsked);

    void NuovoProblema() override;
    QString spokenProblem(Reading reading) const override;
};

// Guadagno, ricavo, spesa, and the three mixed.
ui::Screen* newForm5(Lesson& lesson);
ui::Screen* newForm6(Lesson& lesson);
ui::Screen* newForm7(Lesson& lesson);
ui::Screen* newForm8(Lesson& lesson);

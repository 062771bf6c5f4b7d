#pragma once

#include "frame/ArticleScreen.h"

// Buying several pieces of one article at one unit cost: two of unit cost,
// quantity and total cost are shown and the third is asked.
class PurchaseScreen : public ArticleScreen {
    Q_OBJECT
public:
    enum class Amount { UnitCost, TotalCost, Quantity };
    struct Layout {
        Exercise exercise;
        // Under the headings articolo acquistato, costo unitario, quantità, costo totale.
        ArticleScreen::Layout places;
        Amount asked; // on the screen that asks either, as stored
    };

    PurchaseScreen(Lesson& lesson, const Layout& layout);

    void NuovoProblema() override;
    QString spokenProblem(Reading reading) const override;

private:
    void showFigure(ui::Label* label, const Figure& figure) const;
    void moveAnswerToAskedRow();

    const Layout layout;
};

// Total cost, unit cost, unit or total cost, number of items.
ui::Screen* newForm1(Lesson& lesson);
ui::Screen* newForm2(Lesson& lesson);
ui::Screen* newForm3(Lesson& lesson);
ui::Screen* newForm4(Lesson& lesson);

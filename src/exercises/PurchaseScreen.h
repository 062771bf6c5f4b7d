#pragma once

#include "frame/ExerciseScreen.h"

#include <array>

// Buying several pieces of one article at one unit cost: two of unit cost,
// quantity and total cost are shown and the third is asked.
class PurchaseScreen : public ExerciseScreen {
    Q_OBJECT
public:
    enum class Amount { UnitCost, TotalCost, Quantity };
    using Rect = ui::TwipsRect;
    struct Layout {
        std::array<Rect, 4> headings; // articolo acquistato, costo unitario, quantità, costo totale
        Rect label3, label4, label5, text1;
        double text1Points;
        Amount label4Shows, label5Shows, asked;
        bool asksEither; // each problem asks the total or the unit cost, at random
    };

    explicit PurchaseScreen(const Layout& layout);

    void NuovoProblema() override;

    std::array<ui::Label*, 4> Label6;
    ui::Label* Label3;
    ui::Label* Label4;
    ui::Label* Label5;
    // On the screen that asks either amount: 1 for the total, 2 for the unit cost.
    qint16 TipoDomanda = 2;

protected:
    Money expectedAnswer() const override;

private:
    Money amount(Amount which) const;
    QString shown(Amount which) const;
    void moveAnswerToAskedRow();

    const Layout layout;
};

// Total cost, unit cost, unit or total cost, number of items.
ui::Screen* newForm1();
ui::Screen* newForm2();
ui::Screen* newForm3();
ui::Screen* newForm4();

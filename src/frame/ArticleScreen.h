#pragma once

#include "frame/ExerciseScreen.h"

#include "ui/ControlArray.h"

#include <array>

// The shape the purchase and profit screens share: the drawn article in Label3,
// two given amounts in Label4 and Label5, the asked one typed in Text1, each
// under a heading of Label6.
class ArticleScreen : public ExerciseScreen {
    Q_OBJECT
public:
    using Rect = ui::TwipsRect;
    struct Layout {
        std::array<Rect, 4> headings; // Label6, indices 0 to 3
        Rect label3, label4, label5, text1;
        double text1Points;
    };

    ui::ControlArray<ui::Label> Label6; // the headings, indices 0 to 3
    ui::Label* Label3;
    ui::Label* Label4;
    ui::Label* Label5;

protected:
    // Text1 is named after the heading it stands under.
    ArticleScreen(Lesson& lesson, Exercise exercise, const std::array<QString, 4>& headings,
                  const Layout& layout, Qt::Alignment label3Alignment, const QString& text1Name);
};

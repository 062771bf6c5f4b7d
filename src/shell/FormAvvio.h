#pragma once

#include "ui/Controls.h"
#include "ui/Screen.h"

#include <array>

// The start screen: the program's title and the button "Avvio".
class FormAvvio : public ui::Screen {
    Q_OBJECT
public:
    FormAvvio();

    void Form_Load() override;
    void Command1_Click();

    std::array<ui::Label*, 2> Label2;
    ui::Button* Command1;
};

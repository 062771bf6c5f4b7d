#pragma once

#include "ui/Controls.h"
#include "ui/Screen.h"

#include <QMap>

// The main menu: thirteen exercises in a two-column grid, and "Esci".
class FormMenu : public ui::Screen {
    Q_OBJECT
public:
    FormMenu();

    void Form_Load() override;
    void Command1_Click();

    // The buttons by their number: Command1 ("Esci") to Command14.
    QMap<int, ui::Button*> Command;
};

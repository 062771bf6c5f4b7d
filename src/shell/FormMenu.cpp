#include "shell/FormMenu.h"

#include "shell/Modulo1.h"
#include "shell/ModuloColoriSuoni.h"
#include "shell/ScreenChain.h"
#include "shell/ScreenNames.h"
#include "shell/VoiceNotice.h"
#include "ui/Twips.h"

namespace {

struct MenuEntry {
    int number; // CommandN
    int left, top;
    ScreenId opens; // unused for Esci
};

// In tab order: "Esci" first, then the exercises in the order of their screens.
const MenuEntry Entries[] = {
    {1, 3960, 5280, ScreenId::Menu},    {6, 240, 240, ScreenId::Form1},
    {2, 240, 1080, ScreenId::Form2},    {3, 240, 1920, ScreenId::Form3},
    {4, 240, 2760, ScreenId::Form4},    {5, 240, 4440, ScreenId::Form5},
    {7, 240, 5280, ScreenId::Form6},    {8, 3960, 240, ScreenId::Form7},
    {9, 3960, 1080, ScreenId::Form8},   {10, 3960, 1920, ScreenId::Form9},
    {11, 3960, 2760, ScreenId::Form10}, {12, 3960, 3600, ScreenId::Form11},
    {13, 3960, 4440, ScreenId::Form12}, {14, 240, 3600, ScreenId::Form13},
};

} // namespace

FormMenu::FormMenu() : ui::Screen(9600, 7200) {
    const QFont font = ui::screenFont(QStringLiteral("Arial"), 9.75);
    ui::Button* previous = nullptr;
    for (const MenuEntry& entry : Entries) {
        const QString caption =
            entry.number == 1 ? QStringLiteral("Esci") : menuCaption(entry.opens);
        auto* button = place(new ui::Button(caption, font), entry.left, entry.top, 3500, 735);
        Command.insert(entry.number, button);
        if (entry.number == 1) {
            onClick(button, [this] { Command1_Click(); });
        } else {
            const ScreenId opens = entry.opens;
            // Exercises not built yet stay visible but cannot be opened.
            button->setEnabled(isScreenAvailable(opens));
            onClick(button, [this, opens] { openScreen(opens, this); });
        }
        if (previous)
            setTabOrder(previous, button);
        previous = button;
    }
    Command.value(1)->setFocus();
    addVoiceNotice(this, {240, 6240, 9120, 735});
}

void FormMenu::Form_Load() {
    setBackground(ModuloColoriSuoni::ColoreCasuale());
}

void FormMenu::Command1_Click() {
    Modulo1::ChiediUscita(this);
}

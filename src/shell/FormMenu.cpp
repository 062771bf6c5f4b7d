#include "shell/FormMenu.h"

#include "shell/Modulo1.h"
#include "shell/ModuloColoriSuoni.h"
#include "shell/ScreenChain.h"
#include "shell/ScreenNames.h"
#include "shell/VoiceNotice.h"
#include "ui/Twips.h"

#include <optional>
#include <vector>

namespace {

// The menu's grid: two columns of seven buttons, each 3500 twips wide.
constexpr int Left[2] = {240, 3960};
constexpr int RowTop = 240, RowStep = 840;

struct MenuEntry {
    int number; // CommandN
    int left, top;
    std::optional<ScreenId> opens; // none for Esci
};

// In tab order: "Esci" first, then the exercises in the order of their screens.
std::vector<MenuEntry> entries() {
    std::vector<MenuEntry> all = {{1, Left[1], RowTop + 6 * RowStep, std::nullopt}};
    for (const ExerciseInfo& row : ExerciseTable)
        all.push_back({row.menu.button, Left[row.menu.column], RowTop + row.menu.row * RowStep,
                       row.exercise});
    return all;
}

} // namespace

FormMenu::FormMenu() : ui::Screen(9600, 7200) {
    const QFont font = ui::screenFont(QStringLiteral("Arial"), 9.75);
    ui::Button* previous = nullptr;
    for (const MenuEntry& entry : entries()) {
        const QString caption = entry.opens ? menuCaption(*entry.opens) : QStringLiteral("Esci");
        auto* button = place(new ui::Button(caption, font), entry.left, entry.top, 3500, 735);
        Command.insert(entry.number, button);
        if (!entry.opens) {
            onClick(button, [this] { Command1_Click(); });
        } else {
            const ScreenId opens = *entry.opens;
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

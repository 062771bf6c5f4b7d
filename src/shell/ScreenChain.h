#pragma once

#include <functional>

namespace ui {
class Screen;
}

// Every screen of the program. One is open at a time; each opening creates the
// screen afresh.
enum class ScreenId {
    Avvio,
    Menu,
    Form1,
    Form2,
    Form3,
    Form4,
    Form5,
    Form6,
    Form7,
    Form8,
    Form9,
    Form10,
    Form11,
    Form12,
    Form13,
};

using ScreenFactory = std::function<ui::Screen*()>;

void registerScreen(ScreenId id, ScreenFactory factory);
bool isScreenAvailable(ScreenId id);

// Creates and loads the screen, shows it, then closes `replacing`: the next
// screen is shown first, so the program does not end in between.
ui::Screen* openScreen(ScreenId id, ui::Screen* replacing = nullptr);

// Creates the screen unseen and drops it, so that its first opening finds its
// fonts and Qt's plugins loaded. Runs once per screen; a screen not registered
// is skipped.
void warmUpScreen(ScreenId id);

// The screen open now, or null.
ui::Screen* currentScreen();

#pragma once

#include "shell/ScreenId.h"

#include <functional>

namespace ui {
class Screen;
}

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

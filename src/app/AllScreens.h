#pragma once

// Makes every screen built so far reachable through the screen chain.
void registerAllScreens();

// Qt's Italian texts, font substitutes, how the controls present themselves to a
// screen reader, and the error guard: what the program
// sets up once the toolkit is up.
void setUpToolkit();

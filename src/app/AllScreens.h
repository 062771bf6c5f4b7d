#pragma once

// Makes every screen built so far reachable through the screen chain.
void registerAllScreens();

// Qt's Italian texts, font substitutes and the error guard: what the program
// sets up once the toolkit is up.
void setUpToolkit();

#pragma once

class Lesson;

// Makes every screen reachable through the screen chain; the exercise screens
// work on `lesson`, which outlives them.
void registerAllScreens(Lesson& lesson);

// Qt's Italian texts, font substitutes, how the controls present themselves to a
// screen reader, and the error guard: what the program
// sets up once the toolkit is up.
void setUpToolkit();

// Qt's own texts (its file, print and message dialogs) in Italian.
void loadItalianTexts();

#pragma once

#include <QString>
#include <random>

class ExerciseScreen;

// A pupil with a random hand, who knows no screen in particular: types into
// whichever answer boxes are open, guesses from the numbers the screen shows,
// pastes long texts, presses Enter, clicks the screen's buttons, and now and then
// resets the counts or asks for the information box.
class Pupil {
public:
    explicit Pupil(std::mt19937_64& engine) : engine(engine) {}

    // One answer: into an answer box and Enter, or a click on a button. False when
    // the screen offers neither.
    bool answer(ExerciseScreen* screen);
    // Now and then between answers: the reset or the information item.
    void fidget(ExerciseScreen* screen);

    long pasted = 0;

private:
    int below(int n) { return static_cast<int>(engine() % static_cast<unsigned>(n)); }
    QString guess(ExerciseScreen* screen);
    QString randomDigits();
    QString longText();

    std::mt19937_64& engine;
};

#pragma once

#include "model/Exercises.h"

#include <QHashFunctions>
#include <compare>
#include <optional>
#include <vector>

// Every screen of the program: the three of the shell, and one for each row of
// the exercise table. One is open at a time; each opening creates the screen
// afresh.
class ScreenId {
public:
    enum Shell {
        Avvio,
        Menu,
        // The pupil says who they are, with the teacher's record on.
        Alunno,
    };
    constexpr ScreenId(Shell screen) : shell(screen) {}
    constexpr ScreenId(Exercise exercise) : shown(exercise) {}

    // The exercise the screen asks, if it is an exercise screen.
    constexpr std::optional<Exercise> exercise() const { return shown; }

    friend constexpr bool operator==(ScreenId, ScreenId) = default;
    friend constexpr auto operator<=>(ScreenId, ScreenId) = default;
    friend size_t qHash(ScreenId id, size_t seed = 0) {
        return qHashMulti(seed, int(id.shell), id.shown ? int(*id.shown) : 0);
    }

private:
    Shell shell = Menu; // when no exercise
    std::optional<Exercise> shown;
};

// The start screen, the menu, then the exercise screens in the menu's order.
std::vector<ScreenId> startAndExerciseScreens();

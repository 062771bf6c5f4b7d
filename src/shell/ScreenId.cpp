#include "shell/ScreenId.h"

std::vector<ScreenId> startAndExerciseScreens() {
    std::vector<ScreenId> screens = {ScreenId::Avvio, ScreenId::Menu};
    for (const ExerciseInfo& row : ExerciseTable)
        screens.push_back(row.exercise);
    return screens;
}

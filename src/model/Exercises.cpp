#include "model/Exercises.h"

#include <algorithm>

const ExerciseInfo& exerciseInfo(Exercise exercise) {
    const auto* row = std::ranges::find(ExerciseTable, exercise, &ExerciseInfo::exercise);
    return row != std::end(ExerciseTable) ? *row : ExerciseTable[0];
}

std::optional<Exercise> exerciseNumbered(int number) {
    const auto* row = std::ranges::find(ExerciseTable, number, &ExerciseInfo::number);
    if (row == std::end(ExerciseTable))
        return std::nullopt;
    return row->exercise;
}

// Each value is its number, so that a number kept before the table still names it.
static_assert([] {
    for (const ExerciseInfo& row : ExerciseTable)
        if (static_cast<int>(row.exercise) != row.number)
            return false;
    return true;
}());

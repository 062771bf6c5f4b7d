#pragma once

#include "model/Catalogue.h"
#include "model/Problem.h"

#include <QStringList>
#include <cstdint>
#include <vector>

// One sheet's problems as they go on paper: none a pupil would take for a
// misprint. Tables ask for two items or more, no problem repeats within an
// exercise while the catalogue has others, and articles that leave a problem
// with no answer are kept out of it. The screens keep their own draws.
struct SheetProblems {
    std::vector<Problem> problems;   // exercise after exercise
    std::vector<Exercise> exercises; // those that had articles to draw from
    QStringList warnings;            // for the teacher: what was left out, what repeats
};

SheetProblems drawSheetProblems(const Catalogue& catalogue, const std::vector<Exercise>& exercises,
                                int problemsEach, std::uint64_t seed, int level);

// The exercises whose problems show a table.
bool isTableExercise(Exercise exercise);

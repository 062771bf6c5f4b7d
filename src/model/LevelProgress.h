#pragma once

#include "model/Levels.h"

#include <algorithm>
#include <optional>

// The level of a pupil who moves by himself: up one after five right answers
// in a row at the level, down one after three wrong in a row, between 1 and 3.
class LevelProgress {
public:
    static constexpr int RightToGoUp = 5;
    static constexpr int WrongToGoDown = 3;

    explicit LevelProgress(int level = LowestLevel)
        : current(std::clamp(level, LowestLevel, HighestLevel)) {}
    int level() const { return current; }

    // The new level when this answer changes it; each level starts its rows afresh.
    std::optional<int> answered(bool right) {
        rightInRow = right ? rightInRow + 1 : 0;
        wrongInRow = right ? 0 : wrongInRow + 1;
        int next = current;
        if (rightInRow >= RightToGoUp)
            next = std::min(current + 1, HighestLevel);
        else if (wrongInRow >= WrongToGoDown)
            next = std::max(current - 1, LowestLevel);
        if (rightInRow >= RightToGoUp || wrongInRow >= WrongToGoDown)
            rightInRow = wrongInRow = 0;
        if (next == current)
            return std::nullopt;
        current = next;
        return current;
    }

private:
    int current;
    int rightInRow = 0;
    int wrongInRow = 0;
};

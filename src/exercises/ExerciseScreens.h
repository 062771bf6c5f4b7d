#pragma once

#include "model/Exercises.h"

class Lesson;
namespace ui {
class Screen;
}

// The screen of one row of the exercise table, working on `lesson`.
ui::Screen* newExerciseScreen(Exercise exercise, Lesson& lesson);

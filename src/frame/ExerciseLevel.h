#pragma once

#include "model/LevelChoice.h"
#include "model/LevelProgress.h"

#include <QPointer>
#include <QString>
#include <optional>

class Lesson;
namespace ui {
class LevelStars;
class Screen;
} // namespace ui

// The level of one exercise screen: none, the teacher's, or the pupil's own,
// moved by his answers and kept for the next time; shown as three stars in
// the menu bar's corner only when levels are on.
class ExerciseLevel {
public:
    // As the lesson says for the exercise; auto starts where the pupil last got to.
    void start(const Lesson& lesson, int exercise, ui::Screen* screen);
    bool started() const { return exercise > 0; }
    // The level to draw at: 0 with none.
    int level() const { return progress ? progress->level() : choice.level; }

    // After a judged answer: with auto, what is said when the level changes,
    // "Bravo! Passi al livello 2." or "Torni al livello 1."; else empty.
    QString answered(bool right);

private:
    void show();

    LevelChoice choice;
    std::optional<LevelProgress> progress;
    int exercise = 0;
    QString pupil;
    QPointer<ui::LevelStars> stars;
};

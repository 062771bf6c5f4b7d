#include "frame/ExerciseLevel.h"

#include "platform/LevelFiles.h"
#include "platform/Record.h"
#include "shell/Lesson.h"
#include "ui/LevelStars.h"
#include "ui/Screen.h"

#include <QMenuBar>

void ExerciseLevel::start(const Lesson& lesson, int number, ui::Screen* screen) {
    exercise = number;
    choice = lesson.levelChoice(number);
    if (!choice.isOn())
        return;
    if (choice.automatic) {
        // Kept per pupil where the record knows who is at the keyboard.
        pupil = platform::recordIsOn() ? platform::recordPupil() : QString();
        progress.emplace(platform::reachedLevel(pupil, exercise));
    }
    if (QMenuBar* bar = screen->menuBar()) {
        stars = new ui::LevelStars(bar);
        stars->show();
    }
    show();
}

QString ExerciseLevel::answered(bool right) {
    if (!progress)
        return {};
    const int before = progress->level();
    const std::optional<int> now = progress->answered(right);
    if (!now)
        return {};
    platform::keepReachedLevel(pupil, exercise, *now);
    show();
    return *now > before ? QStringLiteral("Bravo! Passi al livello %1.").arg(*now)
                         : QStringLiteral("Torni al livello %1.").arg(*now);
}

void ExerciseLevel::show() {
    if (stars)
        stars->setLevel(level());
}

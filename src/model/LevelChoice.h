#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <optional>

// What a teacher chose for an exercise: a level from 1 to 3, or auto (the
// pupil moves by himself), or nothing (the exercise draws as it always has).
struct LevelChoice {
    int level = 0; // 1 to 3; 0 with none or auto
    bool automatic = false;
    bool isOn() const { return automatic || level > 0; }
    bool operator==(const LevelChoice&) const = default;
};

// "1", "2", "3" or "auto", any letter case; nothing for any other text.
std::optional<LevelChoice> levelChoiceFromText(const QString& text);

// What a livello.conf says: "livello = 2" for every exercise, "livello.9 = 1"
// for the exercise the menu numbers 9 (":" does for "="); lines starting with
// # are comments; every other line is told, by its number.
struct LevelSettings {
    std::optional<LevelChoice> everyExercise;
    std::map<int, LevelChoice> byExercise;
    QStringList strayLines;
};
LevelSettings readLevelSettings(const QString& text, int exercises);

// The level an exercise is drawn at: the command line's for every exercise,
// else the user's file (its line for the exercise, then its general one),
// else the school's the same way; else none.
LevelChoice levelFor(int exercise, const std::optional<LevelChoice>& commandLine,
                     const LevelSettings& user, const LevelSettings& school);

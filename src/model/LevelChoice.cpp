#include "model/LevelChoice.h"

#include "model/SettingLines.h"

std::optional<LevelChoice> levelChoiceFromText(const QString& text) {
    const QString word = text.trimmed().toLower();
    if (word == QStringLiteral("auto"))
        return LevelChoice{0, true};
    bool number = false;
    const int level = word.toInt(&number);
    if (!number || level < 1 || level > 3)
        return std::nullopt;
    return LevelChoice{level, false};
}

LevelSettings readLevelSettings(const QString& text, int exercises) {
    LevelSettings settings;
    for (const SettingLine& line : settingLines(text)) {
        const std::optional<LevelChoice> choice =
            line.name == QStringLiteral("livello") ? levelChoiceFromText(line.value) : std::nullopt;
        const int exercise = line.suffix.toInt();
        if (!choice || (!line.suffix.isEmpty() && (exercise < 1 || exercise > exercises))) {
            settings.strayLines << QStringLiteral("riga %1 non capita: %2 (si scrive \"livello = "
                                                  "1\", 2, 3 oppure auto; \"livello.9 = 1\" per "
                                                  "l'esercizio 9 del menù)")
                                       .arg(line.number)
                                       .arg(line.text);
            continue;
        }
        if (!line.suffix.isEmpty())
            settings.byExercise[exercise] = *choice;
        else
            settings.everyExercise = choice;
    }
    return settings;
}

LevelChoice levelFor(int exercise, const std::optional<LevelChoice>& commandLine,
                     const LevelSettings& user, const LevelSettings& school) {
    if (commandLine)
        return *commandLine;
    for (const LevelSettings* file : {&user, &school}) {
        if (const auto own = file->byExercise.find(exercise); own != file->byExercise.end())
            return own->second;
        if (file->everyExercise)
            return *file->everyExercise;
    }
    return {};
}

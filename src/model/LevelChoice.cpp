#include "model/LevelChoice.h"

#include <QRegularExpression>

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
    static const QRegularExpression line(QStringLiteral("^livello(?:\\.(\\d+))?\\s*[:=]\\s*(.*)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    LevelSettings settings;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString trimmed = lines[i].trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        const auto match = line.match(trimmed);
        const std::optional<LevelChoice> choice =
            match.hasMatch() ? levelChoiceFromText(match.captured(2)) : std::nullopt;
        const int exercise = match.captured(1).toInt();
        if (!choice || (match.hasCaptured(1) && (exercise < 1 || exercise > exercises))) {
            settings.strayLines << QStringLiteral("riga %1 non capita: %2 (si scrive \"livello = "
                                                  "1\", 2, 3 oppure auto; \"livello.9 = 1\" per "
                                                  "l'esercizio 9 del menù)")
                                       .arg(i + 1)
                                       .arg(trimmed);
            continue;
        }
        if (match.hasCaptured(1))
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

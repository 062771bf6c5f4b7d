#include "shell/Lesson.h"

#include <algorithm>

Count Lesson::NumeroArticoli() const {
    return Count(static_cast<std::int16_t>(loaded.records.size()));
}

void Lesson::load(const Catalogue& catalogue, const QString& path) {
    loaded = catalogue;
    loaded.warnings.clear();
    loadedFrom = path;
    articles = LevelArticles(loaded);
}

LevelChoice Lesson::levelChoice(int exercise) const {
    return exercise >= 1 && exercise <= static_cast<int>(levels.size()) ? levels[exercise - 1]
                                                                        : LevelChoice();
}

QStringList Lesson::levelShortages() const {
    QStringList told;
    for (int level = LowestLevel; level < HighestLevel; ++level) {
        const bool inUse = std::ranges::any_of(levels, [level](const LevelChoice& choice) {
            return choice.automatic || choice.level == level;
        });
        if (inUse && !articles.shortage(level).isEmpty())
            told << articles.shortage(level);
    }
    return told;
}

#include "shell/Lesson.h"

Count Lesson::NumeroArticoli() const {
    return Count(static_cast<std::int16_t>(loaded.records.size()));
}

void Lesson::load(const Catalogue& catalogue, const QString& path) {
    loaded = catalogue;
    loaded.warnings.clear();
    loadedFrom = path;
}

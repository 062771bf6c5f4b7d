#pragma once

#include "model/Catalogue.h"
#include "model/Count.h"
#include "model/Currency.h"
#include "model/LevelChoice.h"
#include "model/Levels.h"
#include "model/Money.h"

#include <QString>
#include <QStringList>
#include <vector>

// What a pupil's lesson works on: the catalogue read at start-up, the currency
// it is written in, and the counts of right and wrong answers on the exercise
// screen open now. The program makes one and hands it to each screen it opens.
class Lesson {
public:
    // The most records a catalogue may hold.
    static constexpr int MaxArticles = 500;

    const Currency& currency() const { return *loaded.currency; }
    // The catalogue as read, which the problems are drawn from.
    const Catalogue& catalogue() const { return loaded; }
    // The file it was read from; empty before one is.
    const QString& cataloguePath() const { return loadedFrom; }

    // How many records it holds, 0 to MaxArticles.
    Count NumeroArticoli() const;

    // Takes a catalogue read from `path`; its warnings have been given already.
    void load(const Catalogue& catalogue, const QString& path = {});

    // The level of each exercise, by its menu number from 1: none unless chosen.
    void chooseLevels(std::vector<LevelChoice> byExercise) { levels = std::move(byExercise); }
    LevelChoice levelChoice(int exercise) const;
    // The articles each level draws from, worked out when a catalogue is taken.
    const LevelArticles& levelArticles() const { return articles; }
    // For the teacher, once: each level in use that has too few articles.
    QStringList levelShortages() const;

    Count NumeroEsatti;
    Count NumeroErrati;

private:
    Catalogue loaded;
    QString loadedFrom;
    LevelArticles articles;
    std::vector<LevelChoice> levels;
};

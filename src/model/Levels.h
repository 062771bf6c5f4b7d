#pragma once

#include "model/Catalogue.h"
#include "model/Currency.h"
#include "model/Money.h"

#include <QString>
#include <array>
#include <span>
#include <vector>

// Levels of difficulty beside the plain draws: 1 and 2 draw smaller numbers
// for younger pupils or a personal plan, 3 draws exactly as with no level.
inline constexpr int LowestLevel = 1;
inline constexpr int HighestLevel = 3;
// Fewer fitting articles than this and a level draws from the plainest ones.
inline constexpr int FewestArticles = 3;

// What a level asks of what is drawn. A zero bound is no bound.
struct LevelRules {
    int level;
    int liraDigits;          // the most non-zero digits of a price in lire
    int euroCentsStep;       // a euro price's cents are a multiple of this
    int euroLargest;         // the largest euro price, in cents
    int euroDigits;          // the most non-zero digits of a euro price in cents
    const char* liraFitting; // what a fitting price is, for the teacher
    const char* euroFitting;
};

// Level 1 to 3.
const LevelRules& levelRules(int level);
// Whether a level draws as if there were none: 3, or no level at all (0).
inline bool drawsPlainly(int level) {
    return level < LowestLevel || level >= HighestLevel;
}

// "800", "1.500", "12.000" have two non-zero digits; "3,50" € (350) two.
int nonZeroDigits(Money amount);
bool priceFits(Money price, const Currency& currency, const LevelRules& rules);
bool articleFits(const CatalogueRecord& record, const Currency& currency, const LevelRules& rules);

// The articles each level draws from, worked out once per catalogue: those
// whose two prices fit it, or, when fewer than three do, the three with the
// fewest non-zero digits.
class LevelArticles {
public:
    LevelArticles() = default;
    explicit LevelArticles(const Catalogue& catalogue);

    // Numbered from 1, as the catalogue's records; empty for level 3.
    std::span<const int> records(int level) const;
    // How many articles fit the level's rules: all of them at level 3.
    int fitting(int level) const;
    // What the teacher is told, once, when a level makes do with the
    // plainest articles; empty when enough fit.
    QString shortage(int level) const;

private:
    std::array<std::vector<int>, HighestLevel> drawn;
    std::array<int, HighestLevel> fits = {};
    int all = 0;
    const Currency* currency = &Currency::lire();
};

// A level to draw at: 0 (none) or 3 draws as the exercises always have.
struct LevelDraw {
    int level = 0;
    const LevelArticles* articles = nullptr; // worked out on the spot when null
};

#include "model/Levels.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr std::array<LevelRules, HighestLevel> Rules = {{
    {1, 2, 100, 2000, 0, "al più due cifre diverse da zero", "euro interi fino a 20"},
    {2, 3, 10, 0, 3, "al più tre cifre diverse da zero",
     "centesimi a decine e al più tre cifre diverse da zero"},
    {3, 0, 1, 0, 0, "", ""},
}};

} // namespace

const LevelRules& levelRules(int level) {
    return Rules[std::clamp(level, LowestLevel, HighestLevel) - 1];
}

int nonZeroDigits(Money amount) {
    std::int64_t whole = amount.roundedWhole();
    int digits = 0;
    for (; whole != 0; whole /= 10)
        digits += whole % 10 != 0;
    return digits;
}

bool priceFits(Money price, const Currency& currency, const LevelRules& rules) {
    if (rules.level >= HighestLevel)
        return true;
    if (!price.isWhole() || price < Money())
        return false;
    const std::int64_t whole = price.roundedWhole();
    if (currency.minorDigits() == 0)
        return nonZeroDigits(price) <= rules.liraDigits;
    return whole % rules.euroCentsStep == 0 &&
           (rules.euroLargest == 0 || whole <= rules.euroLargest) &&
           (rules.euroDigits == 0 || nonZeroDigits(price) <= rules.euroDigits);
}

bool articleFits(const CatalogueRecord& record, const Currency& currency, const LevelRules& rules) {
    return priceFits(record.buyingPrice, currency, rules) &&
           priceFits(record.sellingPrice, currency, rules);
}

LevelArticles::LevelArticles(const Catalogue& catalogue)
    : all(static_cast<int>(catalogue.records.size())), currency(catalogue.currency) {
    const auto& records = catalogue.records;
    // The plainest first: the fewest non-zero digits in both prices, then
    // the catalogue's order.
    std::vector<int> plainest(records.size());
    std::iota(plainest.begin(), plainest.end(), 1);
    auto digits = [&](int record) {
        const CatalogueRecord& r = records[record - 1];
        return nonZeroDigits(r.buyingPrice) + nonZeroDigits(r.sellingPrice);
    };
    std::ranges::stable_sort(plainest, {}, digits);
    for (int level = LowestLevel; level < HighestLevel; ++level) {
        std::vector<int>& chosen = drawn[level - 1];
        for (int record = 1; record <= all; ++record)
            if (articleFits(records[record - 1], *catalogue.currency, levelRules(level)))
                chosen.push_back(record);
        fits[level - 1] = static_cast<int>(chosen.size());
        if (fits[level - 1] < std::min(FewestArticles, all))
            chosen.assign(plainest.begin(),
                          plainest.begin() + std::min<std::ptrdiff_t>(FewestArticles, all));
    }
    fits[HighestLevel - 1] = all;
}

std::span<const int> LevelArticles::records(int level) const {
    return drawsPlainly(level) ? std::span<const int>() : std::span<const int>(drawn[level - 1]);
}

int LevelArticles::fitting(int level) const {
    return fits[std::clamp(level, LowestLevel, HighestLevel) - 1];
}

QString LevelArticles::shortage(int level) const {
    if (drawsPlainly(level) || fits[level - 1] >= std::min(FewestArticles, all))
        return {};
    const LevelRules& rules = levelRules(level);
    const QString fitting =
        QString::fromUtf8(currency->minorDigits() > 0 ? rules.euroFitting : rules.liraFitting);
    const int fit = fits[level - 1];
    const QString few = fit == 0   ? QStringLiteral("nessun articolo ha")
                        : fit == 1 ? QStringLiteral("solo un articolo ha")
                                   : QStringLiteral("solo %1 articoli hanno").arg(fit);
    return QStringLiteral("livello %1: nell'elenco %2 prezzi con %3; si usano i %4 articoli con "
                          "meno cifre.")
        .arg(level)
        .arg(few, fitting)
        .arg(drawn[level - 1].size());
}

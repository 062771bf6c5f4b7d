#include "worksheet/SheetCode.h"

#include <QCryptographicHash>
#include <algorithm>
#include <bit>
#include <cstring>

namespace {

// Crockford's base 32: no I, L, O or U to misread.
constexpr char Symbols[] = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
constexpr int CheckBits = 10;

class Bits {
public:
    void put(std::uint64_t value, int count) {
        for (int b = count - 1; b >= 0; --b)
            bits.push_back((value >> b) & 1);
    }
    std::vector<bool> bits;
};

class Reader {
public:
    explicit Reader(std::vector<bool> bits) : bits(std::move(bits)) {}
    std::uint64_t take(int count) {
        std::uint64_t value = 0;
        for (int b = 0; b < count; ++b) {
            if (at >= bits.size()) {
                failed = true;
                return 0;
            }
            value = (value << 1) | (bits[at++] ? 1 : 0);
        }
        return value;
    }
    bool failed = false;
    // What is left is the padding to a whole symbol, all zero.
    bool clean() const {
        if (failed || bits.size() - at >= 5)
            return false;
        for (std::size_t b = at; b < bits.size(); ++b)
            if (bits[b])
                return false;
        return true;
    }

private:
    std::vector<bool> bits;
    std::size_t at = 0;
};

// A weighted sum modulo 31, a prime: any one symbol mistyped changes it.
int checkOf(const std::vector<int>& symbols) {
    int sum = 0;
    for (std::size_t i = 0; i < symbols.size(); ++i)
        sum = (sum + symbols[i] * static_cast<int>(i % 30 + 1)) % 31;
    return sum;
}

bool everyInOrder(const std::vector<Exercise>& exercises) {
    if (exercises.size() != ExerciseCount)
        return false;
    for (int n = 0; n < ExerciseCount; ++n)
        if (exercises[n] != ExerciseTable[n].exercise)
            return false;
    return true;
}

bool ascending(const std::vector<Exercise>& exercises) {
    const auto number = [](Exercise e) { return exerciseInfo(e).number; };
    return std::ranges::is_sorted(exercises, {}, number) &&
           std::ranges::adjacent_find(exercises, {}, number) == exercises.end();
}

} // namespace

int catalogueCheckOf(const Catalogue& catalogue) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(catalogue.currency->name().toUtf8());
    for (const CatalogueRecord& record : catalogue.records)
        hash.addData(QStringLiteral("\n%1\t%2\t%3")
                         .arg(record.name)
                         .arg(record.buyingPrice.raw())
                         .arg(record.sellingPrice.raw())
                         .toUtf8());
    const QByteArray digest = hash.result();
    return ((static_cast<unsigned char>(digest[0]) << 8) | static_cast<unsigned char>(digest[1])) &
           ((1 << CheckBits) - 1);
}

QString encodeSheetCode(const SheetCode& code) {
    Bits bits;
    const int seedBits = std::bit_width(code.seed);
    bits.put(seedBits, 7);
    bits.put(code.seed, seedBits);
    bits.put(everyInOrder(code.exercises), 1);
    if (!everyInOrder(code.exercises)) {
        const bool mask = ascending(code.exercises);
        bits.put(mask, 1);
        if (mask) {
            std::uint64_t chosen = 0;
            for (Exercise exercise : code.exercises)
                chosen |= 1u << (exerciseInfo(exercise).number - 1);
            bits.put(chosen, ExerciseCount);
        } else {
            bits.put(code.exercises.size() - 1, 4);
            for (Exercise exercise : code.exercises)
                bits.put(exerciseInfo(exercise).number - 1, 4);
        }
    }
    bits.put(code.problemsEach == 4, 1);
    if (code.problemsEach != 4)
        bits.put(code.problemsEach, 6);
    bits.put(code.level, 2);
    bits.put(code.euro, 1);
    bits.put(code.largePrint, 1);
    bits.put(code.catalogueCheck, CheckBits);
    while (bits.bits.size() % 5)
        bits.bits.push_back(false);
    std::vector<int> symbols;
    for (std::size_t b = 0; b < bits.bits.size(); b += 5) {
        int symbol = 0;
        for (int i = 0; i < 5; ++i)
            symbol = symbol * 2 + (bits.bits[b + i] ? 1 : 0);
        symbols.push_back(symbol);
    }
    symbols.push_back(checkOf(symbols));
    QString text;
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        if (i > 0 && i % 5 == 0)
            text += u'-';
        text += QLatin1Char(Symbols[symbols[i]]);
    }
    return text;
}

std::optional<SheetCode> decodeSheetCode(const QString& text) {
    std::vector<int> symbols;
    for (QChar c : text.toUpper()) {
        if (c == u'-' || c.isSpace())
            continue;
        const char ascii = c == u'O' ? '0' : (c == u'I' || c == u'L') ? '1' : c.toLatin1();
        const char* found = ascii ? std::strchr(Symbols, ascii) : nullptr;
        if (!found)
            return std::nullopt;
        symbols.push_back(static_cast<int>(found - Symbols));
    }
    if (symbols.size() < 3)
        return std::nullopt;
    const int check = symbols.back();
    symbols.pop_back();
    if (checkOf(symbols) != check)
        return std::nullopt;
    std::vector<bool> bits;
    for (int symbol : symbols)
        for (int b = 4; b >= 0; --b)
            bits.push_back((symbol >> b) & 1);
    Reader read(std::move(bits));
    SheetCode code;
    const int seedBits = static_cast<int>(read.take(7));
    if (seedBits > 64)
        return std::nullopt;
    code.seed = read.take(seedBits);
    if (read.take(1)) {
        for (const ExerciseInfo& row : ExerciseTable)
            code.exercises.push_back(row.exercise);
    } else if (read.take(1)) {
        const std::uint64_t chosen = read.take(ExerciseCount);
        for (const ExerciseInfo& row : ExerciseTable)
            if (chosen & (1u << (row.number - 1)))
                code.exercises.push_back(row.exercise);
    } else {
        const int count = static_cast<int>(read.take(4)) + 1;
        for (int i = 0; i < count; ++i) {
            const std::optional<Exercise> exercise =
                exerciseNumbered(static_cast<int>(read.take(4)) + 1);
            if (!exercise)
                return std::nullopt;
            code.exercises.push_back(*exercise);
        }
    }
    code.problemsEach = read.take(1) ? 4 : static_cast<int>(read.take(6));
    code.level = static_cast<int>(read.take(2));
    code.euro = read.take(1);
    code.largePrint = read.take(1);
    code.catalogueCheck = static_cast<int>(read.take(CheckBits));
    if (!read.clean() || code.exercises.empty() || code.problemsEach < 1 || code.problemsEach > 50)
        return std::nullopt;
    return code;
}

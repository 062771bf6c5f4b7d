#pragma once

#include "model/Count.h"

#include <cstdint>

// A money amount in the currency's minor unit (lire, or euro cents): a signed
// 64-bit fixed-point number with four decimals.
class Money {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Money() = default;
    static constexpr Money fromRaw(std::int64_t raw) { return Money(raw); }
    static Money fromWhole(std::int64_t whole);

    constexpr std::int64_t raw() const { return units; }
    constexpr bool isWhole() const { return units % Scale == 0; }
    // The whole units, rounding half away from zero.
    std::int64_t roundedWhole() const;
    double toDouble() const { return static_cast<double>(units) / Scale; }

    Money operator+(Money other) const;
    Money operator-(Money other) const;
    Money operator*(Count count) const;
    constexpr auto operator<=>(const Money&) const = default;

private:
    constexpr explicit Money(std::int64_t raw) : units(raw) {}
    std::int64_t units = 0;
};

// The largest price a catalogue may hold, in the minor unit (lire, or cents of
// a euro), and its negative the smallest. The widest amount a pupil meets, a
// difference of two prices times a quantity of 11, then has at most thirteen
// digits: with its minus sign, its dots and, in euro, its decimal comma, that
// is as wide as the narrowest amount box shows whole at the designed size.
inline constexpr Money LargestPrice = Money::fromRaw(100'000'000'000 * Money::Scale);

inline Money moneyOf(Count count) {
    return Money::fromWhole(count.value());
}

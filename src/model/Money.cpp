#include "model/Money.h"

namespace {

[[noreturn]] void overflow() {
    throw OverflowError(QStringLiteral("un importo"));
}

} // namespace

Money Money::fromWhole(std::int64_t whole) {
    std::int64_t raw = 0;
    if (__builtin_mul_overflow(whole, Scale, &raw))
        overflow();
    return Money(raw);
}

std::int64_t Money::roundedWhole() const {
    const std::int64_t whole = units / Scale;
    const std::int64_t rest = units % Scale; // same sign as units
    if (rest >= Scale / 2)
        return whole + 1;
    if (rest <= -Scale / 2)
        return whole - 1;
    return whole;
}

Money Money::operator+(Money other) const {
    std::int64_t raw = 0;
    if (__builtin_add_overflow(units, other.units, &raw))
        overflow();
    return Money(raw);
}

Money Money::operator-(Money other) const {
    std::int64_t raw = 0;
    if (__builtin_sub_overflow(units, other.units, &raw))
        overflow();
    return Money(raw);
}

Money Money::operator*(Count count) const {
    std::int64_t raw = 0;
    if (__builtin_mul_overflow(units, std::int64_t{count.value()}, &raw))
        overflow();
    return Money(raw);
}

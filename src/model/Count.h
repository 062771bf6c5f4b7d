#pragma once

#include "model/ProgramError.h"

#include <cstdint>

// A signed 16-bit count: answer counts, the record count, drawn quantities.
class Count {
public:
    static constexpr int Max = 32767;

    constexpr Count() = default;
    constexpr Count(std::int16_t value) : v(value) {}

    constexpr std::int16_t value() const { return v; }

    // One more; past 32,767 it is an overflow error.
    Count plusOne() const {
        if (v == Max)
            throw OverflowError(QStringLiteral("un conteggio"));
        return Count(static_cast<std::int16_t>(v + 1));
    }
    // One more, staying at 32,767 rather than failing.
    constexpr Count plusOneCapped() const {
        return v == Max ? *this : Count(static_cast<std::int16_t>(v + 1));
    }

    constexpr auto operator<=>(const Count&) const = default;

private:
    std::int16_t v = 0;
};

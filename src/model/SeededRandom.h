#pragma once

#include "model/Draw.h"

#include <cstdint>
#include <random>

// Uniform draws from a seed, the same on every machine: a worksheet drawn
// again from its seed poses the same problems.
class SeededRandom : public UniformSource {
public:
    explicit SeededRandom(std::uint64_t seed) : engine(seed) {}
    // The top 53 bits as a fraction: below 1, whatever the library's
    // distributions would make of them.
    double next() override { return static_cast<double>(engine() >> 11) * 0x1.0p-53; }

private:
    std::mt19937_64 engine;
};

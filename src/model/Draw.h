#pragma once

// The draws' arithmetic on a uniform r in [0, 1).

// A source of uniform numbers in [0, 1), never 1: the program's generator, a
// worksheet's seeded one, or a test's script.
class UniformSource {
public:
    virtual ~UniformSource() = default;
    virtual double next() = 0;
};

// Integer part of r x n: 0 to n - 1.
inline int drawBelow(double r, int n) {
    return static_cast<int>(r * n);
}
inline int drawBelow(UniformSource& random, int n) {
    return drawBelow(random.next(), n);
}
// Integer part of r x n, plus 1: 1 to n.
inline int drawFrom1To(UniformSource& random, int n) {
    return drawBelow(random, n) + 1;
}

#pragma once

// The draws' arithmetic on a uniform r in [0, 1).

// Integer part of r x n: 0 to n - 1.
inline int drawBelow(double r, int n) {
    return static_cast<int>(r * n);
}

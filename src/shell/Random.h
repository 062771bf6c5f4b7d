#pragma once

// Draws from the program's one random generator (a uniform r in [0, 1)).

// Integer part of r x n, plus 1: 1 to n.
int drawFrom1To(int n);
// Integer part of r x n: 0 to n - 1.
int drawBelow(int n);

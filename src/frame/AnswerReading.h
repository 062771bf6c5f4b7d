#pragma once

#include "shell/Money.h"

#include <QString>

// The typed text reduced to its digits, in order; everything else is dropped.
QString answerDigits(const QString& typed);

// Whether the typed text reads as exactly the expected amount. Only the digits
// count, and no digits read as 0. When the expected amount is negative, a minus
// sign before the first digit makes the reading negative; otherwise a minus sign
// is dropped like any other character. A digit string too long to be an amount
// is simply wrong.
bool answerMatches(const QString& typed, Money expected);

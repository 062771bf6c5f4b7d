#pragma once

#include "shell/Currency.h"
#include "shell/Money.h"

#include <QString>

// The typed text reduced to its digits, in order; everything else is dropped.
QString answerDigits(const QString& typed);

// Whether the typed text reads as exactly the expected amount, or count, as
// the current currency reads it: only the digits count (in euro, with cents
// after a final comma or point), and no digits read as 0. When the expected
// value is negative, a minus sign before the first digit makes the reading
// negative; otherwise a minus sign is dropped like any other character. A
// digit string too long to be an amount is simply wrong.
bool answerMatches(const QString& typed, Money expected, AnswerKind kind = AnswerKind::Amount);

#pragma once

#include "model/Currency.h"
#include "model/Money.h"

#include <QString>

// The typed text reduced to its digits, in order; everything else is dropped.
QString answerDigits(const QString& typed);

// What a minus sign before the first digit says.
enum class MinusSign {
    // Nothing unless the expected value is negative: then it is needed.
    DroppedIfPositive,
    // A loss, always: before a right value that is not negative it is wrong.
    MeansLoss,
};

// Whether the typed text reads as exactly the expected amount, or count, as
// the currency reads it: only the digits count (in euro, with the cents after
// a decimal comma or point), and no digits read as 0. A minus sign before the
// first digit makes the reading negative where `minus` says it counts;
// otherwise it is dropped like any other character. A digit string too long to
// be an amount is simply wrong.
bool answerMatches(const QString& typed, Money expected, const Currency& currency,
                   AnswerKind kind = AnswerKind::Amount,
                   MinusSign minus = MinusSign::DroppedIfPositive);

#pragma once

#include "shell/Money.h"

#include <QString>

// An amount for the pupil in the current currency, grouped by thousands with
// a dot as an Italian system writes it: whole lire ("###,##0"), rounded half
// away from zero, or euro with two decimals after a comma ("1.250,50"). Every
// text of the program is Italian, so the system's own locale is not asked:
// under C or English its grouping character is a comma, which an Italian
// pupil reads as a decimal mark.
QString amountText(Money amount);

// An amount as it is said aloud, with its currency: "1.500 lire", "4,40 euro".
QString spokenAmount(Money amount);

// A count or quantity after a space, or after its minus sign: " 1", "-1".
QString numberText(int value);

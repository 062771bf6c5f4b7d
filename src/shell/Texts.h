#pragma once

#include "shell/Money.h"

#include <QString>

// An amount for the pupil: whole lire, grouped by thousands with a dot
// ("###,##0" as an Italian system writes it), rounded half away from zero.
// Every text of the program is Italian, so the system's own locale is not
// asked: under C or English its grouping character is a comma, which an
// Italian pupil reads as a decimal mark.
QString amountText(Money amount);

// An amount as it is said aloud, with its currency: "1.500 lire".
QString spokenAmount(Money amount);

// A count or quantity after a space, or after its minus sign: " 1", "-1".
QString numberText(int value);

#pragma once

#include "shell/Money.h"

#include <QLocale>
#include <QString>

// An amount for the pupil: whole lire, grouped by thousands with the locale's
// own character ("###,##0"), rounded half away from zero.
QString amountText(Money amount, const QLocale& locale = QLocale());

// A count or quantity after a space, or after its minus sign: " 1", "-1".
QString numberText(int value);

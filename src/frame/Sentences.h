#pragma once

#include "model/Currency.h"
#include "model/Money.h"

#include <QString>
#include <QStringList>

// The sentences a screen reader speaks on the exercise screens, as short as a
// teacher would read them aloud, with amounts as the screen writes them.
namespace Sentences {

// "esatto. esatti 3, errati 1." or "sbagliato. esatti 3, errati 2."
QString outcome(bool right, int esatti, int errati);

// Paying with money: the pieces on the board and the cost, then the revenue
// asked, at first or after "Ricomincia"; each payment, and what to do when it
// went over the cost; the gain asked.
// Amounts are in the currency `money`.
QString revenueQuestion(const QStringList& pieces, Money cost, const Currency& money,
                        Reading reading);
QString revenueQuestionAgain(const QStringList& pieces, Money cost, const Currency& money,
                             Reading reading);
QString paid(Money sum, Money cost, const Currency& money, Reading reading);
// While paying: what lies on the board, what to do, what is paid so far.
QString paying(const QStringList& pieces, Money sum, Money cost, const Currency& money,
               Reading reading);
QString gainQuestion(Money cost, Money revenue, const Currency& money, Reading reading);

} // namespace Sentences

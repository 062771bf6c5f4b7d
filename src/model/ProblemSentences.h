#pragma once

#include <QString>
#include <QStringList>

// The pieces a problem's sentence is made of, as short as a teacher would read
// them aloud; amounts come in already written or voiced.
namespace ProblemSentences {

// "gomma bianca, costo unitario 1.500 lire, quantità 7: qual è il costo totale?"
QString problem(const QString& article, const QStringList& given, const QString& question);

// "costo unitario 1.500 lire"
QString given(const QString& heading, const QString& value);

// "qual è il costo totale?", "qual è la quantità?"
QString whatIs(const QString& heading);

// The money board: the pieces on it and the cost, then the revenue asked.
QString revenueQuestion(const QStringList& pieces, const QString& cost);

} // namespace ProblemSentences

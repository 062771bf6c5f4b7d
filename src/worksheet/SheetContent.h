#pragma once

#include "model/Problem.h"
#include "worksheet/SheetLayout.h"

#include <vector>

namespace worksheet {

// The room a problem's answers get on paper.
struct Room {
    QString blank;     // for an amount or a number of items
    QString wordBlank; // for "guadagno" or "perdita"
    double lineMm = 8; // the height of a line with a blank
    int squaresAcross = 34;
    int squaresBeside = 13;
};

// The text of a problem's longest typed answer, as the pupil writes it.
QString longestAnswer(const Problem& problem);

// A problem as the pupil meets it on paper: the question, its blanks, the
// table or the money, and squares for the working when it needs any: under a
// table or the money, beside a problem of a few lines.
Block question(const Problem& problem, int number, const Room& room);

// The same problem's answers, for the teacher.
std::vector<Row> answer(const Problem& problem, int number);

// "Esercizio 5: trova il guadagno"
QString sectionTitle(Exercise exercise);

} // namespace worksheet

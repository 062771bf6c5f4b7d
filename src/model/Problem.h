#pragma once

#include "model/AnswerReading.h"
#include "model/Catalogue.h"
#include "model/Count.h"
#include "model/Currency.h"
#include "model/Draw.h"
#include "model/Exercises.h"
#include "model/Levels.h"
#include "model/Money.h"

#include <QString>
#include <array>
#include <vector>

// A cell of the table exercises: row 0 holds one item, row 1 the drawn
// quantity; columns spesa, ricavo, guadagno.
struct TableCell {
    enum Row { OneItem, SeveralItems };
    enum Column { Spesa, Ricavo, Guadagno };
    int row = -1, column = -1; // -1: not in a table
    bool operator==(const TableCell&) const = default;
};

// The grid of tabelle 1, 2 or 3.
const TableCells& tableCells(Exercise exercise);
// The heading of a column: "spesa", "ricavo", "guadagno".
QString tableColumnHeading(int column);

// A value a problem shows or asks, under the heading that names it.
struct Figure {
    QString heading; // "costo unitario", "spesa di 7", "ricavo"
    Money value;     // a quantity as a whole number
    AnswerKind kind = AnswerKind::Amount;
    TableCell cell = {};
    // What a minus typed before it says: only a guadagno that may be a loss
    // reads it; a spesa, a ricavo, a cost, a count or the size of a loss drop it.
    MinusSign minus = MinusSign::DroppedIfPositive;
};

// One thing the pupil answers, in the order of answering.
struct Step {
    enum Kind {
        Typed,   // an amount or a number of items, typed
        Choice,  // guadagno or perdita: the figure's heading is the right word
        Payment, // the pieces that paid the cost, clicked; the figure is the cost
    };
    Kind kind = Typed;
    Figure figure;
};

// One problem of one exercise, drawn once: what the screen, the voice, the
// record and the worksheet all start from.
struct Problem {
    Exercise exercise = Exercise::TotalCost;
    const Currency* currency = &Currency::lire();
    int level = 0;   // the level it was drawn at, 1 to 3; 0 with none
    int record = 0;  // the catalogue record drawn, from 1; 0 on the money board
    QString article; // its name
    Count quantity;  // drawn by the purchase and table exercises
    std::vector<Figure> given;
    std::vector<Step> steps;
    // Gain or loss: the index of the right word, 0 "guadagno", 1 "perdita".
    int rightChoice = -1;
    // Paying with money: the amounts, and the pieces on the board (indices
    // into the currency's pieces) in the order they are laid out.
    Money cost, gain, revenue;
    std::vector<int> pieces;
    std::vector<int> payment; // the pieces of the cost alone, which pay it exactly

    // A figure's value in a sentence: "1.500 lire" written, "1500 lire" voiced,
    // "7" for a number of items.
    QString valueText(const Figure& figure, Reading reading) const;
    // The first typed answer, for the exercises that ask one.
    const Figure& asked() const;
    // The problem in one sentence, with amounts as the screen writes them or as
    // a voice reads them: "gomma bianca, costo unitario 1.500 lire, quantità 7:
    // qual è il costo totale?". Asking the step given: the one the pupil has
    // reached on a table, the amount after the choice of guadagno or perdita.
    QString sentence(Reading reading, std::size_t step = 0) const;
};

// What each exercise draws, with the same draws, in the same order, as its
// screen after the background colour (the money board draws its colour after
// the problem). An empty catalogue gives record 1 as an empty name with zero
// prices. At level 1 or 2 the article, the quantity and the board's cost are
// drawn within the level's bounds; with none, or at 3, as just said.
Problem drawProblem(Exercise exercise, const Catalogue& catalogue, UniformSource& random,
                    LevelDraw level = {});

// What the answers of an exercise's problems may be, whatever is drawn: the
// same figures as drawProblem's steps ask.
struct ExerciseAnswers {
    bool amount = false;   // some answer is an amount of money, not a count
    bool negative = false; // some answer may be below zero (a gain that is a loss)
};
ExerciseAnswers exerciseAnswers(Exercise exercise);

// The menu's name of the exercise: "trova il costo totale".
QString exerciseTitle(Exercise exercise);

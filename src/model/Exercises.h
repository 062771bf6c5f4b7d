#pragma once

#include <array>
#include <iterator>
#include <optional>

// The thirteen exercises, in the menu's order. Every other list of them (the
// menu, the screens, the command line, the reports, the worksheets) is derived
// from the table below: adding an exercise means a value here, a row in the
// table, and a screen in exercises/ExerciseScreens.cpp.
enum class Exercise {
    TotalCost = 1,   // trova il costo totale
    UnitCost,        // trova il costo unitario
    UnitOrTotalCost, // trova il costo unitario/totale
    NumberOfItems,   // trova il numero degli articoli
    Gain,            // trova il guadagno
    Revenue,         // trova il ricavo
    Expense,         // trova la spesa
    MixedProfit,     // spesa - guadagno - ricavo
    FourCellTable,   // tabelle 1
    GainOfSeveral,   // tabelle 2
    GainOfOne,       // tabelle 3
    GainOrLoss,      // guadagno - perdita
    PayingWithMoney, // usa il denaro
};

// What a problem of the exercise is made of: which draw makes it, which kind
// of screen shows it.
enum class ProblemKind {
    Purchase,   // unit cost, quantity, total cost: two shown, one asked
    Profit,     // spesa, ricavo, guadagno of one article: two shown, one asked
    Table,      // a grid of spesa, ricavo, guadagno for one item and for several
    GainOrLoss, // the word guadagno or perdita, then the amount
    MoneyBoard, // the money board: the revenue, the pieces that paid, the gain
};

// A figure a purchase or profit problem may ask. The other two of its kind are
// shown, in this order.
enum class AskedFigure {
    TotalCost,
    UnitCost,
    Quantity, // a purchase
    Spesa,
    Ricavo,
    Guadagno, // a profit
};

// What each cell of a table exercise's grid holds, [row][column]: a value
// shown, a value asked, or nothing.
enum class TableCellRole { Blank, Given, Asked };
using TableCells = std::array<std::array<TableCellRole, 3>, 2>;

// How a problem stands on a worksheet.
enum class SheetForm {
    Sentence, // the shown figures in a sentence, a blank with its unit
    Grid,     // the table, asked cells blank
    Choice,   // guadagno o perdita, a blank for the word and one for the amount
    Pieces,   // the pieces to circle, blanks for ricavo and guadagno
};

// What levels 1 and 2 draw for the exercise beyond the shared price rules
// (model/Levels.h); level 3 draws as with no level.
struct ExerciseLevels {
    struct Quantities {
        int fewest, most;
    };
    // A drawn quantity, at level 1 and at level 2.
    std::array<Quantities, 2> quantities = {{{2, 5}, {2, 9}}};
    // The money board's cost: one of this many from 10 (20 with no level).
    std::array<int, 2> boardCosts = {10, 15};
};

// One row of the exercise table.
struct ExerciseInfo {
    Exercise exercise;
    // The number a teacher knows it by: the menu's order, --esercizi, the record.
    int number;
    // The menu button's caption exactly as shown, spaces included.
    const char* caption;
    // Its button in the menu's two columns of seven rows; `button` is the
    // number the menu's control array gives it (Command1 is "Esci").
    struct MenuPlace {
        int column, row, button;
    } menu;
    ProblemKind kind;
    // What is asked: a purchase or profit problem asks one of `asks` (the
    // first `askCount`), drawn when there are several; a table, its `cells`.
    std::array<AskedFigure, 3> asks = {};
    int askCount = 0;
    TableCells cells = {};
    SheetForm sheet = SheetForm::Sentence;
    ExerciseLevels levels = {};
};

// The tables' grids: [one item, several items][spesa, ricavo, guadagno].
namespace grids {
using enum TableCellRole;
inline constexpr TableCells FourCells = {{{Given, Given, Asked}, {Asked, Asked, Asked}}};
inline constexpr TableCells GainOfSeveral = {{{Given, Given, Blank}, {Blank, Blank, Asked}}};
inline constexpr TableCells GainOfOne = {{{Blank, Blank, Asked}, {Given, Given, Blank}}};
} // namespace grids

// The table, in the menu's order.
namespace exercise_rows {
using enum ProblemKind;
using enum AskedFigure;
using enum SheetForm;
// clang-format off
inline constexpr ExerciseInfo ExerciseTable[] = {
    {Exercise::TotalCost, 1, "trova il costo totale", {0, 0, 6}, Purchase, {TotalCost}, 1},
    {Exercise::UnitCost, 2, "trova il costo unitario", {0, 1, 2}, Purchase, {UnitCost}, 1},
    // Either cost, drawn 1 or 2.
    {Exercise::UnitOrTotalCost, 3, "trova il costo unitario/totale", {0, 2, 3}, Purchase,
     {TotalCost, UnitCost}, 2},
    {Exercise::NumberOfItems, 4, "trova il numero degli articoli", {0, 3, 4}, Purchase,
     {Quantity}, 1},
    {Exercise::Gain, 5, "trova il guadagno", {0, 5, 5}, Profit, {Guadagno}, 1},
    {Exercise::Revenue, 6, "trova il ricavo", {0, 6, 7}, Profit, {Ricavo}, 1},
    {Exercise::Expense, 7, "trova la spesa", {1, 0, 8}, Profit, {Spesa}, 1},
    // Any of the three, drawn 1 to 3.
    {Exercise::MixedProfit, 8, "spesa - guadagno - ricavo ", {1, 1, 9}, Profit,
     {Ricavo, Guadagno, Spesa}, 3},
    {Exercise::FourCellTable, 9, "tabelle    1", {1, 2, 10}, Table, {}, 0, grids::FourCells, Grid},
    {Exercise::GainOfSeveral, 10, "tabelle    2", {1, 3, 11}, Table, {}, 0, grids::GainOfSeveral,
     Grid},
    {Exercise::GainOfOne, 11, "tabelle    3", {1, 4, 12}, Table, {}, 0, grids::GainOfOne, Grid},
    {Exercise::GainOrLoss, 12, "guadagno - perdita", {1, 5, 13}, ProblemKind::GainOrLoss, {}, 0,
     {}, Choice},
    {Exercise::PayingWithMoney, 13, "usa il denaro", {0, 4, 14}, MoneyBoard, {}, 0, {}, Pieces},
};
// clang-format on
} // namespace exercise_rows
using exercise_rows::ExerciseTable;
inline constexpr int ExerciseCount = int(std::size(ExerciseTable));

const ExerciseInfo& exerciseInfo(Exercise exercise);
// The exercise a teacher numbers `number`, if there is one.
std::optional<Exercise> exerciseNumbered(int number);

#include "exercises/ExerciseScreens.h"

#include "exercises/GainLossScreen.h"
#include "exercises/MoneyScreen.h"
#include "exercises/ProfitScreen.h"
#include "exercises/PurchaseScreen.h"
#include "exercises/TableScreen.h"

// No default: an exercise added to the table without a screen is a warning.
ui::Screen* newExerciseScreen(Exercise exercise, Lesson& lesson) {
    switch (exercise) {
    case Exercise::TotalCost:
        return newForm1(lesson);
    case Exercise::UnitCost:
        return newForm2(lesson);
    case Exercise::UnitOrTotalCost:
        return newForm3(lesson);
    case Exercise::NumberOfItems:
        return newForm4(lesson);
    case Exercise::Gain:
        return newForm5(lesson);
    case Exercise::Revenue:
        return newForm6(lesson);
    case Exercise::Expense:
        return newForm7(lesson);
    case Exercise::MixedProfit:
        return newForm8(lesson);
    case Exercise::FourCellTable:
        return newForm9(lesson);
    case Exercise::GainOfSeveral:
        return newForm10(lesson);
    case Exercise::GainOfOne:
        return newForm11(lesson);
    case Exercise::GainOrLoss:
        return newForm12(lesson);
    case Exercise::PayingWithMoney:
        return newForm13(lesson);
    }
    return nullptr;
}

#include "shell/Texts.h"

#include "shell/Currency.h"

QString amountText(Money amount) {
    return Currency::current().amountText(amount);
}

QString spokenAmount(Money amount) {
    return Currency::current().spokenAmount(amount);
}

QString numberText(int value) {
    return value < 0 ? QString::number(value) : QStringLiteral(" ") + QString::number(value);
}

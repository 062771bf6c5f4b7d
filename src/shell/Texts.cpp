#include "shell/Texts.h"

#include <QLocale>

QString amountText(Money amount) {
    static const QLocale italian(QLocale::Italian, QLocale::Italy);
    const std::int64_t whole = amount.roundedWhole();
    QString digits = italian.toString(static_cast<qlonglong>(whole < 0 ? -whole : whole));
    // The pattern always writes a plain leading minus sign.
    return whole < 0 ? QStringLiteral("-") + digits : digits;
}

QString spokenAmount(Money amount) {
    return amountText(amount) + QStringLiteral(" lire");
}

QString numberText(int value) {
    return value < 0 ? QString::number(value) : QStringLiteral(" ") + QString::number(value);
}

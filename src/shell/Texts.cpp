#include "shell/Texts.h"

QString amountText(Money amount, const QLocale& locale) {
    QLocale grouped = locale;
    // QLocale::c() leaves out the group separator unless told otherwise.
    grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    const std::int64_t whole = amount.roundedWhole();
    QString digits = grouped.toString(static_cast<qlonglong>(whole < 0 ? -whole : whole));
    // The pattern always writes a plain leading minus sign.
    return whole < 0 ? QStringLiteral("-") + digits : digits;
}

QString numberText(int value) {
    return value < 0 ? QString::number(value) : QStringLiteral(" ") + QString::number(value);
}

#include "frame/AnswerReading.h"

#include <QRegularExpression>

QString answerDigits(const QString& typed) {
    QString digits;
    for (QChar c : typed)
        if (c.unicode() > 47 && c.unicode() < 58)
            digits.append(c);
    return digits;
}

bool answerMatches(const QString& typed, Money expected) {
    QString digits = answerDigits(typed);
    while (digits.size() > 1 && digits.startsWith(u'0'))
        digits.remove(0, 1);
    // 18 digits stay inside 64 bits; a longer string cannot be any amount.
    if (digits.size() > 18)
        return false;
    const qlonglong value = digits.isEmpty() ? 0 : digits.toLongLong();
    bool negative = false;
    if (expected < Money()) {
        const qsizetype firstDigit = typed.indexOf(QRegularExpression(QStringLiteral("[0-9]")));
        negative = typed.left(firstDigit < 0 ? typed.size() : firstDigit).contains(u'-');
    }
    if (!expected.isWhole())
        return false;
    const std::int64_t whole = expected.raw() / Money::Scale;
    return negative ? whole == -value : whole == value;
}

#include "frame/AnswerReading.h"

QString answerDigits(const QString& typed) {
    return digitsOf(typed);
}

bool answerMatches(const QString& typed, Money expected, AnswerKind kind) {
    const std::optional<std::int64_t> value = Currency::current().readAnswer(typed, kind);
    if (!value)
        return false;
    bool negative = false;
    if (expected < Money()) {
        const QString digits = answerDigits(typed);
        const qsizetype firstDigit = digits.isEmpty() ? typed.size() : typed.indexOf(digits.at(0));
        negative = typed.left(firstDigit).contains(u'-');
    }
    if (!expected.isWhole())
        return false;
    const std::int64_t whole = expected.raw() / Money::Scale;
    return negative ? whole == -*value : whole == *value;
}

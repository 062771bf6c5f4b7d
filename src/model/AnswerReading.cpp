#include "model/AnswerReading.h"

#include <algorithm>

QString answerDigits(const QString& typed) {
    return digitsOf(typed);
}

bool answerMatches(const QString& typed, Money expected, const Currency& currency, AnswerKind kind,
                   MinusSign minus) {
    const std::optional<std::int64_t> value = currency.readAnswer(typed, kind);
    if (!value)
        return false;
    bool negative = false;
    if (expected < Money() || minus == MinusSign::MeansLoss) {
        const auto firstDigit = std::find_if(typed.begin(), typed.end(),
                                             [](QChar c) { return c >= u'0' && c <= u'9'; });
        negative = std::find(typed.begin(), firstDigit, u'-') != firstDigit;
    }
    if (!expected.isWhole())
        return false;
    const std::int64_t whole = expected.raw() / Money::Scale;
    // "-0" is a loss typed too, wrong for a gain of 0.
    if (negative && whole >= 0)
        return false;
    return negative ? whole == -*value : whole == *value;
}

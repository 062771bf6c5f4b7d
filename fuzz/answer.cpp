// The answer reading: whatever the pupil types or pastes, the reading ends, and
// an amount typed as the program shows it (dots turned to spaces by the key
// filter, or pasted with its group separators) reads back as that amount.
#include "FuzzCheck.h"
#include "model/AnswerReading.h"
#include "model/Currency.h"
#include "model/Texts.h"

#include <QLocale>
#include <cstring>

namespace {

// The reading done the slow, obvious way, to hold the real one against.
bool expectedMatch(const QString& typed, Money expected) {
    if (!expected.isWhole())
        return false;
    QString digits;
    bool minusFirst = false;
    for (QChar c : typed) {
        if (c >= u'0' && c <= u'9')
            digits += c;
        else if (c == u'-' && digits.isEmpty())
            minusFirst = true;
    }
    while (digits.startsWith(u'0'))
        digits.remove(0, 1);
    const std::int64_t whole = expected.raw() / Money::Scale;
    const bool negative = whole < 0 && minusFirst;
    if (whole < 0 && !negative)
        return false;
    const QString wanted = whole == 0 ? QString() : QString::number(whole < 0 ? -whole : whole);
    return digits == wanted;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 9)
        return 0;
    std::int64_t raw = 0;
    std::memcpy(&raw, data, sizeof raw);
    QLocale::setDefault(fuzzLocale(data[8]));
    const QString typed =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 9), qsizetype(size - 9));

    const Currency& lire = Currency::lire();
    const Money amount = Money::fromRaw(raw);
    const Money whole = Money::fromRaw(raw - raw % Money::Scale);

    const QString shown = Currency::lire().amountText(whole);
    FUZZ_CHECK(answerMatches(shown, whole, lire), shown);
    QString filtered = shown;
    filtered.replace(u'.', u' ');
    FUZZ_CHECK(answerMatches(filtered, whole, lire), filtered);
    // In euro too an amount reads back as the screen writes it, pasted whole.
    const Currency& euro = Currency::euro();
    if (whole.raw() / Money::Scale < 1'000'000'000'000'000)
        FUZZ_CHECK(answerMatches(euro.amountText(whole) + QStringLiteral(" €"), whole, euro),
                   euro.amountText(whole));
    // An amount with lire cents can never be typed.
    FUZZ_CHECK(amount.isWhole() || !answerMatches(typed, amount, lire), typed);

    const QString digits = answerDigits(typed);
    for (QChar c : digits)
        FUZZ_CHECK(c >= u'0' && c <= u'9', digits);
    FUZZ_CHECK(answerMatches(typed, whole, lire) == expectedMatch(typed, whole),
               typed + QStringLiteral(" against ") + shown);
    FUZZ_CHECK(answerMatches(typed, amount, lire) == expectedMatch(typed, amount), typed);
    return 0;
}

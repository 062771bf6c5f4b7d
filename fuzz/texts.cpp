// Amount and number texts: any amount shows as its rounded whole lire, grouped,
// with a plain minus sign; any count shows as a space or a minus and its digits.
#include "model/Texts.h"
#include "FuzzCheck.h"
#include "model/Currency.h"

#include <QLocale>
#include <cstring>

namespace {

QString groupedByDots(std::int64_t whole) {
    QString digits = QString::number(whole < 0 ? -whole : whole);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, u'.');
    return whole < 0 ? u'-' + digits : digits;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 13)
        return 0;
    std::int64_t raw = 0;
    std::int32_t count = 0;
    std::memcpy(&raw, data, sizeof raw);
    std::memcpy(&count, data + 8, sizeof count);
    // The system's language must not change how an amount is written.
    QLocale::setDefault(fuzzLocale(data[12]));
    const Money amount = Money::fromRaw(raw);

    // Rounding half away from zero, never more than half a lira off.
    const std::int64_t whole = amount.roundedWhole();
    const auto off = static_cast<__int128>(raw) - static_cast<__int128>(whole) * Money::Scale;
    constexpr std::int64_t half = Money::Scale / 2;
    FUZZ_CHECK(raw >= 0 ? off >= -half && off < half : off > -half && off <= half,
               QString::number(raw));

    const QString shown = Currency::lire().amountText(amount);
    QString bare;
    for (QChar c : shown)
        if ((c >= u'0' && c <= u'9') || c == u'-')
            bare += c;
    FUZZ_CHECK(bare == QString::number(whole), shown);
    FUZZ_CHECK(shown.startsWith(u'-') == (whole < 0), shown);
    FUZZ_CHECK(shown == groupedByDots(whole), shown);

    for (int value : {count, int(std::int16_t(count))}) {
        const QString number = numberText(value);
        FUZZ_CHECK(number.size() >= 2, number);
        FUZZ_CHECK(number.at(0) == (value < 0 ? u'-' : u' '), number);
        FUZZ_CHECK(number.mid(1) == QString::number(value < 0 ? -qint64(value) : value), number);
    }
    return 0;
}

#include "model/Currency.h"

#include <QLocale>

namespace {

constexpr CurrencyTable LireTable = {
    "lire",
    "£. ",
    0,
    true,
    {100, 500, 1000},
    {{{10000, Denomination::Note, "10.000 lire"},
      {5000, Denomination::Note, "5.000 lire"},
      {2000, Denomination::Note, "2.000 lire"},
      {1000, Denomination::Coin, "1.000 lire"},
      {500, Denomination::Coin, "500 lire"},
      {200, Denomination::Coin, "200 lire"},
      {100, Denomination::Coin, "100 lire"}}},
};

// In cents: notes of 10 and 5 euro, coins down to 10 cents.
constexpr CurrencyTable EuroTable = {
    "euro",
    "€ ",
    2,
    false,
    {10, 50, 100},
    {{{1000, Denomination::Note, "10 euro"},
      {500, Denomination::Note, "5 euro"},
      {200, Denomination::Coin, "2 euro"},
      {100, Denomination::Coin, "1 euro"},
      {50, Denomination::Coin, "50 centesimi"},
      {20, Denomination::Coin, "20 centesimi"},
      {10, Denomination::Coin, "10 centesimi"}}},
};

const QLocale& italian() {
    static const QLocale locale(QLocale::Italian, QLocale::Italy);
    return locale;
}

// A digit string read as a whole number; nothing when it is longer than any
// amount (18 digits stay inside 64 bits).
std::optional<std::int64_t> wholeOf(QString digits, int longest = 18) {
    while (digits.size() > 1 && digits.startsWith(u'0'))
        digits.remove(0, 1);
    if (digits.size() > longest)
        return std::nullopt;
    return digits.isEmpty() ? 0 : digits.toLongLong();
}

// An amount typed in euro, in cents. A comma is always the decimal mark; a
// point is one too unless exactly three digits follow it, when it groups
// thousands ("1.250"). Anything but digits and marks is dropped: spaces, "€",
// "euro". Decimals past the cents must be zeros ("0,500"), or the text is no
// whole number of cents and reads as nothing.
std::optional<std::int64_t> euroCents(QStringView typed) {
    QString kept;
    for (QChar c : typed)
        if ((c >= u'0' && c <= u'9') || c == u',' || c == u'.')
            kept.append(c);
    qsizetype mark = kept.indexOf(u',');
    if (mark >= 0 && kept.indexOf(u',', mark + 1) >= 0)
        return std::nullopt; // two decimal commas
    if (mark < 0) {
        const qsizetype point = kept.lastIndexOf(u'.');
        if (point >= 0 && kept.size() - point - 1 != 3)
            mark = point;
    }
    const QString whole = digitsOf(mark < 0 ? QStringView(kept) : QStringView(kept).first(mark));
    QString decimals = mark < 0 ? QString() : digitsOf(QStringView(kept).sliced(mark + 1));
    if (mark >= 0 && kept.indexOf(u'.', mark + 1) >= 0)
        return std::nullopt; // a grouping point among the decimals
    while (decimals.size() > 2 && decimals.endsWith(u'0'))
        decimals.chop(1);
    if (decimals.size() > 2)
        return std::nullopt;
    const auto euros = wholeOf(whole, 16);
    if (!euros)
        return std::nullopt;
    return *euros * 100 + decimals.leftJustified(2, u'0').toInt();
}

} // namespace

QString digitsOf(QStringView text) {
    QString digits;
    for (QChar c : text)
        if (c.unicode() > 47 && c.unicode() < 58)
            digits.append(c);
    return digits;
}

const Currency& Currency::lire() {
    static constexpr Currency currency(LireTable);
    return currency;
}

const Currency& Currency::euro() {
    static constexpr Currency currency(EuroTable);
    return currency;
}

const Currency* Currency::named(QStringView name) {
    for (const Currency* currency : {&lire(), &euro()})
        if (name.compare(QLatin1String(currency->table.name), Qt::CaseInsensitive) == 0)
            return currency;
    return nullptr;
}

QString Currency::amountText(Money amount) const {
    const std::int64_t whole = amount.roundedWhole();
    const std::uint64_t size = whole < 0 ? 0 - static_cast<std::uint64_t>(whole) : whole;
    const QString sign = whole < 0 ? QStringLiteral("-") : QString();
    if (table.minorDigits == 0)
        return sign + italian().toString(static_cast<qulonglong>(size));
    return sign + italian().toString(static_cast<qulonglong>(size / 100)) + u',' +
           QStringLiteral("%1").arg(size % 100, 2, 10, QChar(u'0'));
}

QString Currency::spokenAmount(Money amount, Reading reading) const {
    if (reading == Reading::Written) {
        const QString written = amountText(amount);
        const bool oneLira = table.minorDigits == 0 && (written == u"1" || written == u"-1");
        return written + (oneLira ? QStringLiteral(" lira") : u' ' + name());
    }
    const std::int64_t whole = amount.roundedWhole();
    const std::uint64_t size = whole < 0 ? 0 - static_cast<std::uint64_t>(whole) : whole;
    const QString sign = whole < 0 ? QStringLiteral("meno ") : QString();
    if (table.minorDigits == 0)
        return sign +
               (size == 1 ? QStringLiteral("una lira") : QStringLiteral("%1 lire").arg(size));
    const std::uint64_t euros = size / 100;
    const std::uint64_t cents = size % 100;
    const QString euroPart =
        euros == 1 ? QStringLiteral("un euro") : QStringLiteral("%1 euro").arg(euros);
    const QString centPart =
        cents == 1 ? QStringLiteral("un centesimo") : QStringLiteral("%1 centesimi").arg(cents);
    if (cents == 0)
        return sign + euroPart;
    return sign + (euros == 0 ? centPart : euroPart + QStringLiteral(" e ") + centPart);
}

QChar Currency::filterKey(QChar typed) const {
    // In lire a typed "." is a space; in euro it may be the decimal mark.
    return table.pointIsSpace && typed == u'.' ? QChar(u' ') : typed;
}

std::optional<std::int64_t> Currency::readAnswer(const QString& typed, AnswerKind kind) const {
    // A count has no decimal mark: "0,07" pieces is no number, not 7.
    if (kind == AnswerKind::Count && typed.contains(u','))
        return std::nullopt;
    if (table.minorDigits == 0 || kind == AnswerKind::Count)
        return wholeOf(digitsOf(typed));
    return euroCents(typed);
}

QString Currency::pieceName(const Denomination& piece, Reading reading, int count) const {
    static const std::array<const char*, 17> CountWords = {
        "due",         "tre",      "quattro", "cinque",      "sei",     "sette",
        "otto",        "nove",     "dieci",   "undici",      "dodici",  "tredici",
        "quattordici", "quindici", "sedici",  "diciassette", "diciotto"};
    const bool note = piece.kind == Denomination::Note;
    const QString value = reading == Reading::Written
                              ? QString::fromUtf8(piece.spoken)
                              : spokenAmount(Money::fromWhole(piece.value), reading);
    if (count <= 1)
        return QStringLiteral("%1 da %2").arg(note ? u"banconota" : u"moneta", value);
    const QString many = count - 2 < int(CountWords.size())
                             ? QString::fromLatin1(CountWords[count - 2])
                             : QString::number(count);
    return QStringLiteral("%1 %2 da %3").arg(many, note ? u"banconote" : u"monete", value);
}

QStringList Currency::pieceNames(std::span<const int> shown, Reading reading) const {
    QStringList names;
    for (std::size_t first = 0; first < shown.size();) {
        std::size_t next = first + 1;
        while (next < shown.size() && shown[next] == shown[first])
            ++next;
        names << pieceName(table.pieces.at(shown[first]), reading, int(next - first));
        first = next;
    }
    return names;
}

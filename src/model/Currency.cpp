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

QString Currency::spokenAmount(Money amount) const {
    return amountText(amount) + u' ' + name();
}

QChar Currency::filterKey(QChar typed) const {
    // In lire a typed "." is a space; in euro it may be the decimal mark.
    return table.pointIsSpace && typed == u'.' ? QChar(u' ') : typed;
}

std::optional<std::int64_t> Currency::readAnswer(const QString& typed, AnswerKind kind) const {
    if (table.minorDigits == 0 || kind == AnswerKind::Count)
        return wholeOf(digitsOf(typed));
    // One comma or point followed by one or two digits at the end marks the cents.
    const QStringView text = QStringView(typed).trimmed();
    qsizetype mark = -1;
    for (qsizetype decimals : {1, 2}) {
        const qsizetype at = text.size() - decimals - 1;
        if (at >= 0 && (text.at(at) == u',' || text.at(at) == u'.') &&
            digitsOf(text.sliced(at + 1)).size() == decimals)
            mark = at;
    }
    if (mark < 0) {
        const auto euros = wholeOf(digitsOf(text), 16);
        return euros ? std::optional(*euros * 100) : std::nullopt;
    }
    const auto euros = wholeOf(digitsOf(text.first(mark)), 16);
    if (!euros)
        return std::nullopt;
    const QString decimals = text.sliced(mark + 1).toString().leftJustified(2, u'0');
    return *euros * 100 + decimals.toInt();
}

QString Currency::pieceName(const Denomination& piece) const {
    const QString kind =
        piece.kind == Denomination::Note ? QStringLiteral("banconota") : QStringLiteral("moneta");
    return QStringLiteral("%1 da %2").arg(kind, QString::fromUtf8(piece.spoken));
}

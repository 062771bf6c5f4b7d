#include "shell/Currency.h"

#include <QLocale>

namespace {

constexpr quint32 Gold = 0xEBC143;
constexpr quint32 Silver = 0xC9CED4;
constexpr quint32 Brass = 0xD9A441;

using ui::PlateShape;

// The 1000 lire piece is the bimetallic coin, as its picture shows and its
// square slot fits.
constexpr std::array<Denomination, 7> LirePieces = {{
    {10000, "immagini/diecimila.jpg", 1450, 850, PlateShape::Note, 0x4A3BB0, 0x6656D2,
     "10.000 lire", "10000"},
    {5000, "immagini/cinquemila.jpg", 1450, 850, PlateShape::Note, 0x137A66, 0x22A286, "5.000 lire",
     "5000"},
    {2000, "immagini/duemila.jpg", 1450, 850, PlateShape::Note, 0x924418, 0xC2652A, "2.000 lire",
     "2000"},
    {1000, "immagini/mille.jpg", 800, 800, PlateShape::Coin, Gold, Silver, "1.000 lire", "1000"},
    {500, "immagini/cinquecento.jpg", 800, 800, PlateShape::Coin, Silver, Gold, "500 lire", "500"},
    {200, "immagini/duecento.jpg", 800, 800, PlateShape::Coin, 0xA77B16, 0xE8BF45, "200 lire",
     "200"},
    {100, "immagini/cento.jpg", 800, 800, PlateShape::Coin, 0x8D949C, Silver, "100 lire", "100"},
}};

// In cents. Two notes in landscape slots, five coins in square ones.
constexpr std::array<Denomination, 7> EuroPieces = {{
    {1000, "immagini/euro/dieci.jpg", 1450, 850, PlateShape::Note, 0xA8432C, 0xE0775A, "10 euro",
     "10 €"},
    {500, "immagini/euro/cinque.jpg", 1450, 850, PlateShape::Note, 0x2F5E8C, 0x5B8CC0, "5 euro",
     "5 €"},
    {200, "immagini/euro/dueeuro.jpg", 800, 800, PlateShape::Coin, Silver, Gold, "2 euro", "2 €"},
    {100, "immagini/euro/uneuro.jpg", 800, 800, PlateShape::Coin, Gold, Silver, "1 euro", "1 €"},
    {50, "immagini/euro/cinquantacentesimi.jpg", 800, 800, PlateShape::Coin, 0xA7801C, Brass,
     "50 centesimi", "50 c"},
    {20, "immagini/euro/venticentesimi.jpg", 800, 800, PlateShape::Coin, 0xA7801C, Brass,
     "20 centesimi", "20 c"},
    {10, "immagini/euro/diecicentesimi.jpg", 800, 800, PlateShape::Coin, 0xA7801C, Brass,
     "10 centesimi", "10 c"},
}};

constexpr std::array<int, 3> LireScales = {100, 500, 1000};
constexpr std::array<int, 3> EuroScales = {10, 50, 100};

const QLocale& italian() {
    static const QLocale locale(QLocale::Italian, QLocale::Italy);
    return locale;
}

const Currency* currentCurrency = &Currency::lire();

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
    static constexpr Currency currency(false);
    return currency;
}

const Currency& Currency::euro() {
    static constexpr Currency currency(true);
    return currency;
}

const Currency& Currency::current() {
    return *currentCurrency;
}

void Currency::setCurrent(const Currency& currency) {
    currentCurrency = &currency;
}

QString Currency::name() const {
    return cents ? QStringLiteral("euro") : QStringLiteral("lire");
}

QString Currency::amountText(Money amount) const {
    const std::int64_t whole = amount.roundedWhole();
    const std::uint64_t size = whole < 0 ? 0 - static_cast<std::uint64_t>(whole) : whole;
    const QString sign = whole < 0 ? QStringLiteral("-") : QString();
    if (!cents)
        return sign + italian().toString(static_cast<qulonglong>(size));
    return sign + italian().toString(static_cast<qulonglong>(size / 100)) + u',' +
           QStringLiteral("%1").arg(size % 100, 2, 10, QChar(u'0'));
}

QString Currency::spokenAmount(Money amount) const {
    return amountText(amount) + u' ' + name();
}

QString Currency::symbol() const {
    return cents ? QStringLiteral("€ ") : QStringLiteral("£. ");
}

QChar Currency::filterKey(QChar typed) const {
    // In lire a typed "." is a space; in euro it may be the decimal mark.
    return !cents && typed == u'.' ? QChar(u' ') : typed;
}

std::optional<std::int64_t> Currency::readAnswer(const QString& typed, AnswerKind kind) const {
    if (!cents || kind == AnswerKind::Count)
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

const std::array<int, 3>& Currency::boardScales() const {
    return cents ? EuroScales : LireScales;
}

std::span<const Denomination> Currency::pieces() const {
    return cents ? std::span<const Denomination>(EuroPieces)
                 : std::span<const Denomination>(LirePieces);
}

QString Currency::pieceName(const Denomination& piece) const {
    const QString kind = piece.shape == ui::PlateShape::Note ? QStringLiteral("banconota")
                                                             : QStringLiteral("moneta");
    return QStringLiteral("%1 da %2").arg(kind, QString::fromUtf8(piece.spoken));
}

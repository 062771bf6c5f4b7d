#include "model/CatalogueFields.h"

#include "model/CatalogueLines.h"
#include "model/ProgramError.h"

#include <limits>

namespace {

// The screens multiply a price, or the difference of two prices, by a quantity
// of at most 11: every such amount stays in range.
static_assert(LargestPrice.raw() <= std::numeric_limits<std::int64_t>::max() / 22);

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// "1.200": a thousand written the way prices are printed, which reads as one lira.
bool looksLikeThousands(QStringView price) {
    const qsizetype point = price.indexOf(u'.');
    return point > 0 && price.size() - point == 4 && looksLikeEuro(price);
}

} // namespace

QString catalogueRefusal(const QString& path) {
    return QStringLiteral("L'elenco degli articoli non si può usare.\n\nFile: %1\n").arg(path);
}

bool looksLikeEuro(QStringView price) {
    qsizetype mark = 0;
    while (mark < price.size() && isDigit(price.at(mark)))
        ++mark;
    if (mark == 0 || mark == price.size() || (price.at(mark) != u'.' && price.at(mark) != u','))
        return false;
    const QStringView decimals = price.sliced(mark + 1);
    for (QChar c : decimals)
        if (!isDigit(c))
            return false;
    return decimals.size() == 1 || decimals.size() == 2 ||
           (decimals.size() == 3 && price.at(mark) == u'.');
}

void CatalogueFields::skipLine(qsizetype end, int number) {
    pos = end;
    line = number;
    consumeDelimiter();
}

bool CatalogueFields::atEndOfRecords() {
    skipBlankLines();
    return pos >= text.size();
}

void CatalogueFields::startRecord(int number) {
    record = number;
    recordLine = line;
}

QString CatalogueFields::readText(const char* missing) {
    startField(missing);
    return restOfText();
}

FieldPrice CatalogueFields::readMoney(const char* missing) {
    startField(missing);
    FieldPrice price;
    price.line = line;
    if (text.at(pos) == u'"') {
        // Quotes, as a spreadsheet puts them, keep a comma inside the price.
        price.written = restOfField().trimmed();
        readPrice(price.written, true, &price);
        return price;
    }
    const qsizetype start = pos;
    while (pos < text.size() && text.at(pos) != separator && !isBlank(text.at(pos)) &&
           !isLineEnd(text.at(pos)))
        ++pos;
    price.written = QStringView(text).sliced(start, pos - start);
    readPrice(price.written, false, &price);
    while (pos < text.size() && isBlank(text.at(pos)))
        ++pos;
    // A space alone may end an amount; a separator or line end after it belongs to it.
    if (pos < text.size() && (text.at(pos) == separator || isLineEnd(text.at(pos))))
        consumeDelimiter();
    else
        afterComma = false;
    return price;
}

void CatalogueFields::fail(const QString& reason) const {
    QString hint = warnings.isEmpty() ? QString() : warnings.first();
    for (int k = line - 1; k > 0; --k)
        if (misaligned(k)) {
            hint = fieldCountWarning(k) + QStringLiteral(" Da lì in poi i campi sono spostati.");
            break;
        }
    throw ProgramError(catalogueRefusal(path) +
                       QStringLiteral("Articolo numero %1, alla riga %2: %3.%4")
                           .arg(record)
                           .arg(recordLine)
                           .arg(reason)
                           .arg(hint.isEmpty() ? QString() : u'\n' + hint));
}

QList<int> CatalogueFields::misalignedLines() const {
    QList<int> lines;
    for (int k = 1; k < int(fieldsOnLine.size()); ++k)
        if (misaligned(k))
            lines << k;
    return lines;
}

QString CatalogueFields::fieldCountWarning(int number) const {
    const int fields = fieldsOnLine[number];
    return QStringLiteral("Riga %1: %2 invece di 3 (%3).")
        .arg(number)
        .arg(fields == 1 ? QStringLiteral("un campo") : QStringLiteral("%1 campi").arg(fields))
        .arg(shortened(lineOf(text, number).trimmed(), ShownLine));
}

QString CatalogueFields::restOfText() {
    return restOfField().toString();
}

QStringView CatalogueFields::restOfField() {
    if (text.at(pos) == u'"') {
        const int openingLine = line;
        const qsizetype close = text.indexOf(u'"', pos + 1);
        if (close < 0)
            fail(QStringLiteral("il nome che comincia con le virgolette alla riga %1 non ha le "
                                "virgolette di chiusura")
                     .arg(openingLine));
        const QStringView name = QStringView(text).sliced(pos + 1, close - pos - 1);
        for (QChar c : name)
            if (c == u'\n')
                ++line;
        pos = close + 1;
        // Anything between the closing quote and the delimiter is not part of the name.
        while (pos < text.size() && text.at(pos) != separator && !isLineEnd(text.at(pos)))
            ++pos;
        consumeDelimiter();
        return name;
    }
    const qsizetype start = pos;
    while (pos < text.size() && text.at(pos) != separator && !isLineEnd(text.at(pos)))
        ++pos;
    const QStringView name = QStringView(text).sliced(start, pos - start).trimmed();
    consumeDelimiter();
    return name;
}

bool CatalogueFields::misaligned(int number) const {
    return number < int(fieldsOnLine.size()) && fieldsOnLine[number] % 3 != 0;
}

void CatalogueFields::countField() {
    if (line >= int(fieldsOnLine.size()))
        fieldsOnLine.resize(line + 1, 0);
    ++fieldsOnLine[line];
}

void CatalogueFields::readPrice(QStringView digits, bool quoted, FieldPrice* price) {
    const bool euro = currency.minorDigits() > 0;
    const QString withPoint =
        euro && digits.contains(u',') ? digits.toString().replace(u',', u'.') : QString();
    price->value =
        parseAmount(withPoint.isNull() ? digits : QStringView(withPoint), digits, &price->number);
    if (!euro && looksLikeEuro(digits))
        warnOfEuro(digits, quoted, price->value);
}

void CatalogueFields::warnOfEuro(QStringView digits, bool quoted, Money reading) {
    const QString written = quoted ? u'"' + digits.toString() + u'"' : digits.toString();
    const QString thousands = looksLikeThousands(digits)
                                  ? QStringLiteral(": se è %1, scrivete %1; ")
                                        .arg(QString(digits.toString()).remove(u'.'))
                                  : QStringLiteral("; ");
    warnings << QStringLiteral("Riga %1: il prezzo %2 in lire vale %3%4se i prezzi sono in "
                               "euro, l'elenco comincia con la riga \"valuta: euro\".")
                    .arg(line)
                    .arg(shortened(written), Currency::lire().spokenAmount(reading), thousands);
}

void CatalogueFields::skipBlankLines() {
    while (pos < text.size() && (isBlank(text.at(pos)) || isLineEnd(text.at(pos)))) {
        countLine();
        ++pos;
    }
}

void CatalogueFields::startField(const char* missing) {
    if (afterComma) {
        while (pos < text.size() && isBlank(text.at(pos)))
            ++pos;
    } else {
        skipBlankLines();
    }
    if (pos >= text.size())
        fail(QString::fromUtf8(missing));
    countField();
}

void CatalogueFields::consumeDelimiter() {
    afterComma = false;
    if (pos >= text.size())
        return;
    if (text.at(pos) == separator) {
        afterComma = true;
        ++pos;
        return;
    }
    if (text.at(pos) == u'\r')
        ++pos;
    if (pos < text.size() && text.at(pos) == u'\n') {
        ++line;
        ++pos;
    } else if (pos > 0 && text.at(pos - 1) == u'\r') {
        ++line; // a lone CR ends a line too
    }
}

void CatalogueFields::countLine() {
    if (text.at(pos) == u'\n' ||
        (text.at(pos) == u'\r' && (pos + 1 >= text.size() || text.at(pos + 1) != u'\n')))
        ++line;
}

Money CatalogueFields::parseAmount(QStringView view, QStringView written, bool* isNumber) const {
    auto digitsEnd = [&](qsizetype from) {
        while (from < view.size() && view.at(from) >= u'0' && view.at(from) <= u'9')
            ++from;
        return from;
    };
    const bool negative = view.startsWith(u'-');
    const qsizetype integerStart = negative || view.startsWith(u'+') ? 1 : 0;
    qsizetype end = digitsEnd(integerStart);
    const QStringView integerDigits = view.sliced(integerStart, end - integerStart);
    QStringView decimalDigits;
    if (end < view.size() && view.at(end) == u'.') {
        const qsizetype decimalsStart = end + 1;
        end = digitsEnd(decimalsStart);
        decimalDigits = view.sliced(decimalsStart, end - decimalsStart);
    }
    const int minorDigits = currency.minorDigits();
    const bool number = end == view.size() && !(integerDigits.isEmpty() && decimalDigits.isEmpty());
    if (minorDigits > 0 && integerStart > 0)
        fail(QStringLiteral("il prezzo %1 ha un segno: in euro un prezzo si scrive senza + "
                            "e senza -, per esempio 1.50")
                 .arg(shortened(written)));
    if (minorDigits > 0 && (!number || integerDigits.isEmpty() ||
                            decimalDigits.size() > minorDigits || view.endsWith(u'.')))
        fail(QStringLiteral("il prezzo %1 non è un prezzo in euro: si scrive con al più due "
                            "decimali, per esempio 0.40, 12, 12.5 oppure \"0,40\"")
                 .arg(shortened(written)));
    *isNumber = number;
    if (!number)
        return Money(); // not a number: 0
    // The digits read as one number: the whole part, the minor units and four
    // places of their fraction (Money's scale), without a string built for them.
    static_assert(Money::Scale == 10'000);
    std::int64_t raw = 0;
    bool ok = true;
    auto append = [&](int digit) {
        ok = ok && !__builtin_mul_overflow(raw, 10, &raw) &&
             !__builtin_add_overflow(raw, digit, &raw);
    };
    for (QChar digit : integerDigits)
        append(digit.unicode() - u'0');
    for (int d = 0; d < minorDigits + 4; ++d)
        append(d < decimalDigits.size() ? decimalDigits.at(d).unicode() - u'0' : 0);
    const bool roundUp =
        decimalDigits.size() > minorDigits + 4 && decimalDigits.at(minorDigits + 4) >= u'5';
    if (!ok || __builtin_add_overflow(raw, roundUp ? 1 : 0, &raw) || raw > LargestPrice.raw())
        fail(QStringLiteral("il prezzo %1 è troppo grande (al massimo %2)")
                 .arg(shortened(written), currency.spokenAmount(LargestPrice)));
    return Money::fromRaw(negative ? -raw : raw);
}

#include "model/Catalogue.h"

#include "model/ProgramError.h"

#include <QStringDecoder>
#include <limits>
#include <optional>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F.
constexpr char16_t Windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeWindows1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text.append(byte >= 0x80 && byte < 0xA0 ? QChar(Windows1252High[byte - 0x80])
                                                : QChar(byte));
    }
    return text;
}

// A field quoted in a report, cut short: a garbled file may hold a "price" of
// megabytes.
QString shortened(QStringView field) {
    constexpr qsizetype Shown = 24;
    return field.size() <= Shown ? field.toString()
                                 : field.left(Shown).toString() + QStringLiteral("…");
}

// The screens multiply a price, or the difference of two prices, by a quantity
// of at most 11: every such amount stays in range.
static_assert(LargestPrice.raw() <= std::numeric_limits<std::int64_t>::max() / 22);

bool isLineEnd(QChar c) {
    return c == u'\n' || c == u'\r';
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// A lire price as a euro catalogue would write it: a point or comma before one
// or two digits ("0.50", "12,5"), or a point before three ("1.200").
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

// The first line that is not blank, when it is meant to name the currency: it
// begins with the word "valuta" and has no comma, so it cannot be a record.
struct HeaderLine {
    bool present = false;
    QString written; // the whole line, trimmed
    QString name;    // after "valuta:"; empty when the line is not well formed
    int line = 1;
    qsizetype end = 0; // where the line ends in the text
};

HeaderLine headerLine(const QString& text) {
    HeaderLine header;
    qsizetype pos = 0;
    while (pos < text.size() && (text.at(pos).isSpace() || text.at(pos) == QChar(0xFEFF))) {
        if (text.at(pos) == u'\n' ||
            (text.at(pos) == u'\r' && (pos + 1 >= text.size() || text.at(pos + 1) != u'\n')))
            ++header.line;
        ++pos;
    }
    qsizetype end = pos;
    while (end < text.size() && !isLineEnd(text.at(end)))
        ++end;
    const QStringView line = QStringView(text).sliced(pos, end - pos).trimmed();
    const QLatin1String word("valuta");
    if (!line.startsWith(word, Qt::CaseInsensitive) || line.contains(u',') ||
        (line.size() > word.size() && line.at(word.size()).isLetterOrNumber()))
        return header;
    header.present = true;
    header.written = line.toString();
    header.end = end;
    const QStringView rest = line.sliced(word.size()).trimmed();
    if (rest.startsWith(u':')) {
        const QStringView name = rest.sliced(1).trimmed();
        if (!name.isEmpty() && !name.contains(u' ') && !name.contains(u'"'))
            header.name = name.toString();
    }
    return header;
}

// Field-by-field reading in the manner of delimited sequential input.
class FieldReader {
public:
    FieldReader(const QString& text, const QString& path, const Currency& currency)
        : text(text), path(path), currency(currency) {}

    // The line naming the currency is no record.
    void skipHeader(const HeaderLine& header) {
        pos = header.end;
        line = header.line;
        consumeDelimiter();
    }

    QStringList warnings;

    // Blank lines and spaces between records are skipped; true when nothing is left.
    bool atEndOfRecords() {
        skipBlankLines();
        return pos >= text.size();
    }

    void startRecord(int number) {
        record = number;
        recordLine = line;
    }
    int currentLine() const { return line; }

    QString readText(const char* missing) {
        startField(missing);
        if (text.at(pos) == u'"') {
            const int openingLine = line;
            const qsizetype close = text.indexOf(u'"', pos + 1);
            if (close < 0)
                fail(QStringLiteral("il nome che comincia con le virgolette alla riga %1 non ha le "
                                    "virgolette di chiusura")
                         .arg(openingLine));
            QString name = text.mid(pos + 1, close - pos - 1);
            for (QChar c : name)
                if (c == u'\n')
                    ++line;
            pos = close + 1;
            // Anything between the closing quote and the delimiter is not part of the name.
            while (pos < text.size() && text.at(pos) != u',' && !isLineEnd(text.at(pos)))
                ++pos;
            consumeDelimiter();
            return name;
        }
        const qsizetype start = pos;
        while (pos < text.size() && text.at(pos) != u',' && !isLineEnd(text.at(pos)))
            ++pos;
        QString name = text.mid(start, pos - start).trimmed();
        consumeDelimiter();
        return name;
    }

    Money readMoney(const char* missing) {
        startField(missing);
        if (currency.minorDigits() > 0 && text.at(pos) == u'"') {
            // A quoted price may carry the Italian decimal comma.
            const QString quoted = readText(missing);
            return parseAmount(QString(quoted).replace(u',', u'.'), quoted);
        }
        if (currency.minorDigits() == 0 && text.at(pos) == u'"')
            warnIfQuotedEuro();
        const qsizetype start = pos;
        while (pos < text.size() && text.at(pos) != u',' && !isBlank(text.at(pos)) &&
               !isLineEnd(text.at(pos)))
            ++pos;
        const QStringView token = QStringView(text).sliced(start, pos - start);
        if (currency.minorDigits() == 0 && looksLikeEuro(token))
            warn(token, parseAmount(token, token));
        while (pos < text.size() && isBlank(text.at(pos)))
            ++pos;
        // A space alone may end an amount; a comma or line end after it belongs to it.
        if (pos < text.size() && (text.at(pos) == u',' || isLineEnd(text.at(pos))))
            consumeDelimiter();
        else
            afterComma = false;
        return parseAmount(token, token);
    }

    // A lire price that looked written in euro may be why the file goes wrong:
    // the first such warning comes with the report.
    [[noreturn]] void fail(const QString& reason) const {
        throw ProgramError(QStringLiteral("L'elenco degli articoli non si può usare.\n\n"
                                          "File: %1\nArticolo numero %2, alla riga %3: %4.%5")
                               .arg(path)
                               .arg(record)
                               .arg(recordLine)
                               .arg(reason)
                               .arg(warnings.isEmpty() ? QString() : u'\n' + warnings.first()));
    }

private:
    void warn(QStringView written, Money reading) {
        warnings << QStringLiteral("Riga %1: il prezzo %2 in lire vale %3; se i prezzi sono in "
                                   "euro, l'elenco comincia con la riga \"valuta: euro\".")
                        .arg(line)
                        .arg(shortened(written), Currency::lire().spokenAmount(reading));
    }

    // A quoted lire price is no number, so it reads as 0: "0,50" in quotes is
    // a euro price where no currency line says so.
    void warnIfQuotedEuro() {
        qsizetype close = pos + 1;
        while (close < text.size() && text.at(close) != u'"' && !isLineEnd(text.at(close)))
            ++close;
        const QStringView quoted = QStringView(text).sliced(pos + 1, close - pos - 1);
        if (close < text.size() && text.at(close) == u'"' && looksLikeEuro(quoted))
            warn(QStringView(text).sliced(pos, close - pos + 1), Money());
    }

    void skipBlankLines() {
        while (pos < text.size() && (isBlank(text.at(pos)) || isLineEnd(text.at(pos)))) {
            countLine();
            ++pos;
        }
    }

    // Spaces before a field are skipped; after a line end, blank lines are too,
    // but right after a comma a line end closes an empty field.
    void startField(const char* missing) {
        if (afterComma) {
            while (pos < text.size() && isBlank(text.at(pos)))
                ++pos;
        } else {
            skipBlankLines();
        }
        if (pos >= text.size())
            fail(QString::fromUtf8(missing));
    }

    void consumeDelimiter() {
        afterComma = false;
        if (pos >= text.size())
            return;
        if (text.at(pos) == u',') {
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

    void countLine() {
        if (text.at(pos) == u'\n' ||
            (text.at(pos) == u'\r' && (pos + 1 >= text.size() || text.at(pos + 1) != u'\n')))
            ++line;
    }

    // An optional sign, digits, then optionally a point and more digits; in lire
    // anything else reads as 0, in euro it is refused, as are a sign and more
    // decimals than cents. Scanned by hand: a regular expression here cost the
    // start half a megabyte of the expression library.
    Money parseAmount(QStringView view, QStringView written) const {
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
        const bool number =
            end == view.size() && !(integerDigits.isEmpty() && decimalDigits.isEmpty());
        if (minorDigits > 0 && integerStart > 0)
            fail(QStringLiteral("il prezzo %1 ha un segno: in euro un prezzo si scrive senza + "
                                "e senza -, per esempio 1.50")
                     .arg(shortened(written)));
        if (minorDigits > 0 && (!number || integerDigits.isEmpty() ||
                                decimalDigits.size() > minorDigits || view.endsWith(u'.')))
            fail(QStringLiteral("il prezzo %1 non è un prezzo in euro: si scrive con al più due "
                                "decimali, per esempio 0.40, 12, 12.5 oppure \"0,40\"")
                     .arg(shortened(written)));
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

    const QString& text;
    const QString& path;
    const Currency& currency;
    qsizetype pos = 0;
    int line = 1;
    int record = 0;
    int recordLine = 1;
    bool afterComma = false;
};

} // namespace

QString decodeCatalogue(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    // Accented letters in Windows-1252 are never valid UTF-8, so old files fall here.
    if (utf8.hasError())
        text = decodeWindows1252(bytes);
    // Byte-order marks, one or several as some editors leave them, are no text.
    qsizetype marks = 0;
    while (marks < text.size() && text.at(marks) == QChar(0xFEFF))
        ++marks;
    return text.mid(marks);
}

Catalogue readCatalogue(const QByteArray& bytes, const QString& path, int maxRecords) {
    return parseCatalogue(decodeCatalogue(bytes), path, maxRecords);
}

Catalogue parseCatalogue(const QString& text, const QString& path, int maxRecords) {
    Catalogue catalogue;
    std::vector<CatalogueRecord>& records = catalogue.records;
    const HeaderLine header = headerLine(text);
    const Currency* currency = header.present ? Currency::named(header.name) : &Currency::lire();
    if (!currency) {
        const QString reason =
            header.name.isEmpty()
                ? QStringLiteral("la riga \"%1\" non dice la valuta come si deve")
                      .arg(shortened(header.written))
                : QStringLiteral("la valuta %1 non è conosciuta").arg(shortened(header.name));
        throw ProgramError(QStringLiteral("L'elenco degli articoli non si può usare.\n\n"
                                          "File: %1\nRiga %2: %3: si scrive \"valuta: lire\" "
                                          "oppure \"valuta: euro\".")
                               .arg(path)
                               .arg(header.line)
                               .arg(reason));
    }
    FieldReader reader(text, path, *currency);
    if (header.present)
        reader.skipHeader(header);
    while (!reader.atEndOfRecords()) {
        const int number = static_cast<int>(records.size()) + 1;
        reader.startRecord(number);
        if (number > maxRecords)
            reader.fail(
                QStringLiteral("l'elenco può contenere al massimo %1 articoli").arg(maxRecords));
        CatalogueRecord record;
        record.name = reader.readText("il file finisce prima del nome");
        record.buyingPrice = reader.readMoney(
            "il file finisce dopo il nome: mancano il prezzo d'acquisto e il prezzo di vendita");
        record.sellingPrice =
            reader.readMoney("il file finisce prima del prezzo di vendita, che manca");
        records.push_back(record);
    }
    catalogue.currency = currency;
    catalogue.warnings = reader.warnings;
    return catalogue;
}

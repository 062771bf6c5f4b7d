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

qsizetype firstLineEnd(const QString& text) {
    qsizetype end = 0;
    while (end < text.size() && !isLineEnd(text.at(end)))
        ++end;
    return end;
}

// Field-by-field reading in the manner of delimited sequential input.
class FieldReader {
public:
    FieldReader(const QString& text, const QString& path, const Currency& currency)
        : text(text), path(path), currency(currency) {}

    // A first line "valuta: euro" (or lire) names the currency and is no record.
    void skipFirstLine() {
        pos = firstLineEnd(text);
        consumeDelimiter();
    }

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
        const qsizetype start = pos;
        while (pos < text.size() && text.at(pos) != u',' && !isBlank(text.at(pos)) &&
               !isLineEnd(text.at(pos)))
            ++pos;
        const QStringView token = QStringView(text).sliced(start, pos - start);
        while (pos < text.size() && isBlank(text.at(pos)))
            ++pos;
        // A space alone may end an amount; a comma or line end after it belongs to it.
        if (pos < text.size() && (text.at(pos) == u',' || isLineEnd(text.at(pos))))
            consumeDelimiter();
        else
            afterComma = false;
        return parseAmount(token, token);
    }

    [[noreturn]] void fail(const QString& reason) const {
        throw ProgramError(QStringLiteral("L'elenco degli articoli non si può usare.\n\n"
                                          "File: %1\nArticolo numero %2, alla riga %3: %4.")
                               .arg(path)
                               .arg(record)
                               .arg(recordLine)
                               .arg(reason));
    }

private:
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
        if (minorDigits > 0 && (!number || integerStart > 0 || integerDigits.isEmpty() ||
                                decimalDigits.size() > minorDigits || view.endsWith(u'.')))
            fail(QStringLiteral("il prezzo %1 non è un prezzo in euro: si scrive con al più due "
                                "decimali, per esempio 0.40, 12, 12.5 oppure \"0,40\"")
                     .arg(shortened(written)));
        if (!number)
            return Money(); // not a number: 0
        // The decimals are read as minor units and their fraction, four places.
        const QStringView minor = decimalDigits.left(minorDigits);
        const QStringView fraction = decimalDigits.sliced(minor.size());
        const bool roundUp = fraction.size() > 4 && fraction.at(4) >= u'5';
        const QString decimals = fraction.left(4).toString().leftJustified(4, u'0');
        bool ok = integerDigits.isEmpty();
        qlonglong whole = ok ? 0 : integerDigits.toLongLong(&ok);
        for (int d = 0; d < minorDigits && ok; ++d)
            ok = !__builtin_mul_overflow(whole, 10, &whole) &&
                 !__builtin_add_overflow(whole, d < minor.size() ? minor.at(d).digitValue() : 0,
                                         &whole);
        std::int64_t raw = 0;
        if (!ok || __builtin_mul_overflow(whole, Money::Scale, &raw) ||
            __builtin_add_overflow(raw, decimals.toLongLong() + (roundUp ? 1 : 0), &raw) ||
            raw > LargestPrice.raw())
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

QString currencyLine(const QString& text) {
    // "valuta" and a colon, whatever the letter case and the spaces around.
    const QStringView first = QStringView(text).first(firstLineEnd(text)).trimmed();
    const qsizetype colon = first.indexOf(u':');
    if (colon < 0 || first.first(colon).trimmed().compare(u"valuta", Qt::CaseInsensitive) != 0)
        return {};
    const QStringView name = first.sliced(colon + 1).trimmed();
    // A line with fields is a record whose name happens to start so.
    if (name.contains(u',') || name.contains(u'"'))
        return {};
    return name.toString();
}

QString decodeCatalogue(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    // Accented letters in Windows-1252 are never valid UTF-8, so old files fall here.
    if (utf8.hasError())
        return decodeWindows1252(bytes);
    return text;
}

Catalogue readCatalogue(const QByteArray& bytes, const QString& path, int maxRecords) {
    return parseCatalogue(decodeCatalogue(bytes), path, maxRecords);
}

Catalogue parseCatalogue(const QString& text, const QString& path, int maxRecords) {
    Catalogue catalogue;
    std::vector<CatalogueRecord>& records = catalogue.records;
    const QString named = currencyLine(text);
    const Currency* currency = named.isEmpty() ? &Currency::lire() : Currency::named(named);
    if (!currency)
        throw ProgramError(QStringLiteral("L'elenco degli articoli non si può usare.\n\n"
                                          "File: %1\nRiga 1: la valuta %2 non è conosciuta: si "
                                          "scrive \"valuta: lire\" oppure \"valuta: euro\".")
                               .arg(path, shortened(named)));
    FieldReader reader(text, path, *currency);
    if (!named.isEmpty())
        reader.skipFirstLine();
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
    return catalogue;
}

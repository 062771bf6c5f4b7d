#include "model/Catalogue.h"

#include "model/CatalogueEncoding.h"
#include "model/CatalogueLines.h"
#include "model/ProgramError.h"

#include <limits>
#include <optional>

namespace {

// The screens multiply a price, or the difference of two prices, by a quantity
// of at most 11: every such amount stays in range.
static_assert(LargestPrice.raw() <= std::numeric_limits<std::int64_t>::max() / 22);

bool isLineEnd(QChar c) {
    return c == u'\n' || c == u'\r';
}

// The start of every report that refuses a file.
QString refusal(const QString& path) {
    return QStringLiteral("L'elenco degli articoli non si può usare.\n\nFile: %1\n").arg(path);
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

// "1.200": a thousand written the way prices are printed, which reads as one lira.
bool looksLikeThousands(QStringView price) {
    const qsizetype point = price.indexOf(u'.');
    return point > 0 && price.size() - point == 4 && looksLikeEuro(price);
}

// A price as read: its value, and whether it was written as a number at all.
struct Price {
    Money value;
    bool number = true;
    QStringView written; // in the catalogue's text, without quotes
    int line = 0;
};

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
    FieldReader(const QString& text, const QString& path, const Currency& currency, QChar separator)
        : text(text), path(path), currency(currency), separator(separator) {}

    // A line that is no record (the currency, the column headings): skipped
    // whole, up to the end of the given line.
    void skipLine(qsizetype end, int number) {
        pos = end;
        line = number;
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

    QString readText(const char* missing) {
        startField(missing);
        return restOfText();
    }

    Price readMoney(const char* missing) {
        startField(missing);
        Price price;
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

    // A lire price that looked written in euro, or a line whose fields are not
    // three, may be why the file goes wrong: the likelier comes with the report.
    [[noreturn]] void fail(const QString& reason) const {
        QString hint = warnings.isEmpty() ? QString() : warnings.first();
        for (int k = line - 1; k > 0; --k)
            if (misaligned(k)) {
                hint =
                    fieldCountWarning(k) + QStringLiteral(" Da lì in poi i campi sono spostati.");
                break;
            }
        throw ProgramError(refusal(path) + QStringLiteral("Articolo numero %1, alla riga %2: %3.%4")
                                               .arg(record)
                                               .arg(recordLine)
                                               .arg(reason)
                                               .arg(hint.isEmpty() ? QString() : u'\n' + hint));
    }

    // The lines whose fields are not three, nor six...: a field missing or over.
    QList<int> misalignedLines() const {
        QList<int> lines;
        for (int k = 1; k < int(fieldsOnLine.size()); ++k)
            if (misaligned(k))
                lines << k;
        return lines;
    }

    QString fieldCountWarning(int number) const {
        const int fields = fieldsOnLine[number];
        return QStringLiteral("Riga %1: %2 invece di 3 (%3).")
            .arg(number)
            .arg(fields == 1 ? QStringLiteral("un campo") : QStringLiteral("%1 campi").arg(fields))
            .arg(shortened(lineOf(text, number).trimmed(), ShownLine));
    }

private:
    // A name, or a quoted price, from where its field starts.
    QString restOfText() { return restOfField().toString(); }

    // The field from where it starts, its quotes or surrounding spaces left out.
    QStringView restOfField() {
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

    bool misaligned(int number) const {
        return number < int(fieldsOnLine.size()) && fieldsOnLine[number] % 3 != 0;
    }

    void countField() {
        if (line >= int(fieldsOnLine.size()))
            fieldsOnLine.resize(line + 1, 0);
        ++fieldsOnLine[line];
    }

    // In euro a comma may stand for the point, in quotes or in a file whose
    // fields are separated by semicolons. A string is made only for that comma:
    // the start reads every price.
    void readPrice(QStringView digits, bool quoted, Price* price) {
        const bool euro = currency.minorDigits() > 0;
        const QString withPoint =
            euro && digits.contains(u',') ? digits.toString().replace(u',', u'.') : QString();
        price->value = parseAmount(withPoint.isNull() ? digits : QStringView(withPoint), digits,
                                   &price->number);
        if (!euro && looksLikeEuro(digits))
            warnOfEuro(digits, quoted, price->value);
    }

    void warnOfEuro(QStringView digits, bool quoted, Money reading) {
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
        countField();
    }

    void consumeDelimiter() {
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

    void countLine() {
        if (text.at(pos) == u'\n' ||
            (text.at(pos) == u'\r' && (pos + 1 >= text.size() || text.at(pos + 1) != u'\n')))
            ++line;
    }

    // An optional sign, digits, then optionally a point and more digits; in lire
    // anything else reads as 0, in euro it is refused, as are a sign and more
    // decimals than cents. Scanned by hand: a regular expression here cost the
    // start half a megabyte of the expression library.
    Money parseAmount(QStringView view, QStringView written, bool* isNumber) const {
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

    const QString& text;
    const QString& path;
    const Currency& currency;
    const QChar separator;
    std::vector<int> fieldsOnLine; // by line number: the fields that start on it
    qsizetype pos = 0;
    int line = 1;
    int record = 0;
    int recordLine = 1;
    bool afterComma = false;
};

} // namespace

Catalogue readCatalogue(const QByteArray& bytes, const QString& path, int maxRecords) {
    const DecodedCatalogue decoded = decodeCatalogueText(bytes);
    Catalogue catalogue = parseCatalogue(decoded.text, path, maxRecords);
    if (const QString mixed = mixedEncodingWarning(decoded); !mixed.isEmpty())
        catalogue.warnings.prepend(mixed);
    return catalogue;
}

namespace {

// Control characters mean the file is no text, or text in an encoding not
// recognised: nothing read from it would be what the teacher wrote.
void refuseWhatIsNotText(const QString& text, const QString& path) {
    const NotText found = firstNotText(text);
    if (found.line == 0)
        return;
    throw ProgramError(refusal(path) +
                       QStringLiteral("Riga %1: c'è un carattere che non è testo (codice %2): il "
                                      "file non è di testo semplice. Salvatelo come testo, in "
                                      "UTF-8 o in Windows-1252.")
                           .arg(found.line)
                           .arg(found.code));
}

const Currency& currencyOf(const HeaderLine& header, const QString& path) {
    const Currency* currency = header.present ? Currency::named(header.name) : &Currency::lire();
    if (currency)
        return *currency;
    const QString reason =
        header.name.isEmpty()
            ? QStringLiteral("la riga \"%1\" non dice la valuta come si deve")
                  .arg(shortened(header.written))
            : QStringLiteral("la valuta %1 non è conosciuta").arg(shortened(header.name));
    throw ProgramError(refusal(path) + QStringLiteral("Riga %1: %2: si scrive \"valuta: lire\" "
                                                      "oppure \"valuta: euro\".")
                                           .arg(header.line)
                                           .arg(reason));
}

// At most `shown` warnings of one kind, then how many more there are.
void appendSome(QStringList* warnings, const QStringList& more, const QString& rest,
                qsizetype shown = 10) {
    *warnings << more.mid(0, shown);
    if (more.size() > shown)
        *warnings << rest.arg(more.size() - shown);
}

// A price that reads as 0 because it is no number: a word, an empty field, or
// a field shifted by one that is missing or over.
QString notANumber(const Price& price, const QString& which, const QString& name) {
    return price.written.trimmed().isEmpty()
               ? QStringLiteral("Riga %1: manca il prezzo %2 di %3: vale 0 lire.")
                     .arg(price.line)
                     .arg(which, shortened(name))
               : QStringLiteral("Riga %1: il prezzo %2 di %3, %4, non è un numero: vale 0 lire.")
                     .arg(price.line)
                     .arg(which, shortened(name), shortened(price.written));
}

} // namespace

Catalogue parseCatalogue(const QString& text, const QString& path, int maxRecords) {
    refuseWhatIsNotText(text, path);
    Catalogue catalogue;
    std::vector<CatalogueRecord>& records = catalogue.records;
    const HeaderLine header = headerLine(text);
    const Currency& currency = currencyOf(header, path);
    const TextLine first = header.present ? firstFilledLine(text, header.end, header.line)
                                          : firstFilledLine(text, 0, 1);
    const TextLine second = firstFilledLine(text, first.end, first.number);
    const QChar separator = separatedBySemicolons({first.text, second.text}) ? u';' : u',';
    if (separator == u';')
        catalogue.warnings << QStringLiteral(
            "I campi sono separati da punti e virgola (;), come li salva un foglio di "
            "calcolo: il file è letto così.");
    FieldReader reader(text, path, currency, separator);
    if (header.present)
        reader.skipLine(header.end, header.line);
    if (looksLikeHeadings(first.text, separator)) {
        catalogue.warnings << QStringLiteral("Riga %1: \"%2\" sembra l'intestazione delle "
                                             "colonne, non un articolo: è saltata.")
                                  .arg(first.number)
                                  .arg(shortened(first.text.trimmed(), ShownLine));
        reader.skipLine(first.end, first.number);
    }
    QStringList notNumbers;
    while (!reader.atEndOfRecords()) {
        const int number = static_cast<int>(records.size()) + 1;
        reader.startRecord(number);
        if (number > maxRecords)
            reader.fail(
                QStringLiteral("l'elenco può contenere al massimo %1 articoli").arg(maxRecords));
        CatalogueRecord record;
        record.name = reader.readText("il file finisce prima del nome");
        const Price buying = reader.readMoney(
            "il file finisce dopo il nome: mancano il prezzo d'acquisto e il prezzo di vendita");
        const Price selling =
            reader.readMoney("il file finisce prima del prezzo di vendita, che manca");
        record.buyingPrice = buying.value;
        record.sellingPrice = selling.value;
        if (!buying.number && !looksLikeEuro(buying.written))
            notNumbers << notANumber(buying, QStringLiteral("d'acquisto"), record.name);
        if (!selling.number && !looksLikeEuro(selling.written))
            notNumbers << notANumber(selling, QStringLiteral("di vendita"), record.name);
        records.push_back(record);
    }
    catalogue.currency = &currency;
    catalogue.warnings << reader.warnings;
    appendSome(&catalogue.warnings, notNumbers,
               QStringLiteral("E altri %1 prezzi che non sono numeri."));
    QStringList fieldCounts;
    for (int line : reader.misalignedLines())
        fieldCounts << reader.fieldCountWarning(line);
    appendSome(&catalogue.warnings, fieldCounts,
               QStringLiteral("E altre %1 righe i cui campi non sono tre."));
    if (!fieldCounts.isEmpty())
        catalogue.warnings << QStringLiteral(
            "I campi si leggono tre alla volta, anche da una riga all'altra: un campo che "
            "manca o che avanza sposta tutti gli articoli che seguono.");
    if (records.empty())
        catalogue.warnings << QStringLiteral("Il file non contiene articoli: gli esercizi "
                                             "mostrano un articolo senza nome, con i prezzi a 0.");
    return catalogue;
}

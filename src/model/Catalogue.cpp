#include "model/Catalogue.h"

#include "model/CatalogueEncoding.h"
#include "model/CatalogueFields.h"
#include "model/CatalogueLines.h"
#include "model/ProgramError.h"

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
    throw ProgramError(catalogueRefusal(path) +
                       QStringLiteral("Riga %1: c'è un carattere che non è testo (codice %2): il "
                                      "file non è di testo semplice. Salvatelo come testo, in "
                                      "UTF-8 o in Windows-1252.")
                           .arg(found.line)
                           .arg(found.code));
}

const Currency& currencyOf(const CurrencyLine& header, const QString& path) {
    const Currency* currency = header.present ? Currency::named(header.name) : &Currency::lire();
    if (currency)
        return *currency;
    const QString reason =
        header.name.isEmpty()
            ? QStringLiteral("la riga \"%1\" non dice la valuta come si deve")
                  .arg(shortened(header.written))
            : QStringLiteral("la valuta %1 non è conosciuta").arg(shortened(header.name));
    throw ProgramError(catalogueRefusal(path) +
                       QStringLiteral("Riga %1: %2: si scrive \"valuta: lire\" "
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
QString notANumber(const FieldPrice& price, const QString& which, const QString& name) {
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
    const CurrencyLine header = currencyLine(text);
    const Currency& currency = currencyOf(header, path);
    const TextLine first = header.present ? firstFilledLine(text, header.end, header.line)
                                          : firstFilledLine(text, 0, 1);
    const TextLine second = firstFilledLine(text, first.end, first.number);
    const QChar separator = separatedBySemicolons({first.text, second.text}) ? u';' : u',';
    if (separator == u';')
        catalogue.warnings << QStringLiteral(
            "I campi sono separati da punti e virgola (;), come li salva un foglio di "
            "calcolo: il file è letto così.");
    CatalogueFields reader(text, path, currency, separator);
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
        const FieldPrice buying = reader.readMoney(
            "il file finisce dopo il nome: mancano il prezzo d'acquisto e il prezzo di vendita");
        const FieldPrice selling =
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

#pragma once

#include "model/CatalogueEncoding.h"
#include "model/Currency.h"
#include "model/Money.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

struct CatalogueRecord {
    QString name;
    Money buyingPrice;
    Money sellingPrice;
    bool operator==(const CatalogueRecord&) const = default;
};

// A catalogue as read: the currency its first line names, its records, and a
// warning, for the teacher, for each thing that may not be what was meant: a
// lire price that looks written in euro ("0.50", "1.200"), a price that is no
// number, a line whose fields are not three, column headings (skipped), fields
// separated by semicolons (read so), lines in two encodings, no article at all.
struct Catalogue {
    const Currency* currency = &Currency::lire();
    std::vector<CatalogueRecord> records;
    QStringList warnings;
    bool operator==(const Catalogue&) const = default;
};

// Throws ProgramError naming the line of the first character that is not text.
// A first line that is not blank and begins with the word "valuta" names the
// currency: "valuta: euro" or "valuta: lire", any letter case, spaces free
// around the colon; any other such line without a comma is refused. Then
// reads records of three fields (name, buying price, selling price) separated by
// commas or line ends. Throws ProgramError naming the file, the record and the
// line when a record is cut short, a quote is never closed, a price lies
// beyond the bound that keeps every exercise's arithmetic in range or there are more than
// maxRecords records. After a first line naming the currency, prices are in its
// minor unit: in euro, euros with at most two decimals ("0.40", "12", or quoted
// with a comma, "0,40"), anything else refused.
Catalogue parseCatalogue(const QString& text, const QString& path, int maxRecords = 500);
// The same from a file's bytes, in either encoding.
Catalogue readCatalogue(const QByteArray& bytes, const QString& path, int maxRecords = 500);

#pragma once

#include "shell/Money.h"

#include <QByteArray>
#include <QString>
#include <vector>

struct CatalogueRecord {
    QString name;
    Money buyingPrice;
    Money sellingPrice;
};

// The largest price, either sign, that a catalogue may hold: eleven times the
// difference of two such prices still fits a Money amount with room to spare,
// so no exercise's arithmetic on catalogue prices can overflow.
inline constexpr Money MaxCataloguePrice = Money::fromRaw(1'000'000'000'000 * Money::Scale);

// The text of a catalogue file: UTF-8 (with or without a byte-order mark) when
// the bytes are valid UTF-8, otherwise Windows-1252 as older files are written.
QString decodeCatalogue(const QByteArray& bytes);

// Reads records of three fields (name, buying price, selling price) separated by
// commas or line ends. Throws ProgramError naming the file, the record and the
// line when a record is cut short, a quote is never closed, a price is larger
// than MaxCataloguePrice or there are more than maxRecords records.
std::vector<CatalogueRecord> parseCatalogue(const QString& text, const QString& path,
                                            int maxRecords = 500);

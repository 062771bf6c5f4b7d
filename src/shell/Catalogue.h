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

// The text of a catalogue file: UTF-8 (with or without a byte-order mark) when
// the bytes are valid UTF-8, otherwise Windows-1252 as older files are written.
QString decodeCatalogue(const QByteArray& bytes);

// Reads records of three fields (name, buying price, selling price) separated by
// commas or line ends. Throws ProgramError naming the file, the record and the
// line when a record is cut short, a quote is never closed, a price lies
// beyond the bound that keeps every exercise's arithmetic in range or there are more than
// maxRecords records.
std::vector<CatalogueRecord> parseCatalogue(const QString& text, const QString& path,
                                            int maxRecords = 500);

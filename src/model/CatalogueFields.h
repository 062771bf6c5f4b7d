#pragma once

#include "model/Currency.h"
#include "model/Money.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

// Reading a catalogue's records field by field, in the manner of delimited
// sequential input: names, prices, and what looks wrong on the way.

// The start of every report that refuses a file.
QString catalogueRefusal(const QString& path);

// A lire price as a euro catalogue would write it: a point or comma before one
// or two digits ("0.50", "12,5"), or a point before three ("1.200").
bool looksLikeEuro(QStringView price);

// A price as read: its value, and whether it was written as a number at all.
struct FieldPrice {
    Money value;
    bool number = true;
    QStringView written; // in the catalogue's text, without quotes
    int line = 0;
};

// Field-by-field reading of the text after the lines that are no records.
class CatalogueFields {
public:
    CatalogueFields(const QString& text, const QString& path, const Currency& currency,
                    QChar separator)
        : text(text), path(path), currency(currency), separator(separator) {}

    // A line that is no record (the currency, the column headings): skipped
    // whole, up to the end of the given line.
    void skipLine(qsizetype end, int number);

    QStringList warnings;

    // Blank lines and spaces between records are skipped; true when nothing is left.
    bool atEndOfRecords();

    void startRecord(int number);

    QString readText(const char* missing);

    FieldPrice readMoney(const char* missing);

    // A lire price that looked written in euro, or a line whose fields are not
    // three, may be why the file goes wrong: the likelier comes with the report.
    [[noreturn]] void fail(const QString& reason) const;

    // The lines whose fields are not three, nor six...: a field missing or over.
    QList<int> misalignedLines() const;

    QString fieldCountWarning(int number) const;

private:
    // A name, or a quoted price, from where its field starts.
    QString restOfText();

    // The field from where it starts, its quotes or surrounding spaces left out.
    QStringView restOfField();

    bool misaligned(int number) const;

    void countField();

    // In euro a comma may stand for the point, in quotes or in a file whose
    // fields are separated by semicolons. A string is made only for that comma:
    // the start reads every price.
    void readPrice(QStringView digits, bool quoted, FieldPrice* price);

    void warnOfEuro(QStringView digits, bool quoted, Money reading);

    void skipBlankLines();

    // Spaces before a field are skipped; after a line end, blank lines are too,
    // but right after a comma a line end closes an empty field.
    void startField(const char* missing);

    void consumeDelimiter();

    void countLine();

    // An optional sign, digits, then optionally a point and more digits; in lire
    // anything else reads as 0, in euro it is refused, as are a sign and more
    // decimals than cents. Scanned by hand: a regular expression here cost the
    // start half a megabyte of the expression library.
    Money parseAmount(QStringView view, QStringView written, bool* isNumber) const;

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

#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <initializer_list>

// Looking at a catalogue's lines as a teacher sees them, before and after
// reading its fields: which separator it uses, whether it starts with column
// headings, what a line holds.

// The first line that is not blank, when it is meant to name the currency: it
// begins with the word "valuta" and has no comma, so it cannot be a record.
struct CurrencyLine {
    bool present = false;
    QString written; // the whole line, trimmed
    QString name;    // after "valuta:"; empty when the line is not well formed
    int line = 1;
    qsizetype end = 0; // where the line ends in the text
};
CurrencyLine currencyLine(const QString& text);

// A CR or an LF: a line ends at either.
bool isLineEnd(QChar c);

// A line of the text and where it lies: `number` counts from 1, CR LF, LF and a
// lone CR each ending a line; `end` is where its line end begins.
struct TextLine {
    QStringView text;
    int number = 0;
    qsizetype end = 0;
};

// The first line from `from` on (which starts line `number`) that is not blank.
TextLine firstFilledLine(const QString& text, qsizetype from, int number);

// Line `number` of the text; empty past its end.
QStringView lineOf(const QString& text, int number);

// The fields of one line split at `separator`, outside double quotes, quotes
// and surrounding spaces removed.
QList<QStringView> fieldsOf(QStringView line, QChar separator);

// A spreadsheet saved in Italian separates fields with semicolons: one of the
// first lines (the first may hold the column headings) split at semicolons
// outside quotes has a name and two numbers ("gelato;1,50;2,50").
bool separatedBySemicolons(std::initializer_list<QStringView> firstLines);

// A first line that names the columns, such as "nome,acquisto,vendita": three
// fields whose two prices are words, with no digit.
bool looksLikeHeadings(QStringView firstLine, QChar separator);

// A field or a line as a report quotes it: cut short, for a garbled file may
// hold a "price" of megabytes.
QString shortened(QStringView text, qsizetype shown = 24);
// A whole line as a warning quotes it.
constexpr qsizetype ShownLine = 60;

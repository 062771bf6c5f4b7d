#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The text of a catalogue file as its editor meant it, and how it was written.
struct DecodedCatalogue {
    QString text; // without byte-order marks
    // In a file of both UTF-8 and Windows-1252 lines (an editor in UTF-8 adding
    // to an old file), the lines written the less common way, each read as it
    // is written; `otherEncoding` names that way. Empty for a file of one encoding.
    QList<int> otherLines;
    QString otherEncoding;
    QString mainEncoding;
};

// UTF-16 in either byte order when the file begins with its byte-order mark;
// else UTF-8 (with or without a mark) when the bytes are valid UTF-8; else
// Windows-1252 as older files are written, where each line that is valid
// UTF-8 with letters beyond ASCII is read as UTF-8. A DOS end mark (Ctrl-Z)
// at the end is dropped.
DecodedCatalogue decodeCatalogueText(const QByteArray& bytes);

// The text alone.
QString decodeCatalogue(const QByteArray& bytes);

// The warning for a file of two encodings, naming the lines; empty for one.
QString mixedEncodingWarning(const DecodedCatalogue& decoded);

// The first character that is no text (NUL and the other control characters
// but tab and line ends), as its line and code; line 0 when there is none.
struct NotText {
    int line = 0;
    int code = 0;
};
NotText firstNotText(const QString& text);

// "2, 5, 9" or, past `shown` of them, "2, 5, 9 e altre 4".
QString lineList(const QList<int>& lines, int shown = 10);

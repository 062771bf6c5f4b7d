#include "model/CatalogueEncoding.h"

#include <QStringDecoder>
#include <QStringList>
#include <optional>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F.
constexpr char16_t Windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendWindows1252(QByteArrayView bytes, QString* text) {
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text->append(byte >= 0x80 && byte < 0xA0 ? QChar(Windows1252High[byte - 0x80])
                                                 : QChar(byte));
    }
}

// UTF-8 when valid, else nothing.
std::optional<QString> asUtf8(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return std::nullopt;
    return text;
}

bool beyondAscii(QByteArrayView bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

// The length of the line starting at `from`, its end included: CR LF, LF or a
// lone CR, as the catalogue reader counts lines.
qsizetype lineLength(QByteArrayView bytes, qsizetype from) {
    qsizetype at = from;
    while (at < bytes.size() && bytes[at] != '\n' && bytes[at] != '\r')
        ++at;
    if (at < bytes.size() && bytes[at] == '\r')
        ++at;
    if (at < bytes.size() && bytes[at] == '\n')
        ++at;
    return at - from;
}

// Each line as it is written: UTF-8 where it is valid UTF-8 beyond ASCII,
// Windows-1252 where it is not.
DecodedCatalogue decodeLineByLine(QByteArrayView bytes) {
    DecodedCatalogue decoded;
    QList<int> utf8Lines, windowsLines;
    int line = 1;
    for (qsizetype at = 0; at < bytes.size(); ++line) {
        const QByteArrayView one = bytes.sliced(at, lineLength(bytes, at));
        at += one.size();
        if (!beyondAscii(one)) {
            decoded.text += QLatin1String(one);
        } else if (const std::optional<QString> text = asUtf8(one)) {
            decoded.text += *text;
            utf8Lines << line;
        } else {
            appendWindows1252(one, &decoded.text);
            windowsLines << line;
        }
    }
    // Lines of both kinds: the fewer are named. Windows-1252 alone is an old file.
    decoded.mainEncoding = QStringLiteral("Windows-1252");
    if (!utf8Lines.isEmpty()) {
        const bool fewerInUtf8 = utf8Lines.size() <= windowsLines.size();
        decoded.otherLines = fewerInUtf8 ? utf8Lines : windowsLines;
        decoded.otherEncoding =
            fewerInUtf8 ? QStringLiteral("UTF-8") : QStringLiteral("Windows-1252");
        if (!fewerInUtf8)
            decoded.mainEncoding = QStringLiteral("UTF-8");
    }
    return decoded;
}

} // namespace

DecodedCatalogue decodeCatalogueText(const QByteArray& bytes) {
    DecodedCatalogue decoded;
    const bool littleEndian = bytes.startsWith("\xFF\xFE");
    if (littleEndian || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(littleEndian ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                             QStringDecoder::Flag::Stateless);
        decoded.text = utf16.decode(bytes);
        decoded.mainEncoding = QStringLiteral("UTF-16");
    } else if (std::optional<QString> text = asUtf8(bytes)) {
        decoded.text = std::move(*text);
        decoded.mainEncoding = QStringLiteral("UTF-8");
    } else {
        // Accented letters in Windows-1252 are never valid UTF-8, so old files fall here.
        decoded = decodeLineByLine(bytes);
    }
    // Byte-order marks, one or several as some editors leave them, are no text.
    qsizetype marks = 0;
    while (marks < decoded.text.size() && decoded.text.at(marks) == QChar(0xFEFF))
        ++marks;
    decoded.text.remove(0, marks);
    // DOS ended a text file with Ctrl-Z: no content.
    while (decoded.text.endsWith(QChar(0x1A)))
        decoded.text.chop(1);
    return decoded;
}

QString decodeCatalogue(const QByteArray& bytes) {
    return decodeCatalogueText(bytes).text;
}

QString lineList(const QList<int>& lines, int shown) {
    QStringList numbers;
    for (int k = 0; k < lines.size() && k < shown; ++k)
        numbers << QString::number(lines.at(k));
    QString list = numbers.join(QStringLiteral(", "));
    if (lines.size() > shown)
        list += QStringLiteral(" e altre %1").arg(lines.size() - shown);
    return list;
}

QString mixedEncodingWarning(const DecodedCatalogue& decoded) {
    if (decoded.otherLines.isEmpty())
        return {};
    const bool one = decoded.otherLines.size() == 1;
    return QStringLiteral("%1 %2: %3 in %4, il resto del file in %5: ogni riga è letta come è "
                          "scritta, ma conviene salvare il file in una codifica sola.")
        .arg(one ? QStringLiteral("Riga") : QStringLiteral("Righe"), lineList(decoded.otherLines),
             one ? QStringLiteral("scritta") : QStringLiteral("scritte"), decoded.otherEncoding,
             decoded.mainEncoding);
}

NotText firstNotText(const QString& text) {
    int line = 1;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar c = text.at(at);
        if (c == u'\n' || (c == u'\r' && (at + 1 == text.size() || text.at(at + 1) != u'\n')))
            ++line;
        if (c == u'\n' || c == u'\r' || c == u'\t' || c.category() != QChar::Other_Control)
            continue;
        return {line, c.unicode()};
    }
    return {};
}

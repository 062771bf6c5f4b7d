#include "model/CatalogueLines.h"

namespace {

// Where the line starting at `from` ends, before its line end.
qsizetype endOfLine(const QString& text, qsizetype from) {
    while (from < text.size() && !isLineEnd(text.at(from)))
        ++from;
    return from;
}

// Past the line end at `at` (CR LF, LF or CR).
qsizetype pastLineEnd(const QString& text, qsizetype at) {
    if (at < text.size() && text.at(at) == u'\r')
        ++at;
    if (at < text.size() && text.at(at) == u'\n')
        ++at;
    return at;
}

} // namespace

bool isLineEnd(QChar c) {
    return c == u'\n' || c == u'\r';
}

CurrencyLine currencyLine(const QString& text) {
    CurrencyLine header;
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

TextLine firstFilledLine(const QString& text, qsizetype from, int number) {
    while (from < text.size()) {
        const qsizetype end = endOfLine(text, from);
        const QStringView line = QStringView(text).sliced(from, end - from);
        if (!line.trimmed().isEmpty())
            return {line, number, end};
        from = pastLineEnd(text, end);
        ++number;
    }
    return {{}, number, text.size()};
}

QStringView lineOf(const QString& text, int number) {
    qsizetype from = 0;
    for (int line = 1; line < number && from < text.size(); ++line)
        from = pastLineEnd(text, endOfLine(text, from));
    return QStringView(text).sliced(from, endOfLine(text, from) - from);
}

QList<QStringView> fieldsOf(QStringView line, QChar separator) {
    QList<QStringView> fields;
    bool quoted = false;
    qsizetype start = 0;
    auto take = [&](qsizetype end) {
        QStringView field = line.sliced(start, end - start).trimmed();
        if (field.size() >= 2 && field.startsWith(u'"') && field.endsWith(u'"'))
            field = field.sliced(1, field.size() - 2);
        fields << field;
    };
    for (qsizetype at = 0; at < line.size(); ++at) {
        if (line.at(at) == u'"') {
            quoted = !quoted;
        } else if (!quoted && line.at(at) == separator) {
            take(at);
            start = at + 1;
        }
    }
    take(line.size());
    return fields;
}

bool separatedBySemicolons(std::initializer_list<QStringView> firstLines) {
    auto number = [](QStringView field) {
        bool digit = false;
        for (QChar c : field) {
            if (!c.isDigit() && c != u'.' && c != u',' && c != u'-' && c != u'+')
                return false;
            digit = digit || c.isDigit();
        }
        return digit;
    };
    for (QStringView line : firstLines) {
        const QList<QStringView> fields = fieldsOf(line, u';');
        if (fields.size() >= 3 && number(fields.at(1)) && number(fields.at(2)))
            return true;
    }
    return false;
}

bool looksLikeHeadings(QStringView firstLine, QChar separator) {
    const QList<QStringView> fields = fieldsOf(firstLine, separator);
    if (fields.size() != 3)
        return false;
    for (qsizetype k = 1; k < 3; ++k) {
        bool letter = false;
        for (QChar c : fields.at(k)) {
            if (c.isDigit())
                return false;
            letter = letter || c.isLetter();
        }
        if (!letter)
            return false;
    }
    return true;
}

QString shortened(QStringView text, qsizetype shown) {
    return text.size() <= shown ? text.toString()
                                : text.left(shown).toString() + QStringLiteral("…");
}

#include "model/CatalogueLines.h"

namespace {

bool isLineEnd(QChar c) {
    return c == u'\n' || c == u'\r';
}

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

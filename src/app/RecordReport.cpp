#include "app/RecordReport.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>

namespace {

const QStringList Columns = {QStringLiteral("alunno"),       QStringLiteral("esercizio"),
                             QStringLiteral("risposte"),     QStringLiteral("esatte"),
                             QStringLiteral("errate"),       QStringLiteral("percentuale esatte"),
                             QStringLiteral("ultimo giorno")};

QString percentRight(int right, int answers) {
    const double percent = answers == 0 ? 0.0 : 100.0 * right / answers;
    return QLocale(QLocale::Italian).toString(percent, 'f', 1);
}

QStringList cells(const platform::ReportRow& row) {
    return {row.pupil,
            row.exercise,
            QString::number(row.answers),
            QString::number(row.right),
            QString::number(row.wrong()),
            percentRight(row.right, row.answers),
            row.lastDay.toString(QStringLiteral("dd/MM/yyyy"))};
}

// Numbers line up on the right, words on the left.
bool isNumberColumn(qsizetype column) {
    return column >= 2 && column <= 5;
}

QString csvField(const QString& field) {
    if (!field.contains(u';') && !field.contains(u'"') && !field.contains(u'\n'))
        return field;
    return u'"' + QString(field).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

} // namespace

QString reportText(const QList<platform::ReportRow>& rows) {
    QList<QStringList> table{Columns};
    for (const platform::ReportRow& row : rows)
        table << cells(row);
    QList<qsizetype> widths(Columns.size(), 0);
    for (const QStringList& line : table)
        for (qsizetype c = 0; c < line.size(); ++c)
            widths[c] = std::max(widths[c], line[c].size());
    QString text;
    for (const QStringList& line : table) {
        QStringList padded;
        for (qsizetype c = 0; c < line.size(); ++c)
            padded << (isNumberColumn(c) ? line[c].rightJustified(widths[c])
                                         : line[c].leftJustified(widths[c]));
        text += padded.join(QStringLiteral("  ")).trimmed() + u'\n';
    }
    if (rows.isEmpty())
        text += QStringLiteral("(nessuna risposta nel registro)\n");
    return text;
}

QByteArray reportCsv(const QList<platform::ReportRow>& rows) {
    QString text = Columns.join(u';') + QStringLiteral("\r\n");
    for (const platform::ReportRow& row : rows) {
        QStringList fields;
        for (const QString& cell : cells(row))
            fields << csvField(cell);
        text += fields.join(u';') + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QByteArray reportHtml(const QList<platform::ReportRow>& rows, const QString& title) {
    QString page =
        QStringLiteral(
            "<!DOCTYPE html>\n<html lang=\"it\">\n<head>\n<meta charset=\"utf-8\">\n"
            "<title>%1</title>\n<style>\n"
            "body { font-family: sans-serif; margin: 1.5cm; }\n"
            "section { break-inside: avoid; margin-bottom: 1.2em; }\n"
            ".barra { display: flex; width: 12cm; height: 0.5cm; border: 1px solid #000; "
            "print-color-adjust: exact; -webkit-print-color-adjust: exact; }\n"
            ".esatte { background: #2e7d32; } .errate { background: #c62828; }\n"
            "table { border-collapse: collapse; margin-top: 0.3em; }\n"
            "th, td { border: 1px solid #999; padding: 0.1em 0.5em; }\n"
            "td.n { text-align: right; }\n"
            "</style>\n</head>\n<body>\n<h1>%1</h1>\n")
            .arg(title.toHtmlEscaped());
    for (qsizetype first = 0; first < rows.size();) {
        qsizetype end = first;
        int answers = 0;
        int right = 0;
        for (; end < rows.size() && rows[end].pupil == rows[first].pupil; ++end) {
            answers += rows[end].answers;
            right += rows[end].right;
        }
        const QString percent = percentRight(right, answers);
        page += QStringLiteral("<section>\n<h2>%1</h2>\n"
                               "<div class=\"barra\" role=\"img\" aria-label=\"%2 esatte su %3\">"
                               "<div class=\"esatte\" style=\"width: %4%\"></div>"
                               "<div class=\"errate\" style=\"width: %5%\"></div></div>\n"
                               "<p>%2 esatte su %3 risposte (%6%)</p>\n<table>\n<tr>")
                    .arg(rows[first].pupil.toHtmlEscaped())
                    .arg(right)
                    .arg(answers)
                    .arg(answers ? 100.0 * right / answers : 0.0, 0, 'f', 1)
                    .arg(answers ? 100.0 * (answers - right) / answers : 0.0, 0, 'f', 1)
                    .arg(percent);
        for (const QString& column : Columns.mid(1))
            page += QStringLiteral("<th>%1</th>").arg(column);
        page += QStringLiteral("</tr>\n");
        for (qsizetype r = first; r < end; ++r) {
            const QStringList line = cells(rows[r]);
            page += QStringLiteral("<tr>");
            for (qsizetype c = 1; c < line.size(); ++c)
                page += QStringLiteral("<td%1>%2</td>")
                            .arg(isNumberColumn(c) ? QStringLiteral(" class=\"n\"") : QString(),
                                 line[c].toHtmlEscaped());
            page += QStringLiteral("</tr>\n");
        }
        page += QStringLiteral("</table>\n</section>\n");
        first = end;
    }
    if (rows.isEmpty())
        page += QStringLiteral("<p>Nessuna risposta nel registro.</p>\n");
    page += QStringLiteral("</body>\n</html>\n");
    return page.toUtf8();
}

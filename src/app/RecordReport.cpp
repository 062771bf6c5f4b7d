#include "app/RecordReport.h"

#include "platform/PupilName.h"

#include "model/Problem.h"
#include "shell/ScreenNames.h"

#include <QCollator>
#include <QLocale>
#include <QStringList>
#include <algorithm>

namespace {

const QStringList Columns = {QStringLiteral("alunno"),       QStringLiteral("esercizio"),
                             QStringLiteral("risposte"),     QStringLiteral("esatte"),
                             QStringLiteral("errate"),       QStringLiteral("percentuale esatte"),
                             QStringLiteral("ultimo giorno")};

// Names in the Italian order (accents beside their letters) on any system.
int italianCompare(const QString& a, const QString& b) {
    static const QCollator collator(QLocale(QLocale::Italian, QLocale::Italy));
    return collator.compare(a, b);
}

// A name as a column shows it: on one line whatever the record holds, and at
// most LongestShown characters.
constexpr qsizetype LongestShown = 30;
QString oneLine(const QString& name) {
    QString line = name;
    for (QChar& c : line)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line ||
            c.category() == QChar::Separator_Paragraph)
            c = u' ';
    return line.simplified();
}
QString shortName(const QString& name) {
    const QString line = oneLine(name);
    return line.size() <= LongestShown ? line : line.left(LongestShown - 1).trimmed() + u'…';
}

QString percentRight(int right, int answers) {
    const double percent = answers == 0 ? 0.0 : 100.0 * right / answers;
    return QLocale(QLocale::Italian).toString(percent, 'f', 1);
}

// The level reached is a column only when some answer had one.
bool withLevels(const QList<platform::ReportRow>& rows) {
    return std::any_of(rows.begin(), rows.end(), [](const auto& row) { return row.level; });
}

QStringList columnsOf(const QList<platform::ReportRow>& rows) {
    return withLevels(rows) ? Columns + QStringList{QStringLiteral("livello")} : Columns;
}

QStringList cells(const platform::ReportRow& row, bool levels) {
    QStringList line = {row.pupil,
                        row.exercise,
                        QString::number(row.answers),
                        QString::number(row.right),
                        QString::number(row.wrong()),
                        percentRight(row.right, row.answers),
                        row.lastDay.toString(QStringLiteral("dd/MM/yyyy"))};
    if (levels)
        line << (row.level ? QString::number(*row.level) : QString());
    return line;
}

// Numbers line up on the right, words on the left.
bool isNumberColumn(qsizetype column) {
    return (column >= 2 && column <= 5) || column == 7;
}

// Every field quoted, so that a spreadsheet's separators (comma, semicolon,
// tab) inside a name or a decimal keep it in one cell; a text that would be
// read as a formula gets an apostrophe in front.
QString csvField(const QString& field) {
    static const QString Formula = QStringLiteral("=+-@\t\r");
    QString text = field;
    if (!text.isEmpty() && Formula.contains(text.front()))
        text.prepend(u'\'');
    return u'"' + text.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// Where the menu shows the exercise; names it does not show come last.
int menuPlace(const QString& exercise) {
    static const QStringList Menu = [] {
        QStringList names;
        for (const ExerciseInfo& row : ExerciseTable)
            names << screenName(row.exercise);
        return names;
    }();
    const qsizetype place = Menu.indexOf(exercise);
    return place < 0 ? int(Menu.size()) : int(place);
}

// The grid's columns: the exercises answered, in the menu's order.
QStringList exercisesIn(const QList<platform::ReportRow>& rows) {
    QStringList exercises;
    for (const platform::ReportRow& row : rows)
        if (!exercises.contains(row.exercise))
            exercises << row.exercise;
    std::stable_sort(exercises.begin(), exercises.end(), [](const QString& a, const QString& b) {
        return menuPlace(a) < menuPlace(b);
    });
    return exercises;
}

// Pupils by name, each as the class list writes it, then their exercises
// in the menu's order: one grid line per pupil, one cell per exercise.
QString classGrid(const QList<platform::ReportRow>& rows) {
    const QStringList exercises = exercisesIn(rows);
    QString grid = QStringLiteral("<table class=\"griglia\">\n<tr><th>alunno</th>");
    for (qsizetype e = 0; e < exercises.size(); ++e)
        grid +=
            QStringLiteral("<th title=\"%1\">%2</th>").arg(exercises[e].toHtmlEscaped()).arg(e + 1);
    grid += QStringLiteral("</tr>\n");
    for (qsizetype first = 0; first < rows.size();) {
        QStringList cells(exercises.size());
        qsizetype end = first;
        for (; end < rows.size() && rows[end].pupil == rows[first].pupil; ++end)
            cells[exercises.indexOf(rows[end].exercise)] =
                percentRight(rows[end].right, rows[end].answers) + u'%';
        const QString& pupil = rows[first].pupil;
        grid += shortName(pupil) == oneLine(pupil)
                    ? QStringLiteral("<tr><td>%1</td>").arg(oneLine(pupil).toHtmlEscaped())
                    : QStringLiteral("<tr><td title=\"%1\">%2</td>")
                          .arg(oneLine(pupil).toHtmlEscaped(), shortName(pupil).toHtmlEscaped());
        for (const QString& cell : cells)
            grid += QStringLiteral("<td class=\"n\">%1</td>").arg(cell);
        grid += QStringLiteral("</tr>\n");
        first = end;
    }
    grid += QStringLiteral("</table>\n<ol class=\"legenda\">\n");
    for (const QString& exercise : exercises)
        grid += QStringLiteral("<li>%1</li>").arg(exercise.toHtmlEscaped());
    return grid + QStringLiteral("</ol>\n");
}

// For each pupil (pupilKey), the spelling of the name most answers were kept
// under; the first in order when two are even.
QHash<QString, QString> spellingsOf(const QHash<QString, int>& answersBySpelling) {
    QHash<QString, QString> chosen;
    for (auto it = answersBySpelling.cbegin(); it != answersBySpelling.cend(); ++it) {
        QString& kept = chosen[platform::pupilKey(it.key())];
        const int keptCount = answersBySpelling.value(kept, -1);
        if (kept.isEmpty() || it.value() > keptCount ||
            (it.value() == keptCount && it.key() < kept))
            kept = it.key();
    }
    return chosen;
}

} // namespace

void joinSpellings(QList<platform::WrongAnswer>* answers) {
    QHash<QString, int> counts;
    for (const platform::WrongAnswer& a : std::as_const(*answers))
        ++counts[a.pupil];
    const QHash<QString, QString> chosen = spellingsOf(counts);
    for (platform::WrongAnswer& a : *answers)
        a.pupil = chosen.value(platform::pupilKey(a.pupil));
    std::stable_sort(answers->begin(), answers->end(), [](const auto& a, const auto& b) {
        return a.pupil != b.pupil ? italianCompare(a.pupil, b.pupil) < 0 : a.day < b.day;
    });
}

void sortForReport(QList<platform::ReportRow>* rows) {
    // Spellings of one pupil's name are one pupil.
    QHash<QString, int> counts;
    for (const platform::ReportRow& row : std::as_const(*rows))
        counts[row.pupil] += row.answers;
    const QHash<QString, QString> chosen = spellingsOf(counts);
    for (platform::ReportRow& row : *rows)
        row.pupil = chosen.value(platform::pupilKey(row.pupil));
    // One line per pupil and exercise: by its number when the record has it,
    // else by its title, under the title the menu gives it now.
    const auto numberOf = [](const platform::ReportRow& row) {
        const int place = menuPlace(row.exercise);
        return row.exerciseNumber > 0  ? row.exerciseNumber
               : place < ExerciseCount ? ExerciseTable[place].number
                                       : 0;
    };
    QList<platform::ReportRow> merged;
    for (platform::ReportRow row : std::as_const(*rows)) {
        const int number = numberOf(row);
        if (number > 0)
            row.exerciseNumber = number;
        if (const auto exercise = exerciseNumbered(number))
            row.exercise = screenName(*exercise);
        const auto same = std::find_if(merged.begin(), merged.end(), [&](const auto& kept) {
            return kept.pupil == row.pupil &&
                   (number > 0 ? kept.exerciseNumber == number : kept.exercise == row.exercise);
        });
        if (same == merged.end()) {
            merged << row;
            continue;
        }
        same->answers += row.answers;
        same->right += row.right;
        same->lastDay = std::max(same->lastDay, row.lastDay);
        if (row.level && (!same->level || *row.level > *same->level))
            same->level = row.level;
    }
    *rows = merged;
    std::sort(rows->begin(), rows->end(), [](const auto& a, const auto& b) {
        const int byPupil = italianCompare(a.pupil, b.pupil);
        if (byPupil != 0)
            return byPupil < 0;
        const int placeA = menuPlace(a.exercise);
        const int placeB = menuPlace(b.exercise);
        return placeA != placeB ? placeA < placeB : italianCompare(a.exercise, b.exercise) < 0;
    });
}

QString wrongAnswersText(const QList<platform::WrongAnswer>& answers) {
    QString text;
    for (qsizetype i = 0; i < answers.size(); ++i) {
        const platform::WrongAnswer& a = answers[i];
        if (i == 0 || a.pupil != answers[i - 1].pupil)
            text += (i == 0 ? QString() : QStringLiteral("\n")) + oneLine(a.pupil) + u'\n';
        const QDate day = QDate::fromString(a.day.left(10), Qt::ISODate);
        text +=
            QStringLiteral("  %1  %2: %3\n    scritto %4, giusto %5\n")
                .arg(day.toString(QStringLiteral("dd/MM/yyyy")), a.exercise, a.problem, a.answer,
                     a.rightAnswer.isEmpty() ? QStringLiteral("(lasciato)") : a.rightAnswer);
    }
    return answers.isEmpty() ? QStringLiteral("(nessuna risposta sbagliata)\n") : text;
}

QString reportText(const QList<platform::ReportRow>& rows) {
    const QStringList columns = columnsOf(rows);
    QList<QStringList> table{columns};
    for (const platform::ReportRow& row : rows) {
        table << cells(row, withLevels(rows));
        table.last()[0] = shortName(row.pupil);
    }
    QList<qsizetype> widths(columns.size(), 0);
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
    QStringList header;
    for (const QString& column : columnsOf(rows))
        header << csvField(column);
    QString text = header.join(u';') + QStringLiteral("\r\n");
    for (const platform::ReportRow& row : rows) {
        QStringList fields;
        for (const QString& cell : cells(row, withLevels(rows)))
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
            "@page { size: A4; margin: 1.2cm; }\n"
            "body { font-family: sans-serif; margin: 1.2cm; }\n"
            "@media print { body { margin: 0; } }\n"
            ".griglia { font-size: 9pt; break-inside: avoid; }\n"
            ".griglia td, .griglia th { padding: 0.05em 0.4em; }\n"
            ".legenda { font-size: 8pt; columns: 2; margin: 0.3em 0 0 0; break-after: page; }\n"
            "section { break-inside: avoid; margin-bottom: 1.2em; }\n"
            ".barra { display: flex; width: 12cm; height: 0.5cm; border: 1px solid #000; "
            "print-color-adjust: exact; -webkit-print-color-adjust: exact; }\n"
            ".esatte { background: #2e7d32; } .errate { background: #c62828; }\n"
            "table { border-collapse: collapse; margin-top: 0.3em; }\n"
            "th, td { border: 1px solid #999; padding: 0.1em 0.5em; }\n"
            "td.n { text-align: right; }\n"
            "</style>\n</head>\n<body>\n<h1>%1</h1>\n")
            .arg(title.toHtmlEscaped());
    if (!rows.isEmpty())
        page += classGrid(rows);
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
                    .arg(oneLine(rows[first].pupil).toHtmlEscaped())
                    .arg(right)
                    .arg(answers)
                    .arg(answers ? 100.0 * right / answers : 0.0, 0, 'f', 1)
                    .arg(answers ? 100.0 * (answers - right) / answers : 0.0, 0, 'f', 1)
                    .arg(percent);
        for (const QString& column : columnsOf(rows).mid(1))
            page += QStringLiteral("<th>%1</th>").arg(column);
        page += QStringLiteral("</tr>\n");
        for (qsizetype r = first; r < end; ++r) {
            const QStringList line = cells(rows[r], withLevels(rows));
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

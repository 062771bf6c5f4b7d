#pragma once

#include "platform/RecordPluginInterface.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The teacher's report, one line per pupil and exercise, in three forms.
// Columns: alunno, esercizio, risposte, esatte, errate, percentuale esatte,
// ultimo giorno; dates as Italians write them (dd/mm/yyyy).

// By pupil, then the exercises in the menu's order. Spellings of a name that
// differ only in letter case and spaces are one pupil, under the spelling
// most answers were kept under.
void sortForReport(QList<platform::ReportRow>* rows);

// The same for the wrong answers: one name a pupil, by pupil, then as given.
void joinSpellings(QList<platform::WrongAnswer>* answers);

// Each pupil's wrong answers for the terminal: day, exercise, problem, what
// was written and the right answer.
QString wrongAnswersText(const QList<platform::WrongAnswer>& answers);

// Aligned columns for the terminal.
QString reportText(const QList<platform::ReportRow>& rows);
// For a spreadsheet: UTF-8 with a byte-order mark, semicolons, decimal
// commas, every field quoted, none read as a formula.
QByteArray reportCsv(const QList<platform::ReportRow>& rows);
// A printable page: first the class on one A4 page, pupils by exercises
// with the share of right answers; then for each pupil a bar of right and
// wrong answers and the pupil's lines.
QByteArray reportHtml(const QList<platform::ReportRow>& rows, const QString& title);

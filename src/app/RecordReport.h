#pragma once

#include "platform/RecordPlugin.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The teacher's report, one line per pupil and exercise, in three forms.
// Columns: alunno, esercizio, risposte, esatte, errate, percentuale esatte,
// ultimo giorno; dates as Italians write them (dd/mm/yyyy).

// Aligned columns for the terminal.
QString reportText(const QList<platform::ReportRow>& rows);
// For a spreadsheet: UTF-8 with a byte-order mark, semicolons, decimal commas.
QByteArray reportCsv(const QList<platform::ReportRow>& rows);
// A printable page: for each pupil a bar of right and wrong answers, then
// the pupil's lines.
QByteArray reportHtml(const QList<platform::ReportRow>& rows, const QString& title);

#pragma once

#include "platform/RecordPluginInterface.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

// An answer on its way, with the id that keeps it once in the record and its
// place among this PC's answers (0 until the queue numbers it).
struct QueuedAnswer {
    QString id;
    platform::RecordedAnswer answer;
    qint64 order = 0;
};

// The record's table on either kind of database, reached by SQL whose values
// are always bound.
namespace record {

// A postgresql:// (or postgres://) URI names a server; anything else a SQLite file.
bool isServer(const QString& destination);

// Opens the connection `name` of the calling thread. A SQLite file is made,
// with its table, only when `create` is set, writable by every account that
// may write to its folder; opened only to read, a file without the record's
// table is told as not a record; a server's table is made when
// the role connected owns the database. False, with `problem` in Italian, when
// it cannot be had.
// `error`, when given, gets the database's own error.
bool openDatabase(const QString& destination, const QString& name, bool create, QString* problem,
                  QSqlError* error = nullptr);

// Closes the connection `name` and forgets it.
void closeDatabase(const QString& name);

// Which of the columns added after the first records (numero, livello,
// ordine, arrivo) the table has.
QStringList laterColumnsIn(QSqlDatabase db);

// The statement that adds one answer, prepared once for many, with the
// later columns the table has (read once, when the connection opens).
QSqlQuery insertStatement(QSqlDatabase db, const QStringList& later);

// Adds one answer with the statement of insertStatement(), needing no right
// but INSERT; an id already there is left as it is, so that an answer
// delivered twice is kept once.
// `refused`, when given, tells whether the database refused the answer for
// what it holds (too long, not valid), which no later try would change.
bool insertAnswer(QSqlQuery& insert, const QueuedAnswer& queued, QString* problem,
                  bool* refused = nullptr);

// What a failed statement or connection says, in one line.
QString failure(const QSqlDatabase& db, const QString& what);

} // namespace record

#pragma once

#include "platform/RecordPlugin.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

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
bool openDatabase(const QString& destination, const QString& name, bool create, QString* problem);

// Closes the connection `name` and forgets it.
void closeDatabase(const QString& name);

// The statement that adds one answer, prepared once for many.
QSqlQuery insertStatement(QSqlDatabase db);

// Adds one answer with the statement of insertStatement(), needing no right
// but INSERT; an id already there is left as it is, so that an answer
// delivered twice is kept once.
bool insertAnswer(QSqlQuery& insert, const QString& id, const platform::RecordedAnswer& answer,
                  QString* problem);

// What a failed statement or connection says, in one line.
QString failure(const QSqlDatabase& db, const QString& what);

} // namespace record

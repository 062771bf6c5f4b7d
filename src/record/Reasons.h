#pragma once

#include <QSqlError>
#include <QString>

namespace record {

// What a database's error means, in a few Italian words a teacher
// understands ("password rifiutata", "disco pieno"), then, on a line of its
// own, the database's own text for the technician. Qt's and libpq's English
// never comes first.
QString errorText(const QSqlError& error);

// A message of the shared record's helper: with the Italian words first
// when its cause is known.
QString explainedText(const QString& text);

// The Italian words of a message built on errorText(), for the screen;
// empty when none is known.
QString reasonIn(const QString& problem);

} // namespace record

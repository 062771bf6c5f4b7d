#pragma once

// The record's table in a SQLite file, as plain text: the record plugin and
// the helper that adds pupils' answers to the PC's shared record (which links
// no Qt) make the same table.
namespace record::schema {

inline constexpr const char* SqliteTable =
    "CREATE TABLE IF NOT EXISTS risposte (id TEXT PRIMARY KEY, quando TEXT NOT NULL, "
    "giorno TEXT NOT NULL, alunno TEXT NOT NULL, computer TEXT NOT NULL, "
    "esercizio TEXT NOT NULL, problema TEXT NOT NULL, risposta TEXT NOT NULL, "
    "esatta INTEGER NOT NULL, secondi REAL NOT NULL, numero INTEGER, livello INTEGER, "
    "ordine INTEGER, arrivo TEXT)";

// When an answer reaches a SQLite record, by the clock of the PC that writes
// it (a server keeps its own with the column's default): SQLite takes no
// such default in a column added later, so the insert gives it.
inline constexpr const char* ArrivalNow = "strftime('%Y-%m-%dT%H:%M:%fZ','now')";

// The report reads the index alone, in its order, whatever the size.
inline constexpr const char* PupilIndex = "CREATE INDEX IF NOT EXISTS risposte_riepilogo ON "
                                          "risposte (alunno, esercizio, giorno, esatta)";

// --errori finds each wrong answer's next right one through the index, not
// by reading the table once for each.
inline constexpr const char* ProblemIndex =
    "CREATE INDEX IF NOT EXISTS risposte_problema ON risposte (alunno, problema, esercizio)";

} // namespace record::schema

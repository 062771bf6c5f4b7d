#pragma once

// The record's table in a SQLite file, as plain text: the record plugin and
// the helper that adds pupils' answers to the PC's shared record (which links
// no Qt) make the same table.
namespace record::schema {

inline constexpr const char* SqliteTable =
    "CREATE TABLE IF NOT EXISTS risposte (id TEXT PRIMARY KEY, quando TEXT NOT NULL, "
    "giorno TEXT NOT NULL, alunno TEXT NOT NULL, computer TEXT NOT NULL, "
    "esercizio TEXT NOT NULL, problema TEXT NOT NULL, risposta TEXT NOT NULL, "
    "esatta INTEGER NOT NULL, secondi REAL NOT NULL, numero INTEGER, livello INTEGER)";

// The report reads the index alone, in its order, whatever the size.
inline constexpr const char* PupilIndex = "CREATE INDEX IF NOT EXISTS risposte_riepilogo ON "
                                          "risposte (alunno, esercizio, giorno, esatta)";

} // namespace record::schema

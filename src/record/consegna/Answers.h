#pragma once

#include <array>
#include <cstddef>
#include <string>

// The lines the record plugin writes to the helper: one answer a line, its
// thirteen fields in the table's order (twelve from an older program, no order) separated by tabs,
// with a backslash, tab, newline or carriage return inside a field written \\, \t, \n, \r.
namespace consegna {

inline constexpr std::size_t FieldCount = 13;
inline constexpr const char* Columns[FieldCount] = {
    "id",       "quando", "giorno",  "alunno", "computer", "esercizio", "problema",
    "risposta", "esatta", "secondi", "numero", "livello",  "ordine"};

struct Answer {
    std::array<std::string, FieldCount> fields;
};

// Reads one line (without its newline) into `answer`. Empty when it is an
// answer the record may keep; else, in Italian, why not.
std::string readAnswer(const std::string& line, Answer* answer);

} // namespace consegna

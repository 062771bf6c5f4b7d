#include "record/consegna/Answers.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace consegna {

namespace {

// Longest a field may be, in characters, beside the fixed forms checked below.
constexpr std::size_t LongestName = 60;
constexpr std::size_t LongestComputer = 255;
constexpr std::size_t LongestExercise = 200;
constexpr std::size_t LongestProblem = 2000;
constexpr std::size_t LongestAnswer = 1000;

// The number of characters of well-formed UTF-8 with no control character
// (C0, DEL or C1); -1 for anything else.
long printableLength(const std::string& text) {
    long count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        const auto byte = static_cast<unsigned char>(text[i]);
        unsigned code = 0;
        std::size_t length = 0;
        if (byte < 0x80) {
            code = byte;
            length = 1;
        } else if ((byte & 0xe0) == 0xc0) {
            code = byte & 0x1f;
            length = 2;
        } else if ((byte & 0xf0) == 0xe0) {
            code = byte & 0x0f;
            length = 3;
        } else if ((byte & 0xf8) == 0xf0) {
            code = byte & 0x07;
            length = 4;
        } else {
            return -1;
        }
        if (i + length > text.size())
            return -1;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xc0) != 0x80)
                return -1;
            code = (code << 6) | (next & 0x3f);
        }
        static constexpr unsigned Least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < Least[length] || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff) ||
            code < 0x20 || (code >= 0x7f && code < 0xa0))
            return -1;
        i += length;
    }
    return count;
}

bool digitsAt(const std::string& text, std::size_t from, std::size_t count) {
    for (std::size_t i = from; i < from + count; ++i)
        if (i >= text.size() || text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

bool isDay(const std::string& text) {
    return text.size() == 10 && digitsAt(text, 0, 4) && text[4] == '-' && digitsAt(text, 5, 2) &&
           text[7] == '-' && digitsAt(text, 8, 2);
}

bool isId(const std::string& text) {
    if (text.size() != 36)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? c != '-' : !((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

// An ISO 8601 time of that day: digits and the signs a time with its offset has.
bool isTime(const std::string& text, const std::string& day) {
    if (text.size() > 40 || text.compare(0, 10, day) != 0 || text.size() < 16 || text[10] != 'T')
        return false;
    for (char c : text.substr(11))
        if (!((c >= '0' && c <= '9') || c == ':' || c == '.' || c == '+' || c == '-' || c == 'Z'))
            return false;
    return true;
}

// Empty, or a whole number from `least` to `most`.
bool isSmallNumber(const std::string& text, long least, long most) {
    if (text.empty())
        return true;
    if (text.size() > 3 || !digitsAt(text, 0, text.size()))
        return false;
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return value >= least && value <= most;
}

bool isSeconds(const std::string& text) {
    if (text.empty() || text.size() > 32)
        return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-'))
            return false;
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    return errno == 0 && *end == '\0' && std::isfinite(value) && value >= 0 && value <= 1e7;
}

bool unescape(const std::string& raw, std::string* field) {
    field->clear();
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            *field += raw[i];
            continue;
        }
        if (++i == raw.size())
            return false;
        switch (raw[i]) {
        case '\\':
            *field += '\\';
            break;
        case 't':
            *field += '\t';
            break;
        case 'n':
            *field += '\n';
            break;
        case 'r':
            *field += '\r';
            break;
        default:
            return false;
        }
    }
    return true;
}

bool textWithin(const std::string& text, std::size_t least, std::size_t most) {
    const long length = printableLength(text);
    return length >= long(least) && length <= long(most);
}

} // namespace

std::string readAnswer(const std::string& line, Answer* answer) {
    std::size_t field = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        if (field == FieldCount)
            return "più campi dei tredici di una risposta";
        if (!unescape(line.substr(start, tab == std::string::npos ? tab : tab - start),
                      &answer->fields[field++]))
            return "una barra rovescia fuori posto";
        if (tab == std::string::npos)
            break;
        start = tab + 1;
    }
    // The program of the version before, still running as the package is
    // upgraded, sends no order.
    if (field < FieldCount - 1)
        return "meno campi dei tredici di una risposta";
    const auto& f = answer->fields;
    if (!isId(f[0]))
        return "un identificativo non valido";
    if (!isDay(f[2]) || !isTime(f[1], f[2]))
        return "un giorno o un'ora non validi";
    if (!textWithin(f[3], 0, LongestName))
        return "un nome di più di 60 caratteri o con caratteri di controllo";
    if (!textWithin(f[4], 0, LongestComputer) || !textWithin(f[5], 1, LongestExercise) ||
        !textWithin(f[6], 0, LongestProblem) || !textWithin(f[7], 0, LongestAnswer))
        return "un testo troppo lungo o con caratteri di controllo";
    if (f[8] != "0" && f[8] != "1")
        return "un esito che non è 0 o 1";
    if (!isSeconds(f[9]))
        return "un tempo di risposta non valido";
    if (!isSmallNumber(f[10], 1, 99) || !isSmallNumber(f[11], 0, 99))
        return "un numero di esercizio o un livello non validi";
    if (!f[12].empty() && (f[12].size() > 18 || !digitsAt(f[12], 0, f[12].size())))
        return "un ordine delle risposte non valido";
    return {};
}

} // namespace consegna

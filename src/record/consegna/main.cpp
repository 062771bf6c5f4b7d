// mercanzola-consegna: adds answers to the PC's shared record, and does
// nothing else. Installed setgid to the record's group, so that a pupil's
// account, which may neither read nor change the record, can still add its
// answers: it takes them on standard input (the lines of Answers.h), checks
// each, adds the sound ones with INSERT OR IGNORE (an answer already there is
// left as it is) and writes one line an answer: "ok", or "rifiutata: why".
// Exit 0 when every line has its reply; 1, with one line on standard error
// and nothing added, when the record cannot take them now; 2 on misuse.
//
// It trusts nothing of its caller: the environment is emptied before anything
// else (SQLite would read TMPDIR), the record's path is built in, no argument
// is taken, the input is bounded, and nothing is read back from the record.

#include "record/Schema.h"
#include "record/consegna/Answers.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// Setgid, the helper cannot be traced, so the leak check's stop of the world
// fails: the sanitizer build checks it for everything but leaks.
extern "C" const char* __lsan_default_options() {
    return "detect_leaks=0";
}
#endif

namespace {

constexpr const char* Record = MERCANZOLA_SHARED_RECORD;
// The plugin sends at most 500 at a time; a line is far shorter than this.
constexpr std::size_t MostAnswers = 500;
constexpr std::size_t LongestLine = 16 * 1024;

int fail(const std::string& why) {
    std::fprintf(stderr, "mercanzola-consegna: %s\n", why.c_str());
    return 1;
}

// Descriptors 0 to 2 open, so that nothing opened here takes their place;
// nothing else inherited.
void tidyDescriptors() {
    for (int fd = 0; fd <= 2; ++fd)
        if (fcntl(fd, F_GETFD) == -1 && open("/dev/null", O_RDWR) != fd)
            std::_Exit(2);
    close_range(3, ~0U, 0);
}

// One line of standard input, at most LongestLine bytes; `whole` is false when
// it was longer (the rest is skipped). False at the end of the input.
bool readLine(std::string* line, bool* whole) {
    line->clear();
    *whole = true;
    int c = 0;
    while ((c = std::getchar()) != EOF && c != '\n') {
        if (line->size() < LongestLine)
            *line += char(c);
        else
            *whole = false;
    }
    return c != EOF || !line->empty();
}

bool run(sqlite3* db, const char* statement) {
    return sqlite3_exec(db, statement, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool hasColumn(sqlite3* db, const char* column) {
    sqlite3_stmt* query = nullptr;
    bool found = false;
    if (sqlite3_prepare_v2(db, "SELECT 1 FROM pragma_table_info('risposte') WHERE name = ?", -1,
                           &query, nullptr) == SQLITE_OK &&
        sqlite3_bind_text(query, 1, column, -1, SQLITE_STATIC) == SQLITE_OK)
        found = sqlite3_step(query) == SQLITE_ROW;
    sqlite3_finalize(query);
    return found;
}

// The table, its index and the columns added later, as the plugin makes them:
// the package prepares an empty file.
bool prepareTable(sqlite3* db) {
    if (!run(db, record::schema::SqliteTable))
        return false;
    for (const char* column :
         {"numero INTEGER", "livello INTEGER", "ordine INTEGER", "arrivo TEXT"})
        if (const std::string name(column, std::strchr(column, ' '));
            !hasColumn(db, name.c_str()) &&
            !run(db, (std::string("ALTER TABLE risposte ADD COLUMN ") + column).c_str()))
            return false;
    return run(db, record::schema::PupilIndex) && run(db, record::schema::ProblemIndex);
}

bool bindField(sqlite3_stmt* insert, int place, std::size_t field, const std::string& text) {
    if (text.empty() && (field == 10 || field == 11 || field == 12))
        return sqlite3_bind_null(insert, place) == SQLITE_OK;
    if (field == 12)
        return sqlite3_bind_int64(insert, place, std::strtoll(text.c_str(), nullptr, 10)) ==
               SQLITE_OK;
    if (field == 8 || field == 10 || field == 11)
        return sqlite3_bind_int(insert, place, std::atoi(text.c_str())) == SQLITE_OK;
    if (field == 9)
        return sqlite3_bind_double(insert, place, std::strtod(text.c_str(), nullptr)) == SQLITE_OK;
    return sqlite3_bind_text(insert, place, text.data(), int(text.size()), SQLITE_TRANSIENT) ==
           SQLITE_OK;
}

// Every sound answer in one transaction: all of them, or none.
std::string addAll(sqlite3* db, const std::vector<consegna::Answer>& answers) {
    if (!prepareTable(db))
        return sqlite3_errmsg(db);
    std::string columns;
    std::string places;
    for (const char* column : consegna::Columns) {
        columns += std::string(columns.empty() ? "" : ",") + column;
        places += places.empty() ? "?" : ",?";
    }
    const std::string statement = "INSERT OR IGNORE INTO risposte (" + columns +
                                  ",arrivo) VALUES (" + places + "," + record::schema::ArrivalNow +
                                  ")";
    sqlite3_stmt* insert = nullptr;
    std::string problem;
    if (sqlite3_prepare_v2(db, statement.c_str(), -1, &insert, nullptr) != SQLITE_OK)
        return sqlite3_errmsg(db);
    for (const consegna::Answer& answer : answers) {
        sqlite3_reset(insert);
        for (std::size_t field = 0; field < consegna::FieldCount; ++field)
            if (!bindField(insert, int(field) + 1, field, answer.fields[field]))
                problem = sqlite3_errmsg(db);
        if (problem.empty() && sqlite3_step(insert) != SQLITE_DONE)
            problem = sqlite3_errmsg(db);
        if (!problem.empty())
            break;
    }
    sqlite3_finalize(insert);
    if (problem.empty() && !run(db, "COMMIT"))
        problem = sqlite3_errmsg(db);
    return problem;
}

std::string deliver(const std::vector<consegna::Answer>& answers) {
    sqlite3* db = nullptr;
    // Not made here: the package makes the file, with its owner and mode.
    if (sqlite3_open_v2(Record, &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOFOLLOW, nullptr) !=
        SQLITE_OK) {
        const std::string problem = db ? sqlite3_errmsg(db) : "memoria esaurita";
        sqlite3_close(db);
        return problem;
    }
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_busy_timeout(db, 10000);
    // As the plugin keeps the file: nothing of an erased answer left behind,
    // a journal emptied but never removed, every commit on the disk.
    std::string problem;
    if (!run(db, "PRAGMA temp_store=MEMORY") || !run(db, "PRAGMA secure_delete=ON") ||
        !run(db, "PRAGMA journal_mode=TRUNCATE") || !run(db, "PRAGMA synchronous=FULL") ||
        !run(db, "BEGIN IMMEDIATE"))
        problem = sqlite3_errmsg(db);
    else if (problem = addAll(db, answers); !problem.empty())
        run(db, "ROLLBACK");
    sqlite3_close(db);
    return problem;
}

} // namespace

int main(int argc, char**) {
    clearenv();
    umask(007);
    tidyDescriptors();
    if (argc > 1) {
        std::fputs("uso: mercanzola-consegna < RISPOSTE (la usa la mercanzola stessa)\n", stderr);
        return 2;
    }
    std::vector<std::string> replies;
    std::vector<consegna::Answer> sound;
    std::string line;
    bool whole = true;
    bool tooMany = false;
    // Read to the end whatever comes, so that the program writing never
    // finds the pipe shut.
    while (readLine(&line, &whole)) {
        if (replies.size() == MostAnswers) {
            tooMany = true;
            continue;
        }
        consegna::Answer answer;
        const std::string why =
            whole ? consegna::readAnswer(line, &answer) : std::string("una risposta troppo lunga");
        replies.push_back(why.empty() ? "ok" : "rifiutata: " + why);
        if (why.empty())
            sound.push_back(std::move(answer));
    }
    if (tooMany)
        return fail("più di 500 risposte in una volta");
    if (!sound.empty())
        if (const std::string problem = deliver(sound); !problem.empty())
            return fail(std::string("il registro ") + Record +
                        " non prende le risposte: " + problem);
    for (const std::string& reply : replies)
        std::printf("%s\n", reply.c_str());
    return std::fflush(stdout) == 0 ? 0 : 1;
}

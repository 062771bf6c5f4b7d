#include "record/Reasons.h"

#include <QRegularExpression>
#include <array>

namespace record {

namespace {

// One cause: the server's SQLSTATE classes or codes, SQLite's primary result
// codes, and what libpq says where no code comes (a connection not made).
struct Reason {
    const char* words;
    std::initializer_list<const char*> states;
    std::initializer_list<int> sqlite;
    const char* text;
};

// First match wins: the more precise causes go first.
const std::array<Reason, 20>& reasons() {
    static const std::array<Reason, 20> all{{
        {"password rifiutata o mancante", {"28P01"}, {}, "password|fe_sendauth"},
        {"il server non accetta questo utente da questo computer",
         {"28000"},
         {},
         "pg_hba\\.conf|role \".*\" does not exist"},
        {"il database non esiste sul server", {"3D000"}, {}, "database \".*\" does not exist"},
        {"troppe connessioni al server",
         {"53300"},
         {},
         "too many connections|connection slots|too many clients"},
        {"il server si sta avviando o spegnendo",
         {"57P03"},
         {},
         "starting up|shutting down|in recovery"},
        {"nome del server sconosciuto", {}, {}, "could not translate host name|name or service"},
        {"disco pieno", {"53100"}, {13}, "no space left|disk is full|disk quota|quota exceeded"},
        {"memoria esaurita", {"53200"}, {7}, "out of memory"},
        {"tempo scaduto", {"57014"}, {}, "statement timeout|canceling statement"},
        {"server spento o irraggiungibile",
         {"08", "57P01", "57P02"},
         {},
         "connection refused|could not connect|timeout expired|no route to host|network is "
         "unreachable|"
         "server closed the connection|no connection to the server|terminating connection|"
         "connection to server .* failed|connection timed out|broken pipe|reset by peer"},
        {"connessione cifrata non riuscita", {}, {}, "\\bssl\\b"},
        {"registro in sola lettura", {"25006"}, {8}, "read-only|readonly"},
        {"permesso negato", {"42501"}, {3, 23}, "permission denied|must be owner|not authorized"},
        {"registro occupato da un altro programma, riprovare",
         {"55P03", "40001", "40P01"},
         {5, 6},
         "database is locked|deadlock|could not serialize"},
        {"il file non è un database", {}, {26}, "not a database"},
        {"file del registro rovinato", {"XX001", "XX002"}, {11}, "malformed|corrupt"},
        {"il file del registro non si apre", {}, {14}, "unable to open database"},
        {"errore di lettura o scrittura sul disco", {"58030"}, {10}, "i/o error"},
        {"la tabella del registro manca o è diversa",
         {"42P01", "42703"},
         {},
         "no such table|no such column|relation .* does not exist|column .* does not exist"},
        {"risposta rifiutata per il suo contenuto",
         {"22", "23", "54"},
         {18, 19, 20},
         "value too long|too big|constraint|invalid input|exceeds"},
    }};
    return all;
}

bool matches(const Reason& reason, const QString& code, bool server, const QString& text) {
    if (server && !code.isEmpty())
        for (const char* state : reason.states)
            if (code.startsWith(QLatin1String(state)))
                return true;
    if (!server && !code.isEmpty())
        for (const int primary : reason.sqlite)
            if ((code.toInt() & 0xff) == primary)
                return true;
    return QRegularExpression(QLatin1String(reason.text), QRegularExpression::CaseInsensitiveOption)
        .match(text)
        .hasMatch();
}

} // namespace

QString errorText(const QSqlError& error) {
    const QString text = error.text().simplified();
    // The server's codes are five characters, SQLite's numbers.
    const QString code = error.nativeErrorCode();
    bool number = false;
    code.toInt(&number);
    QString words = QStringLiteral("errore del database");
    for (const Reason& reason : reasons())
        if (matches(reason, code, !number, text)) {
            words = QString::fromUtf8(reason.words);
            break;
        }
    return text.isEmpty() ? words : words + QStringLiteral("\n  ") + text;
}

QString explainedText(const QString& text) {
    const QString explained = errorText(QSqlError(QString(), text));
    return explained.startsWith(QLatin1String("errore del database")) ? text : explained;
}

QString reasonIn(const QString& problem) {
    const QString first = problem.section(u'\n', 0, 0);
    for (const Reason& reason : reasons())
        if (first.contains(QString::fromUtf8(reason.words)))
            return QString::fromUtf8(reason.words);
    return {};
}

} // namespace record

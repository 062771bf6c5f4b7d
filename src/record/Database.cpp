#include "record/Database.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>

namespace record {

namespace {

const QString SqliteTable = QStringLiteral(
    "CREATE TABLE IF NOT EXISTS risposte (id TEXT PRIMARY KEY, quando TEXT NOT NULL, "
    "giorno TEXT NOT NULL, alunno TEXT NOT NULL, computer TEXT NOT NULL, "
    "esercizio TEXT NOT NULL, problema TEXT NOT NULL, risposta TEXT NOT NULL, "
    "esatta INTEGER NOT NULL, secondi REAL NOT NULL)");
const QString ServerTable = QStringLiteral(
    "CREATE TABLE IF NOT EXISTS risposte (id uuid PRIMARY KEY, quando timestamptz NOT NULL, "
    "giorno date NOT NULL, alunno text NOT NULL, computer text NOT NULL, "
    "esercizio text NOT NULL, problema text NOT NULL, risposta text NOT NULL, "
    "esatta boolean NOT NULL, secondi real NOT NULL)");
const QString PupilIndex =
    QStringLiteral("CREATE INDEX IF NOT EXISTS risposte_alunno ON risposte (alunno, giorno)");

bool run(QSqlDatabase db, const QString& statement, QString* problem) {
    QSqlQuery query(db);
    if (query.exec(statement))
        return true;
    *problem = query.lastError().text().simplified();
    return false;
}

// Host, port, database and user as Qt takes them; every other parameter of the
// URI goes to libpq as it is. The password is never taken from the URI, which
// anyone may read on the command line: libpq finds it in ~/.pgpass or the
// service file.
bool configureServer(QSqlDatabase& db, const QString& uri, QString* problem) {
    const QUrl url(uri, QUrl::StrictMode);
    if (!url.isValid()) {
        *problem = QStringLiteral("indirizzo del server non valido: %1").arg(url.errorString());
        return false;
    }
    const QString noPassword = QStringLiteral(
        "la password non va scritta nell'indirizzo: mettila in ~/.pgpass o nel file dei servizi");
    if (!url.password().isEmpty()) {
        *problem = noPassword;
        return false;
    }
    db.setHostName(url.host());
    db.setPort(url.port());
    db.setDatabaseName(url.path().mid(1));
    db.setUserName(url.userName());
    QStringList options{QStringLiteral("connect_timeout=5"),
                        QStringLiteral("application_name=mercanzola")};
    for (const auto& [key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
        if (key == u"password") {
            *problem = noPassword;
            return false;
        }
        if (key == u"host")
            db.setHostName(value);
        else if (key == u"port")
            db.setPort(value.toInt());
        else if (key == u"dbname")
            db.setDatabaseName(value);
        else if (key == u"user")
            db.setUserName(value);
        else
            options << key + u'=' + value;
    }
    db.setConnectOptions(options.join(u';'));
    return true;
}

bool ownsDatabase(QSqlDatabase db) {
    QSqlQuery query(db);
    return query.exec(
               QStringLiteral("SELECT pg_catalog.pg_get_userbyid(datdba) = current_user "
                              "FROM pg_catalog.pg_database WHERE datname = current_database()")) &&
           query.next() && query.value(0).toBool();
}

} // namespace

bool isServer(const QString& destination) {
    return destination.startsWith(QStringLiteral("postgresql://")) ||
           destination.startsWith(QStringLiteral("postgres://"));
}

QString failure(const QSqlDatabase& db, const QString& what) {
    return QStringLiteral("%1: %2").arg(what, db.lastError().text().simplified());
}

bool openDatabase(const QString& destination, const QString& name, bool create, QString* problem) {
    const bool server = isServer(destination);
    QSqlDatabase db = QSqlDatabase::contains(name)
                          ? QSqlDatabase::database(name, false)
                          : QSqlDatabase::addDatabase(
                                server ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), name);
    if (!db.isValid()) {
        *problem = QStringLiteral("manca il driver SQL di Qt per %1")
                       .arg(server ? QStringLiteral("PostgreSQL") : QStringLiteral("SQLite"));
        return false;
    }
    if (server) {
        if (!configureServer(db, destination, problem))
            return false;
    } else {
        if (!create && !QFileInfo(destination).isFile()) {
            *problem = QStringLiteral("il registro %1 non esiste").arg(destination);
            return false;
        }
        db.setDatabaseName(destination);
        // Two PCs writing to one file on a shared folder wait for each other.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    }
    if (!db.open()) {
        *problem = failure(db, QStringLiteral("non si apre il registro %1").arg(destination));
        return false;
    }
    if (!server && create) {
        // Every answer on the disk before the next one is asked.
        QString ignored;
        run(db, QStringLiteral("PRAGMA synchronous=FULL"), &ignored);
    }
    if (create && (!server || ownsDatabase(db))) {
        if (!run(db, server ? ServerTable : SqliteTable, problem) ||
            !run(db, PupilIndex, problem)) {
            *problem = QStringLiteral("non si crea la tabella del registro: %1").arg(*problem);
            db.close();
            return false;
        }
    }
    return true;
}

void closeDatabase(const QString& name) {
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

bool insertAnswer(QSqlDatabase db, const QString& id, const platform::RecordedAnswer& answer,
                  QString* problem) {
    if (!db.transaction()) {
        *problem = failure(db, QStringLiteral("transazione rifiutata"));
        return false;
    }
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "INSERT INTO risposte (id, quando, giorno, alunno, computer, esercizio, problema, "
        "risposta, esatta, secondi) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
        "ON CONFLICT (id) DO NOTHING"));
    for (const QVariant& value :
         {QVariant(id), QVariant(answer.when), QVariant(answer.day), QVariant(answer.pupil),
          QVariant(answer.computer), QVariant(answer.exercise), QVariant(answer.problem),
          QVariant(answer.answer), QVariant(answer.right), QVariant(answer.seconds)})
        query.addBindValue(value);
    if (!query.exec()) {
        *problem = query.lastError().text().simplified();
        db.rollback();
        return false;
    }
    if (!db.commit()) {
        *problem = failure(db, QStringLiteral("risposta non registrata"));
        db.rollback();
        return false;
    }
    return true;
}

} // namespace record

#include "record/Database.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
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
// The report reads the index alone, in its order, whatever the size.
const QString PupilIndex = QStringLiteral("CREATE INDEX IF NOT EXISTS risposte_riepilogo ON "
                                          "risposte (alunno, esercizio, giorno, esatta)");

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
    // Short waits: a server that is off or silent must not hold the answers back.
    QStringList options{QStringLiteral("connect_timeout=3"),
                        QStringLiteral("tcp_user_timeout=5000"),
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

// A record made in a folder other accounts write to (the PC's shared one)
// gets the folder's write permissions, so that every pupil account can add to it.
void shareLikeFolder(const QString& file) {
    const QFile::Permissions folder = QFileInfo(QFileInfo(file).absolutePath()).permissions();
    QFile::Permissions mode =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    if (folder & QFile::WriteGroup)
        mode |= QFile::WriteGroup;
    if (folder & QFile::WriteOther)
        mode |= QFile::WriteOther;
    QFile::setPermissions(file, mode);
}

// The table with the record's columns, whatever else the file holds.
bool isRecord(QSqlDatabase db, QString* problem) {
    return run(db,
               QStringLiteral("SELECT id, quando, giorno, alunno, computer, esercizio, problema, "
                              "risposta, esatta, secondi FROM risposte LIMIT 0"),
               problem);
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
        // The Debian package that brings it, for the technician.
        *problem = QStringLiteral("manca il driver SQL di Qt per %1; si installa con: sudo apt "
                                  "install %2")
                       .arg(server ? QStringLiteral("PostgreSQL") : QStringLiteral("SQLite"),
                            server ? QStringLiteral("libqt6sql6-psql")
                                   : QStringLiteral("libqt6sql6-sqlite"));
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
    const bool made = !server && create && !QFileInfo::exists(destination);
    if (!db.open()) {
        *problem = failure(db, QStringLiteral("non si apre il registro %1").arg(destination));
        return false;
    }
    if (made)
        shareLikeFolder(destination);
    // A file no answer has reached yet, as the package prepares the PC's
    // shared record, is a record with no answers, for this connection alone.
    if (!server && !create && QFileInfo(destination).size() == 0) {
        QString ignored;
        run(db,
            QString(SqliteTable)
                .replace(QStringLiteral("CREATE TABLE"), QStringLiteral("CREATE TEMP TABLE")),
            &ignored);
    }
    if (!server && !create && !isRecord(db, problem)) {
        *problem =
            QStringLiteral("%1 non è un registro della mercanzola (%2)").arg(destination, *problem);
        db.close();
        return false;
    }
    if (!server) {
        QString ignored;
        // A journal that stays, written over, not deleted: in a shared sticky
        // folder another account may not delete what this one made. (The
        // queue, in write-ahead mode, keeps its own.)
        QSqlQuery mode(db);
        if (mode.exec(QStringLiteral("PRAGMA journal_mode")) && mode.next() &&
            mode.value(0).toString() == u"delete") {
            mode.finish();
            run(db, QStringLiteral("PRAGMA journal_mode=PERSIST"), &ignored);
            run(db, QStringLiteral("PRAGMA synchronous=FULL"), &ignored);
        }
    } else {
        QString ignored;
        run(db, QStringLiteral("SET statement_timeout = 5000"), &ignored);
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

QSqlQuery insertStatement(QSqlDatabase db) {
    const bool server = db.driverName() == u"QPSQL";
    // A plain INSERT, one answer a statement: the pupils' role may only add
    // rows, and ON CONFLICT would need SELECT. An id already there is an
    // answer delivered before the program was stopped.
    QSqlQuery query(db);
    query.prepare(
        QStringLiteral("INSERT %1 INTO risposte (id, quando, giorno, alunno, computer, esercizio, "
                       "problema, risposta, esatta, secondi) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
            .arg(server ? QString() : QStringLiteral("OR IGNORE")));
    return query;
}

bool insertAnswer(QSqlQuery& query, const QString& id, const platform::RecordedAnswer& answer,
                  QString* problem) {
    int place = 0;
    for (const QVariant& value :
         {QVariant(id), QVariant(answer.when), QVariant(answer.day), QVariant(answer.pupil),
          QVariant(answer.computer), QVariant(answer.exercise), QVariant(answer.problem),
          QVariant(answer.answer), QVariant(answer.right), QVariant(answer.seconds)})
        query.bindValue(place++, value);
    if (query.exec())
        return true;
    const QSqlError error = query.lastError();
    if (query.driver()->dbmsType() == QSqlDriver::PostgreSQL && error.nativeErrorCode() == u"23505")
        return true;
    *problem = error.text().simplified();
    return false;
}

} // namespace record

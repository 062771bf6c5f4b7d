#include "record/Database.h"

#include "record/Reasons.h"
#include "record/Schema.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>

namespace record {

namespace {

const QString SqliteTable = QString::fromLatin1(schema::SqliteTable);
const QString ServerTable = QStringLiteral(
    "CREATE TABLE IF NOT EXISTS risposte (id uuid PRIMARY KEY, quando timestamptz NOT NULL, "
    "giorno date NOT NULL, alunno text NOT NULL, computer text NOT NULL, "
    "esercizio text NOT NULL, problema text NOT NULL, risposta text NOT NULL, "
    "esatta boolean NOT NULL, secondi real NOT NULL, numero smallint, livello smallint, "
    "ordine bigint, arrivo timestamptz DEFAULT now())");
const QString PupilIndex = QString::fromLatin1(schema::PupilIndex);
const QString ProblemIndex = QString::fromLatin1(schema::ProblemIndex);

// Columns the record gained later, nullable: a record kept before them opens
// as it is, and gets them where the account connected may change the table.
struct LaterColumn {
    QString name;
    QString sqliteType;
    QString serverType;
    QString serverDefault; // set once added, so that older rows stay unknown
};
const QList<LaterColumn>& laterColumns() {
    static const QList<LaterColumn> columns = {
        {QStringLiteral("numero"), QStringLiteral("INTEGER"), QStringLiteral("smallint"),
         QString()},
        {QStringLiteral("livello"), QStringLiteral("INTEGER"), QStringLiteral("smallint"),
         QString()},
        {QStringLiteral("ordine"), QStringLiteral("INTEGER"), QStringLiteral("bigint"), QString()},
        {QStringLiteral("arrivo"), QStringLiteral("TEXT"), QStringLiteral("timestamptz"),
         QStringLiteral("now()")},
    };
    return columns;
}

bool run(QSqlDatabase db, const QString& statement, QString* problem, QSqlError* error = nullptr) {
    QSqlQuery query(db);
    if (query.exec(statement))
        return true;
    *problem = errorText(query.lastError());
    if (error)
        *error = query.lastError();
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

// The table's columns, read from the catalogue, which the pupils' role may read.
QStringList columnsOf(QSqlDatabase db) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    QStringList names;
    const bool server = db.driverName() == u"QPSQL";
    if (!query.exec(server ? QStringLiteral("SELECT attname FROM pg_catalog.pg_attribute WHERE "
                                            "attrelid = to_regclass('risposte') AND attnum > 0 "
                                            "AND NOT attisdropped")
                           : QStringLiteral("PRAGMA table_info(risposte)")))
        return names;
    while (query.next())
        names << query.value(server ? 0 : 1).toString();
    return names;
}

bool addLaterColumns(QSqlDatabase db, QString* problem) {
    const QStringList present = columnsOf(db);
    const bool server = db.driverName() == u"QPSQL";
    for (const LaterColumn& column : laterColumns()) {
        if (present.contains(column.name))
            continue;
        if (!run(db,
                 QStringLiteral("ALTER TABLE risposte ADD COLUMN %1 %2")
                     .arg(column.name, server ? column.serverType : column.sqliteType),
                 problem))
            return false;
        if (server && !column.serverDefault.isEmpty() &&
            !run(db,
                 QStringLiteral("ALTER TABLE risposte ALTER COLUMN %1 SET DEFAULT %2")
                     .arg(column.name, column.serverDefault),
                 problem))
            return false;
    }
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
    return QStringLiteral("%1: %2").arg(what, errorText(db.lastError()));
}

bool openDatabase(const QString& destination, const QString& name, bool create, QString* problem,
                  QSqlError* error) {
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
        if (error)
            *error = db.lastError();
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
            QStringLiteral("%1 non è un registro della mercanzola: %2").arg(destination, *problem);
        db.close();
        return false;
    }
    if (!server) {
        QString ignored;
        // A journal emptied at each commit, never deleted: in a shared
        // sticky folder another account may not delete what this one made,
        // and a journal kept whole would keep the pages of erased answers.
        // Erased answers are written over in the file too. (The queue, in
        // write-ahead mode, keeps its own.)
        run(db, QStringLiteral("PRAGMA secure_delete=ON"), &ignored);
        QSqlQuery mode(db);
        if (mode.exec(QStringLiteral("PRAGMA journal_mode")) && mode.next() &&
            mode.value(0).toString() != u"wal") {
            mode.finish();
            run(db, QStringLiteral("PRAGMA journal_mode=TRUNCATE"), &ignored);
            run(db, QStringLiteral("PRAGMA synchronous=FULL"), &ignored);
        }
    } else if (create) {
        // A pupil's PC does not wait on a server for long; the teacher's
        // commands over a year of answers take the time they need.
        QString ignored;
        run(db, QStringLiteral("SET statement_timeout = 5000"), &ignored);
    }
    if (create && (!server || ownsDatabase(db))) {
        if (!run(db, server ? ServerTable : SqliteTable, problem, error) ||
            !addLaterColumns(db, problem) || !run(db, PupilIndex, problem, error) ||
            !run(db, ProblemIndex, problem, error)) {
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

QStringList laterColumnsIn(QSqlDatabase db) {
    const QStringList present = columnsOf(db);
    QStringList found;
    for (const LaterColumn& column : laterColumns())
        if (present.contains(column.name))
            found << column.name;
    return found;
}

QSqlQuery insertStatement(QSqlDatabase db, const QStringList& later) {
    const bool server = db.driverName() == u"QPSQL";
    // A plain INSERT, one answer a statement: the pupils' role may only add
    // rows, and ON CONFLICT would need SELECT. An id already there is an
    // answer delivered before the program was stopped. A record kept before
    // the later columns takes the answer without them.
    QStringList columns = {QStringLiteral("id"),       QStringLiteral("quando"),
                           QStringLiteral("giorno"),   QStringLiteral("alunno"),
                           QStringLiteral("computer"), QStringLiteral("esercizio"),
                           QStringLiteral("problema"), QStringLiteral("risposta"),
                           QStringLiteral("esatta"),   QStringLiteral("secondi")};
    columns += later;
    QStringList places;
    for (const QString& column : columns)
        places << u':' + column;
    // The arrival: a server's default, the writing PC's clock in a file.
    if (const qsizetype arrival = columns.indexOf(QStringLiteral("arrivo")); arrival >= 0) {
        if (server) {
            columns.removeAt(arrival);
            places.removeAt(arrival);
        } else {
            places[arrival] = QString::fromLatin1(schema::ArrivalNow);
        }
    }
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT %1 INTO risposte (%2) VALUES (%3)")
                      .arg(server ? QString() : QStringLiteral("OR IGNORE"), columns.join(u','),
                           places.join(u',')));
    return query;
}

bool insertAnswer(QSqlQuery& query, const QueuedAnswer& queued, QString* problem, bool* refused) {
    const platform::RecordedAnswer& answer = queued.answer;
    const QString statement = query.lastQuery();
    const auto bind = [&](const QString& column, const QVariant& value) {
        if (statement.contains(u':' + column))
            query.bindValue(u':' + column, value);
    };
    bind(QStringLiteral("id"), queued.id);
    bind(QStringLiteral("quando"), answer.when);
    bind(QStringLiteral("giorno"), answer.day);
    bind(QStringLiteral("alunno"), answer.pupil);
    bind(QStringLiteral("computer"), answer.computer);
    bind(QStringLiteral("esercizio"), answer.exercise);
    bind(QStringLiteral("problema"), answer.problem);
    bind(QStringLiteral("risposta"), answer.answer);
    bind(QStringLiteral("esatta"), answer.right);
    bind(QStringLiteral("secondi"), answer.seconds);
    bind(QStringLiteral("numero"), answer.exerciseNumber > 0 ? QVariant(answer.exerciseNumber)
                                                             : QVariant(QMetaType(QMetaType::Int)));
    bind(QStringLiteral("livello"),
         answer.level ? QVariant(*answer.level) : QVariant(QMetaType(QMetaType::Int)));
    bind(QStringLiteral("ordine"),
         queued.order > 0 ? QVariant(queued.order) : QVariant(QMetaType(QMetaType::LongLong)));
    if (query.exec())
        return true;
    const QSqlError error = query.lastError();
    const bool server = query.driver()->dbmsType() == QSqlDriver::PostgreSQL;
    const QString code = error.nativeErrorCode();
    if (server && code == u"23505")
        return true;
    *problem = errorText(error);
    if (refused) {
        // The server's data exceptions, constraints and limits (an index
        // entry too long); SQLite's too big, constraint and mismatch.
        const int sqlite = code.toInt() & 0xff;
        *refused = server
                       ? code.startsWith(u"22") || code.startsWith(u"23") || code.startsWith(u"54")
                       : sqlite == 18 || sqlite == 19 || sqlite == 20;
    }
    return false;
}

} // namespace record

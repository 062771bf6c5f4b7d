#include "record/Queue.h"

#include "record/Database.h"
#include "record/Reasons.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace record {

namespace {

const QString Columns = QStringLiteral(
    "id, quando, giorno, alunno, computer, esercizio, problema, risposta, esatta, secondi, "
    "numero, livello, ordine");

bool exec(QSqlQuery& query, const QString& statement) {
    return query.exec(statement);
}

// Whole pages that SQLite reads as its own, or an empty file.
bool looksLikeSqlite(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return true; // not ours to judge: unreadable is told when opened
    const QByteArray head = f.read(16);
    return head.isEmpty() || head == QByteArray("SQLite format 3\0", 16);
}

// An answer as the queue's columns hold it.
QueuedAnswer readAnswer(const QSqlQuery& query) {
    return {query.value(0).toString(),
            {query.value(1).toString(), query.value(2).toString(), query.value(3).toString(),
             query.value(4).toString(), query.value(5).toString(), query.value(6).toString(),
             query.value(7).toString(), query.value(8).toBool(), query.value(9).toDouble(),
             query.value(10).toInt(),
             query.value(11).isNull() ? std::nullopt : std::optional(query.value(11).toInt())},
            query.value(12).toLongLong()};
}

// Each answer added gets the next number of this PC's answers, kept in the
// queue when it empties. A new queue counts on from the milliseconds of the
// clock, past any number an earlier queue of this account gave.
bool numbered(QSqlQuery& query) {
    return exec(query, QStringLiteral("CREATE TABLE IF NOT EXISTS contatore (ultimo INTEGER NOT "
                                      "NULL)")) &&
           exec(query, QStringLiteral("INSERT INTO contatore SELECT max(%1, coalesce((SELECT "
                                      "max(ordine) FROM risposte), 0)) WHERE NOT EXISTS (SELECT "
                                      "1 FROM contatore)")
                           .arg(QDateTime::currentMSecsSinceEpoch())) &&
           exec(query,
                QStringLiteral("CREATE TRIGGER IF NOT EXISTS numera AFTER INSERT ON risposte WHEN "
                               "NEW.ordine IS NULL BEGIN UPDATE contatore SET ultimo = ultimo + 1; "
                               "UPDATE risposte SET ordine = (SELECT ultimo FROM contatore) WHERE "
                               "rowid = NEW.rowid; END"));
}

// SQLite's own word that the file is not a sound database.
bool isDamage(const QSqlError& error) {
    const int code = error.nativeErrorCode().toInt() & 0xff;
    return code == 11 /* SQLITE_CORRUPT */ || code == 26 /* SQLITE_NOTADB */;
}

} // namespace

Queue::Queue(QString file, QString connection, bool heal)
    : file(std::move(file)), connection(std::move(connection)) {
    const bool exists = QFileInfo::exists(this->file);
    if (heal && exists && !looksLikeSqlite(this->file)) {
        moveAside();
    }
    Opening opening = openFile();
    // Only a queue SQLite finds damaged is set aside: one that a full disk
    // or a lock keeps shut now holds answers that go once it opens.
    if (opening == Opening::Damaged && heal && QFileInfo::exists(this->file) && healed.isEmpty()) {
        moveAside();
        opening = openFile();
    }
    open = opening == Opening::Opened;
}

Queue::~Queue() {
    adding.reset();
    if (open)
        closeDatabase(connection);
}

Queue::Opening Queue::openFile() {
    QSqlError error;
    if (!openDatabase(file, connection, true, &problem, &error)) {
        closeDatabase(connection);
        return isDamage(error) ? Opening::Damaged : Opening::Failed;
    }
    QSqlDatabase db = QSqlDatabase::database(connection, false);
    QSqlQuery query(db);
    // Each add a write to the file, kept when the program is killed; the
    // checkpoint of sync() is what waits for the disk, off the pupil's thread.
    if (exec(query, QStringLiteral("PRAGMA journal_mode=WAL")) &&
        exec(query, QStringLiteral("PRAGMA synchronous=NORMAL")) &&
        exec(query, QStringLiteral("PRAGMA wal_autocheckpoint=0")) && numbered(query) &&
        exec(query, QStringLiteral("PRAGMA quick_check")) && query.next() &&
        query.value(0).toString() == u"ok")
        return Opening::Opened;
    Opening opening = Opening::Damaged;
    if (query.lastError().isValid()) {
        problem = errorText(query.lastError());
        if (!isDamage(query.lastError()))
            opening = Opening::Failed;
    } else {
        problem = QStringLiteral("la coda %1 è rovinata").arg(file);
    }
    query.clear();
    db = QSqlDatabase();
    closeDatabase(connection);
    return opening;
}

QStringList Queue::setAside(const QString& file) {
    const QFileInfo info(file);
    QStringList found;
    for (const QFileInfo& aside : info.dir().entryInfoList(
             {QStringLiteral("%1-rovinata-*.%2").arg(info.completeBaseName(), info.suffix())},
             QDir::Files, QDir::Name))
        found << aside.absoluteFilePath();
    return found;
}

QList<QueuedAnswer> Queue::salvage(const QString& file, const QString& connection, bool* whole) {
    QList<QueuedAnswer> found;
    *whole = false;
    QString problem;
    if (!openDatabase(file, connection, false, &problem)) {
        closeDatabase(connection);
        return found;
    }
    {
        QSqlDatabase db = QSqlDatabase::database(connection, false);
        QString columns = Columns;
        // A queue of an older program has no later columns.
        const QStringList later = laterColumnsIn(db);
        for (const QString& column :
             {QStringLiteral("numero"), QStringLiteral("livello"), QStringLiteral("ordine")})
            if (!later.contains(column))
                columns.replace(column, QStringLiteral("NULL"));
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (query.exec(QStringLiteral("SELECT %1 FROM risposte").arg(columns))) {
            while (query.next())
                found.append(readAnswer(query));
            *whole = !query.lastError().isValid();
        }
    }
    closeDatabase(connection);
    return found;
}

void Queue::removeSetAside(const QString& file) {
    for (const char* companion : {"-wal", "-shm", "-journal"})
        QFile::remove(file + QLatin1String(companion));
    QFile::remove(file);
}

void Queue::moveAside() {
    const QFileInfo info(file);
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    const QString aside = info.dir().filePath(
        QStringLiteral("%1-rovinata-%2.%3").arg(info.completeBaseName(), stamp, info.suffix()));
    if (!QFile::rename(file, aside))
        return;
    for (const char* companion : {"-wal", "-shm", "-journal"})
        QFile::rename(file + QLatin1String(companion), aside + QLatin1String(companion));
    healed = QStringLiteral("la coda %1 era rovinata: messa da parte come %2, ne comincia una "
                            "nuova")
                 .arg(file, aside);
}

bool Queue::add(const QueuedAnswer& queued) {
    QString why;
    if (!adding)
        adding.emplace(insertStatement(QSqlDatabase::database(connection, false),
                                       laterColumnsIn(QSqlDatabase::database(connection, false))));
    if (insertAnswer(*adding, queued, &why))
        return true;
    problem = QStringLiteral("la coda %1 non prende la risposta: %2").arg(file, why);
    return false;
}

void Queue::sync() {
    QSqlQuery query(QSqlDatabase::database(connection, false));
    exec(query, QStringLiteral("PRAGMA wal_checkpoint(PASSIVE)"));
}

QList<QueuedAnswer> Queue::oldest(int most) {
    QList<QueuedAnswer> found;
    QSqlQuery query(QSqlDatabase::database(connection, false));
    query.setForwardOnly(true);
    if (!exec(query, QStringLiteral("SELECT %1 FROM risposte ORDER BY ordine, quando LIMIT %2")
                         .arg(Columns)
                         .arg(most))) {
        problem = QStringLiteral("coda %1 illeggibile: %2").arg(file, errorText(query.lastError()));
        return found;
    }
    while (query.next())
        found.append(readAnswer(query));
    return found;
}

bool Queue::remove(const QStringList& ids) {
    QSqlDatabase db = QSqlDatabase::database(connection, false);
    db.transaction();
    QSqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM risposte WHERE id = ?"));
    for (const QString& id : ids) {
        query.addBindValue(id);
        if (!query.exec()) {
            db.rollback();
            return false;
        }
    }
    return db.commit();
}

bool Queue::keepRefused(const QStringList& ids) {
    QSqlDatabase db = QSqlDatabase::database(connection, false);
    QSqlQuery query(db);
    if (!exec(query, QStringLiteral("CREATE TABLE IF NOT EXISTS rifiutate AS SELECT * FROM "
                                    "risposte WHERE 0")))
        return false;
    // One kept by an older program gets the columns added since.
    for (const char* column : {"ordine INTEGER", "arrivo TEXT"})
        exec(query,
             QStringLiteral("ALTER TABLE rifiutate ADD COLUMN %1").arg(QLatin1String(column)));
    if (!db.transaction())
        return false;
    for (const QString& id : ids) {
        for (const QString& statement :
             {QStringLiteral("INSERT INTO rifiutate SELECT * FROM risposte WHERE id = ?"),
              QStringLiteral("DELETE FROM risposte WHERE id = ?")}) {
            query.prepare(statement);
            query.addBindValue(id);
            if (!query.exec()) {
                db.rollback();
                return false;
            }
        }
    }
    return db.commit();
}

int Queue::refusedCount() {
    QSqlQuery query(QSqlDatabase::database(connection, false));
    return exec(query, QStringLiteral("SELECT count(*) FROM rifiutate")) && query.next()
               ? query.value(0).toInt()
               : 0;
}

int Queue::count() {
    QSqlQuery query(QSqlDatabase::database(connection, false));
    return exec(query, QStringLiteral("SELECT count(*) FROM risposte")) && query.next()
               ? query.value(0).toInt()
               : 0;
}

} // namespace record

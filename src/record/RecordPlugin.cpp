// The record plugin: loaded only when the record is on.

#include "platform/RecordPluginInterface.h"
#include "platform/PupilName.h"
#include "record/Database.h"
#include "record/LessonRecord.h"
#include "record/Reasons.h"

#include <QObject>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

namespace {

const QString ReportConnection = QStringLiteral("mercanzola-riepilogo");

// A connection for one command, closed whatever happens.
class CommandConnection {
public:
    CommandConnection(const QString& destination, QString* problem)
        : open(record::openDatabase(destination, ReportConnection, false, problem)) {}
    ~CommandConnection() { record::closeDatabase(ReportConnection); }
    QSqlDatabase db() const { return QSqlDatabase::database(ReportConnection, false); }
    const bool open;
};

} // namespace

class RecordPlugin : public QObject, public platform::RecordFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID MERCANZOLA_RECORD_PLUGIN_IID)
    Q_INTERFACES(platform::RecordFactory)
public:
    platform::AnswerRecord* openForLesson(const QString& destination,
                                          const QString& queueFolder) override {
        return new record::LessonRecord(destination, queueFolder);
    }

    bool readReport(const QString& destination, const QDate& since, const QDate& until,
                    QList<platform::ReportRow>* rows, QString* problem) override {
        const CommandConnection connection(destination, problem);
        if (!connection.open)
            return false;
        // A record kept before the exercise's number and the level reads as without them.
        const QStringList later = record::laterColumnsIn(connection.db());
        const QString number = later.contains(QStringLiteral("numero")) ? QStringLiteral("numero")
                                                                        : QStringLiteral("NULL");
        const QString level = later.contains(QStringLiteral("livello")) ? QStringLiteral("livello")
                                                                        : QStringLiteral("NULL");
        QSqlQuery query = inDays(connection.db(),
                                 QStringLiteral("SELECT alunno, esercizio, COUNT(*), "
                                                "SUM(CASE WHEN esatta THEN 1 ELSE 0 END), "
                                                "MAX(giorno), %1, MAX(%2) FROM risposte WHERE "
                                                "%3 GROUP BY alunno, esercizio, %1")
                                     .arg(number, level),
                                 since, until);
        if (!query.exec())
            return told(query, QStringLiteral("riepilogo non letto"), problem);
        while (query.next())
            rows->append(
                {query.value(0).toString(), query.value(1).toString(), query.value(2).toInt(),
                 query.value(3).toInt(),
                 QDate::fromString(query.value(4).toString().left(10), Qt::ISODate),
                 query.value(5).toInt(),
                 query.value(6).isNull() ? std::nullopt : std::optional(query.value(6).toInt())});
        return true;
    }

    bool readWrongAnswers(const QString& destination, const QDate& since, const QDate& until,
                          QList<platform::WrongAnswer>* answers, QString* problem) override {
        const CommandConnection connection(destination, problem);
        if (!connection.open)
            return false;
        // The next right answer is the next in the order of the PC where
        // the wrong one was given, whatever its clock said; answers kept
        // before that order by their time.
        const bool ordered =
            record::laterColumnsIn(connection.db()).contains(QStringLiteral("ordine"));
        const QString wOrder = ordered ? QStringLiteral("w.ordine") : QStringLiteral("NULL");
        const QString rOrder = ordered ? QStringLiteral("r.ordine") : QStringLiteral("NULL");
        QSqlQuery query = inDays(
            connection.db(),
            QStringLiteral(
                "SELECT w.giorno, w.alunno, w.esercizio, w.problema, w.risposta, "
                "(SELECT r.risposta FROM risposte r WHERE r.esatta AND r.alunno = w.alunno AND "
                "r.problema = w.problema AND r.esercizio = w.esercizio AND CASE WHEN %2 IS NULL "
                "THEN r.quando > w.quando ELSE r.computer = w.computer AND %3 > %2 END "
                "ORDER BY %3 IS NOT NULL, %3, r.quando LIMIT 1) "
                "FROM risposte w WHERE NOT w.esatta AND %1 ORDER BY w.alunno, w.giorno, "
                "w.computer, %4w.quando")
                .arg(QStringLiteral("%1"), wOrder, rOrder,
                     ordered ? QStringLiteral("w.ordine, ") : QString()),
            since, until, QStringLiteral("w."));
        if (!query.exec())
            return told(query, QStringLiteral("risposte sbagliate non lette"), problem);
        while (query.next())
            answers->append({query.value(0).toString(), query.value(1).toString(),
                             query.value(2).toString(), query.value(3).toString(),
                             query.value(4).toString(), query.value(5).toString()});
        return true;
    }

    bool countDeletion(const QString& destination, const QString& pupil, const QDate& before,
                       int* answers, int* pupils, QString* problem) override {
        const CommandConnection connection(destination, problem);
        if (!connection.open)
            return false;
        QSqlQuery query(connection.db());
        query.setForwardOnly(true);
        query.prepare(
            pupil.isEmpty()
                ? QStringLiteral("SELECT alunno, COUNT(*) FROM risposte WHERE "
                                 "giorno < ? GROUP BY alunno")
                : QStringLiteral("SELECT alunno, COUNT(*) FROM risposte GROUP BY alunno"));
        if (pupil.isEmpty())
            query.addBindValue(before.toString(Qt::ISODate));
        if (!query.exec())
            return told(query, QStringLiteral("registro non letto"), problem);
        QSet<QString> who;
        *answers = 0;
        while (query.next()) {
            const QString key = platform::pupilKey(query.value(0).toString());
            if (!pupil.isEmpty() && key != platform::pupilKey(pupil))
                continue;
            who.insert(key);
            *answers += query.value(1).toInt();
        }
        *pupils = int(who.size());
        return true;
    }

    bool deletePupil(const QString& destination, const QString& pupil, int* deleted,
                     QString* problem) override {
        const CommandConnection connection(destination, problem);
        if (!connection.open)
            return false;
        // Every spelling of the name the record holds, found through the
        // index, each deleted as it is written.
        QSqlQuery names(connection.db());
        names.setForwardOnly(true);
        if (!names.exec(QStringLiteral("SELECT DISTINCT alunno FROM risposte")))
            return told(names, QStringLiteral("registro non letto"), problem);
        QStringList spellings;
        while (names.next())
            if (platform::pupilKey(names.value(0).toString()) == platform::pupilKey(pupil))
                spellings << names.value(0).toString();
        names.finish();
        *deleted = 0;
        QSqlDatabase db = connection.db();
        db.transaction();
        for (const QString& spelling : spellings) {
            int count = 0;
            if (!remove(db, QStringLiteral("DELETE FROM risposte WHERE alunno = ?"), spelling,
                        &count, problem)) {
                db.rollback();
                return false;
            }
            *deleted += count;
        }
        if (db.commit())
            return true;
        *problem =
            QStringLiteral("cancellazione rifiutata: %1").arg(record::errorText(db.lastError()));
        return false;
    }

    bool deleteBefore(const QString& destination, const QDate& day, int* deleted,
                      QString* problem) override {
        const CommandConnection connection(destination, problem);
        return connection.open &&
               remove(connection.db(), QStringLiteral("DELETE FROM risposte WHERE giorno < ?"),
                      day.toString(Qt::ISODate), deleted, problem);
    }

private:
    // The query with its days bound; `statement` has %1 where they go.
    static QSqlQuery inDays(const QSqlDatabase& db, const QString& statement, const QDate& since,
                            const QDate& until, const QString& table = QString()) {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        query.prepare(
            QString(statement).arg(QStringLiteral("%1giorno >= ? AND %1giorno <= ?").arg(table)));
        query.addBindValue((since.isValid() ? since : QDate(1, 1, 1)).toString(Qt::ISODate));
        query.addBindValue((until.isValid() ? until : QDate(9999, 12, 31)).toString(Qt::ISODate));
        return query;
    }

    static bool told(const QSqlQuery& query, const QString& what, QString* problem) {
        *problem = QStringLiteral("%1: %2").arg(what, record::errorText(query.lastError()));
        return false;
    }

    static bool remove(const QSqlDatabase& db, const QString& statement, const QString& value,
                       int* deleted, QString* problem) {
        QSqlQuery query(db);
        query.prepare(statement);
        query.addBindValue(value);
        if (!query.exec())
            return told(query, QStringLiteral("cancellazione rifiutata"), problem);
        *deleted = query.numRowsAffected();
        return true;
    }
};

#include "RecordPlugin.moc"

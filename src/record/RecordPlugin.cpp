// The record plugin: loaded only when the record is on.

#include "platform/RecordPlugin.h"
#include "record/Database.h"
#include "record/LessonRecord.h"

#include <QObject>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

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

    bool readReport(const QString& destination, const QDate& since,
                    QList<platform::ReportRow>* rows, QString* problem) override {
        const CommandConnection connection(destination, problem);
        if (!connection.open)
            return false;
        QSqlQuery query(connection.db());
        query.setForwardOnly(true);
        query.prepare(QStringLiteral(
            "SELECT alunno, esercizio, COUNT(*), SUM(CASE WHEN esatta THEN 1 ELSE 0 END), "
            "MAX(giorno) FROM risposte WHERE giorno >= ? GROUP BY alunno, esercizio"));
        query.addBindValue((since.isValid() ? since : QDate(1, 1, 1)).toString(Qt::ISODate));
        if (!query.exec()) {
            *problem = QStringLiteral("riepilogo non letto: %1")
                           .arg(query.lastError().text().simplified());
            return false;
        }
        while (query.next())
            rows->append({query.value(0).toString(), query.value(1).toString(),
                          query.value(2).toInt(), query.value(3).toInt(),
                          QDate::fromString(query.value(4).toString().left(10), Qt::ISODate)});
        // The same order whatever the database's collation.
        std::sort(rows->begin(), rows->end(), [](const auto& a, const auto& b) {
            const int byPupil = a.pupil.localeAwareCompare(b.pupil);
            return byPupil != 0 ? byPupil < 0 : a.exercise.localeAwareCompare(b.exercise) < 0;
        });
        return true;
    }

    bool deletePupil(const QString& destination, const QString& pupil, int* deleted,
                     QString* problem) override {
        const CommandConnection connection(destination, problem);
        if (!connection.open)
            return false;
        QSqlQuery query(connection.db());
        query.prepare(QStringLiteral("DELETE FROM risposte WHERE alunno = ?"));
        query.addBindValue(pupil);
        if (!query.exec()) {
            *problem = QStringLiteral("cancellazione rifiutata: %1")
                           .arg(query.lastError().text().simplified());
            return false;
        }
        *deleted = query.numRowsAffected();
        return true;
    }
};

#include "RecordPlugin.moc"

#include "record/LessonRecord.h"

#include "platform/Warning.h"
#include "record/Database.h"

#include <QDir>
#include <QSqlQuery>
#include <QTimer>
#include <QUuid>

namespace record {

namespace {

const QString DestinationConnection = QStringLiteral("mercanzola-registro");
const QString QueueConnection = QStringLiteral("mercanzola-coda");
constexpr int RetryMilliseconds = 5000;

} // namespace

Writer::Writer(QString destination, QString queueFile)
    : destination(std::move(destination)), queueFile(std::move(queueFile)),
      server(isServer(this->destination)) {}

bool Writer::openOnce(const QString& where, const QString& name, bool* open) {
    if (*open)
        return true;
    QString problem;
    *open = openDatabase(where, name, true, &problem);
    if (!*open)
        tell(problem);
    return *open;
}

void Writer::tell(const QString& problem) {
    if (problem == lastProblem)
        return;
    lastProblem = problem;
    platform::warn(QStringLiteral("registro: ") + problem);
}

void Writer::write(const QString& id, const platform::RecordedAnswer& answer) {
    unwritten.append({id, answer});
    const QString& local = server ? queueFile : destination;
    const QString& name = server ? QueueConnection : DestinationConnection;
    if (!openOnce(local, name, server ? &queueOpen : &destinationOpen))
        return;
    QSqlDatabase db = QSqlDatabase::database(name, false);
    while (!unwritten.isEmpty()) {
        QString problem;
        if (!insertAnswer(db, unwritten.first().first, unwritten.first().second, &problem)) {
            tell(QStringLiteral("risposta non registrata in %1: %2").arg(local, problem));
            return;
        }
        unwritten.removeFirst();
    }
    if (server)
        deliver();
}

void Writer::deliver() {
    if (!queueOpen || !openOnce(destination, DestinationConnection, &destinationOpen)) {
        retryLater();
        return;
    }
    QSqlDatabase queue = QSqlDatabase::database(QueueConnection, false);
    QSqlDatabase target = QSqlDatabase::database(DestinationConnection, false);
    QSqlQuery waiting(queue);
    waiting.setForwardOnly(true);
    if (!waiting.exec(QStringLiteral(
            "SELECT id, quando, giorno, alunno, computer, esercizio, problema, risposta, "
            "esatta, secondi FROM risposte ORDER BY quando"))) {
        tell(failure(queue, QStringLiteral("coda illeggibile")));
        return;
    }
    QStringList delivered;
    while (waiting.next()) {
        platform::RecordedAnswer answer{
            waiting.value(1).toString(), waiting.value(2).toString(), waiting.value(3).toString(),
            waiting.value(4).toString(), waiting.value(5).toString(), waiting.value(6).toString(),
            waiting.value(7).toString(), waiting.value(8).toBool(),   waiting.value(9).toDouble()};
        QString problem;
        if (!insertAnswer(target, waiting.value(0).toString(), answer, &problem)) {
            tell(QStringLiteral("il server non risponde, le risposte aspettano in %1: %2")
                     .arg(queueFile, problem));
            // A connection that broke is opened afresh at the next try.
            closeDatabase(DestinationConnection);
            destinationOpen = false;
            retryLater();
            break;
        }
        delivered << waiting.value(0).toString();
    }
    waiting.finish();
    for (const QString& id : delivered) {
        QSqlQuery done(queue);
        done.prepare(QStringLiteral("DELETE FROM risposte WHERE id = ?"));
        done.addBindValue(id);
        done.exec();
    }
    if (destinationOpen)
        lastProblem.clear();
}

void Writer::start() {
    if (server && openOnce(queueFile, QueueConnection, &queueOpen))
        deliver();
}

void Writer::retryLater() {
    if (!retry) {
        retry = new QTimer(this);
        retry->setSingleShot(true);
        retry->setInterval(RetryMilliseconds);
        connect(retry, &QTimer::timeout, this, &Writer::deliver);
    }
    if (!retry->isActive())
        retry->start();
}

void Writer::finish() {
    delete retry;
    retry = nullptr;
    if (destinationOpen)
        closeDatabase(DestinationConnection);
    if (queueOpen)
        closeDatabase(QueueConnection);
    destinationOpen = queueOpen = false;
}

LessonRecord::LessonRecord(const QString& destination, const QString& queueFolder)
    : writer(
          new Writer(destination,
                     QDir(queueFolder).absoluteFilePath(QStringLiteral("coda-registro.sqlite")))) {
    if (isServer(destination))
        QDir().mkpath(queueFolder);
    writer->moveToThread(&thread);
    QObject::connect(&thread, &QThread::finished, writer, &QObject::deleteLater);
    thread.start();
    // Answers left in the queue by an earlier lesson go as soon as the server answers.
    QMetaObject::invokeMethod(writer, &Writer::start);
}

LessonRecord::~LessonRecord() {
    QMetaObject::invokeMethod(writer, &Writer::finish, Qt::BlockingQueuedConnection);
    thread.quit();
    thread.wait();
}

void LessonRecord::keep(const platform::RecordedAnswer& answer) {
    QMetaObject::invokeMethod(
        writer, [w = writer, answer, id = QUuid::createUuid().toString(QUuid::WithoutBraces)] {
            w->write(id, answer);
        });
}

} // namespace record

#pragma once

#include "platform/RecordPlugin.h"

#include <QList>
#include <QObject>
#include <QThread>

class QTimer;

namespace record {

// Writes the answers on a thread of its own, so that a judged answer never
// waits for a disk or a server. A SQLite destination gets each answer in its
// own transaction at once. Answers for a server are first committed to a local
// SQLite queue, then delivered and taken off the queue; an answer delivered
// twice (the program stopped in between) is kept once, by its id. Any failure
// is one line on standard error, said again only when it changes.
class Writer : public QObject {
    Q_OBJECT
public:
    Writer(QString destination, QString queueFile);

    // Answers for a server that an earlier lesson left in the queue go now.
    void start();
    void write(const QString& id, const platform::RecordedAnswer& answer);
    // Sends the queue to the server while it answers.
    void deliver();
    void finish();

private:
    bool openOnce(const QString& destination, const QString& name, bool* open);
    void tell(const QString& problem);
    void retryLater();

    QString destination;
    QString queueFile;
    bool server;
    bool destinationOpen = false;
    bool queueOpen = false;
    QString lastProblem;
    // Answers a SQLite file refused (full disk, read-only), tried again with the next.
    QList<std::pair<QString, platform::RecordedAnswer>> unwritten;
    QTimer* retry = nullptr;
};

class LessonRecord : public platform::AnswerRecord {
public:
    LessonRecord(const QString& destination, const QString& queueFolder);
    // Waits for the answers still being written.
    ~LessonRecord() override;

    void keep(const platform::RecordedAnswer& answer) override;

private:
    QThread thread;
    Writer* writer;
};

} // namespace record

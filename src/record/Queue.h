#pragma once

#include "platform/RecordPlugin.h"

#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <optional>

namespace record {

struct QueuedAnswer {
    QString id;
    platform::RecordedAnswer answer;
};

// The answers of this PC not yet in the record: a SQLite file of the user's
// own, in write-ahead mode, so that adding one is a write to the file (kept
// through a kill -9) and the sender's checkpoint puts it on the disk before
// anything goes to the network. Each thread opens its own.
class Queue {
public:
    // Opens or makes `file` as the calling thread's connection `connection`.
    // With `heal`, a file that is not a queue is moved aside, its new name
    // in `healed`, and a new one started.
    Queue(QString file, QString connection, bool heal);
    ~Queue();
    Queue(const Queue&) = delete;
    Queue& operator=(const Queue&) = delete;

    bool isOpen() const { return open; }
    // Why it could not be opened; or, once healed, what was done.
    QString problem;
    QString healed;

    // False, with `problem`, when the disk refuses it (full, read-only).
    bool add(const QueuedAnswer& queued);
    // Commits what was added to the disk.
    void sync();
    QList<QueuedAnswer> oldest(int most);
    bool remove(const QStringList& ids);
    int count();

private:
    bool openFile();
    void moveAside();

    QString file;
    QString connection;
    bool open = false;
    std::optional<QSqlQuery> adding;
};

} // namespace record

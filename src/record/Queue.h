#pragma once

#include "platform/RecordPluginInterface.h"
#include "record/Database.h"

#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <optional>

namespace record {

// The answers of this PC not yet in the record: a SQLite file of the user's
// own, in write-ahead mode, so that adding one is a write to the file (kept
// through a kill -9) and the sender's checkpoint puts it on the disk before
// anything goes to the network. Each thread opens its own.
class Queue {
public:
    // Opens or makes `file` as the calling thread's connection `connection`.
    // With `heal`, a file that fails SQLite's integrity check is moved aside,
    // its new name in `healed`, and a new one started; one that cannot be
    // opened for any other reason (a full disk, a lock) is left as it is, to
    // be tried again.
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
    // Keeps answers the record refused for their content apart, in the
    // queue's table rifiutate, so that the rest go on.
    bool keepRefused(const QStringList& ids);
    int refusedCount();

    // Queues moved aside beside `file` by an earlier start.
    static QStringList setAside(const QString& file);
    // What such a queue still holds, as far as it reads; `whole` tells
    // whether it read to the end.
    static QList<QueuedAnswer> salvage(const QString& file, const QString& connection, bool* whole);
    // Removes a queue moved aside, with its companion files.
    static void removeSetAside(const QString& file);

private:
    enum class Opening { Opened, Damaged, Failed };
    Opening openFile();
    void moveAside();

    QString file;
    QString connection;
    bool open = false;
    std::optional<QSqlQuery> adding;
};

} // namespace record

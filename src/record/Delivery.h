#pragma once

#include "record/Queue.h"

#include <QHash>
#include <QList>
#include <QString>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>

namespace record {

// The sending loop, on a thread of its own: takes the queue's answers to the
// record, oldest first, and off the queue once there. A failure waits 1, 2,
// 4 and then 5 seconds before the next try; a new answer tries again once a
// second has passed since the last try.
// Shared with the thread, so that quitting need not wait for a server that
// does not answer: what is left waits in the queue for the next start.
class Delivery {
public:
    Delivery(QString destination, QString queueFile);

    // The loop itself; returns once stopped.
    void run();
    // An answer was queued (`answer`), or the queue is to be looked at.
    void wake(bool answer = true);
    // An answer the queue refused, kept here until the queue or the record takes it.
    void hold(const QueuedAnswer& answer);
    // Ends the loop after one last try; true when it ended within `wait`.
    bool stop(std::chrono::milliseconds wait);
    // Answers still only in memory.
    int held() const;
    // What a teacher should see: empty while every answer reaches the record.
    QString trouble() const;
    // One line on standard error, said again only when it changes, and not
    // within a minute of the last time.
    void tell(const QString& problem);

private:
    void absorbSetAside();
    bool deliver();
    bool deliverQueued(Queue& queue);
    bool deliverHeld(Queue* queue);
    bool reachDestination();
    void dropDestination();
    void counted(int queued);
    void finish(bool delivered, int waiting, int refused);

    const QString destination;
    const QString queueFile;
    const QString DestinationConnection;
    const QString QueueConnection;
    // The shared record's helper, for an account that may only add to it.
    const QString helper;
    bool destinationOpen = false;
    QStringList destinationColumns; // the later columns the record has

    mutable std::mutex mutex;
    std::condition_variable changed;
    bool woken = false;
    bool stopping = false;
    bool stopped = false;
    QList<QueuedAnswer> inMemory;
    QString lastProblem;
    QHash<QString, std::chrono::steady_clock::time_point> toldAt;
    QString problemNow;
    int waiting = 0;
    int fresh = 0; // queued since the last try ended
    // Since when the oldest answer not yet in the record has waited: the
    // notice shows past 10 s whatever the cause, a server that stalls
    // inside a statement too.
    std::optional<std::chrono::steady_clock::time_point> pendingSince;
    int refused = 0; // kept apart in the queue, refused by the record
};

} // namespace record

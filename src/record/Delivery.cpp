#include "record/Delivery.h"

#include "platform/Warning.h"
#include "record/Database.h"
#include "record/Helper.h"
#include "record/Reasons.h"

#include <QSqlDatabase>
#include <algorithm>

namespace record {

namespace {

// Names of this loop's own, apart from those of a loop still waiting for a
// server after its lesson ended.
QString connectionName(const char* what, const void* loop) {
    return QStringLiteral("mercanzola-%1-%2").arg(QLatin1String(what)).arg(quintptr(loop), 0, 16);
}
constexpr std::chrono::milliseconds FirstWait{1000};
constexpr std::chrono::milliseconds LongestWait{5000};
constexpr int Batch = 500;
constexpr std::chrono::minutes RepeatAfter{1};
// How long the oldest answer may wait before the screen says so.
constexpr std::chrono::seconds LongestSilence{10};

} // namespace

Delivery::Delivery(QString destination, QString queueFile)
    : destination(std::move(destination)), queueFile(std::move(queueFile)),
      DestinationConnection(connectionName("registro", this)),
      QueueConnection(connectionName("coda-invio", this)),
      helper(sharedRecordHelper(this->destination)) {}

void Delivery::tell(const QString& problem) {
    std::lock_guard lock(mutex);
    if (problem.isEmpty() || problem == lastProblem)
        return;
    lastProblem = problem;
    // Two causes that take turns say each once a minute at most.
    const auto now = std::chrono::steady_clock::now();
    for (auto it = toldAt.begin(); it != toldAt.end();)
        it = now - it.value() >= RepeatAfter ? toldAt.erase(it) : std::next(it);
    if (toldAt.contains(problem))
        return;
    toldAt.insert(problem, now);
    platform::warn(QStringLiteral("registro: ") + problem);
}

void Delivery::wake(bool answer) {
    {
        std::lock_guard lock(mutex);
        woken = true;
        if (answer) {
            ++fresh;
            if (!pendingSince)
                pendingSince = std::chrono::steady_clock::now();
        }
    }
    changed.notify_one();
}

void Delivery::hold(const QueuedAnswer& answer) {
    {
        std::lock_guard lock(mutex);
        inMemory.append(answer);
        woken = true;
        if (!pendingSince)
            pendingSince = std::chrono::steady_clock::now();
    }
    changed.notify_one();
}

int Delivery::held() const {
    std::lock_guard lock(mutex);
    return int(inMemory.size());
}

QString Delivery::trouble() const {
    std::lock_guard lock(mutex);
    const QString refusedLine =
        refused == 1
            ? QStringLiteral("Registro: 1 risposta rifiutata, tenuta a parte")
            : QStringLiteral("Registro: %1 risposte rifiutate, tenute a parte").arg(refused);
    const int count = waiting + fresh + int(inMemory.size());
    const bool late = count > 0 && pendingSince &&
                      std::chrono::steady_clock::now() - *pendingSince > LongestSilence;
    if (problemNow.isEmpty() && !late)
        return refused ? refusedLine : QString();
    QString waitingLine =
        count == 1 ? QStringLiteral("Registro: 1 risposta non ancora consegnata")
                   : QStringLiteral("Registro: %1 risposte non ancora consegnate").arg(count);
    // A try that has not ended after so long: the record does not answer.
    const QString reason =
        problemNow.isEmpty() ? QStringLiteral("il registro non risponde") : reasonIn(problemNow);
    if (!reason.isEmpty())
        waitingLine += QStringLiteral(" (%1)").arg(reason);
    return refused ? waitingLine + u'\n' + refusedLine : waitingLine;
}

bool Delivery::stop(std::chrono::milliseconds wait) {
    std::unique_lock lock(mutex);
    stopping = true;
    changed.notify_all();
    return changed.wait_for(lock, wait, [this] { return stopped; });
}

// What queues set aside by earlier starts still hold joins the queue; a
// queue read to its end goes, one that did not is named and read again at
// the next start. Answers already delivered are recognised by their id.
void Delivery::absorbSetAside() {
    const QStringList files = Queue::setAside(queueFile);
    if (files.isEmpty())
        return;
    Queue queue(queueFile, QueueConnection, false);
    if (!queue.isOpen())
        return;
    for (const QString& file : files) {
        bool whole = false;
        const QList<QueuedAnswer> answers =
            Queue::salvage(file, connectionName("coda-da-parte", this), &whole);
        bool kept = true;
        for (const QueuedAnswer& answer : answers)
            kept = queue.add(answer) && kept;
        if (whole && kept)
            Queue::removeSetAside(file);
        else if (!answers.isEmpty()) // one that holds nothing readable was named when set aside
            tell(QStringLiteral("la coda messa da parte %1 si legge solo in parte: %2 risposte "
                                "riprese, il resto resta lì")
                     .arg(file)
                     .arg(answers.size()));
    }
    queue.sync();
}

void Delivery::run() {
    absorbSetAside();
    using Clock = std::chrono::steady_clock;
    auto nextTry = Clock::now();
    auto lastTry = nextTry - FirstWait;
    std::chrono::milliseconds pause{0};
    for (bool last = false; !last;) {
        {
            std::unique_lock lock(mutex);
            // A new answer goes at once; after a failure, once a second has
            // passed since the last try: as often as a pupil answers, never more.
            for (;;) {
                const auto now = Clock::now();
                const auto answerTry = lastTry + FirstWait;
                if (stopping || (pause.count() && now >= nextTry) ||
                    (woken && (!pause.count() || now >= answerTry)))
                    break;
                if (pause.count() || woken)
                    changed.wait_until(lock, pause.count() && woken ? std::min(nextTry, answerTry)
                                             : pause.count()        ? nextTry
                                                                    : answerTry);
                else
                    changed.wait(lock);
            }
            woken = false;
            last = stopping;
        }
        lastTry = Clock::now();
        const bool delivered = deliver();
        pause = delivered ? std::chrono::milliseconds(0)
                          : std::min(LongestWait, std::max(FirstWait, pause * 2));
        nextTry = Clock::now() + pause;
    }
    dropDestination();
    std::lock_guard lock(mutex);
    stopped = true;
    changed.notify_all();
}

bool Delivery::deliver() {
    Queue queue(queueFile, QueueConnection, false);
    if (!queue.isOpen())
        tell(queue.problem);
    bool delivered = deliverHeld(queue.isOpen() ? &queue : nullptr);
    if (queue.isOpen()) {
        // On the disk before anything goes to the network.
        queue.sync();
        counted(queue.count());
        delivered = delivered && deliverQueued(queue);
    }
    finish(delivered, queue.isOpen() ? queue.count() : 0,
           queue.isOpen() ? queue.refusedCount() : 0);
    return delivered;
}

// Into the queue if it takes them now, else straight to the record.
bool Delivery::deliverHeld(Queue* queue) {
    QList<QueuedAnswer> answers;
    {
        std::lock_guard lock(mutex);
        answers.swap(inMemory);
    }
    QList<QueuedAnswer> left;
    for (const QueuedAnswer& answer : answers) {
        if (queue && queue->add(answer))
            continue;
        if (!helper.isEmpty()) {
            QStringList added, refused;
            QString problem;
            if (!left.isEmpty() ||
                !addThroughHelper(helper, {answer}, &added, &refused, &problem) || added.isEmpty())
                left.append(answer);
            continue;
        }
        QString problem;
        if (!left.isEmpty() || !reachDestination()) {
            left.append(answer);
            continue;
        }
        QSqlQuery insert = insertStatement(QSqlDatabase::database(DestinationConnection, false),
                                           destinationColumns);
        if (!insertAnswer(insert, answer, &problem))
            left.append(answer);
    }
    std::lock_guard lock(mutex);
    inMemory = left + inMemory;
    return left.isEmpty();
}

bool Delivery::deliverQueued(Queue& queue) {
    for (;;) {
        const QList<QueuedAnswer> answers = queue.oldest(Batch);
        if (answers.isEmpty())
            return true;
        if (!reachDestination())
            return false;
        QStringList done;
        QStringList refused;
        QString problem;
        if (!helper.isEmpty()) {
            if (!addThroughHelper(helper, answers, &done, &refused, &problem)) {
                tell(QStringLiteral("%1 non prende le risposte, aspettano in %2: %3")
                         .arg(destination, queueFile, problem));
                return false;
            }
            for (const QString& id : refused)
                tell(QStringLiteral("%1 rifiuta la risposta %2, tenuta a parte in %3: %4")
                         .arg(destination, id, queueFile, problem));
            if ((!refused.isEmpty() && !queue.keepRefused(refused)) || !queue.remove(done))
                return false;
            continue;
        }
        QSqlDatabase db = QSqlDatabase::database(DestinationConnection, false);
        // A file takes a batch in one transaction, waiting for its disk once;
        // a server one statement each, as a duplicate ends a transaction.
        const bool batch = !isServer(destination) && db.transaction();
        QSqlQuery insert = insertStatement(db, destinationColumns);
        for (const QueuedAnswer& answer : answers) {
            bool content = false;
            if (insertAnswer(insert, answer, &problem, &content)) {
                done << answer.id;
                continue;
            }
            if (!content)
                break;
            // No later try would change it: kept apart, and the rest go on.
            refused << answer.id;
            tell(
                QStringLiteral("%1 rifiuta la risposta %2 di %3, tenuta a parte in %4: %5")
                    .arg(destination, answer.id, answer.answer.pupil.left(60), queueFile, problem));
        }
        insert = QSqlQuery();
        if (!refused.isEmpty() && !queue.keepRefused(refused))
            return false;
        if (batch && (done.size() + refused.size() < answers.size() || !db.commit())) {
            problem = failure(db, problem);
            db.rollback();
            done.clear();
        }
        db = QSqlDatabase();
        queue.remove(done);
        if (done.size() + refused.size() < answers.size()) {
            tell(QStringLiteral("%1 non prende le risposte, aspettano in %2: %3")
                     .arg(destination, queueFile, problem));
            // A connection that broke is opened afresh at the next try.
            dropDestination();
            return false;
        }
    }
}

bool Delivery::reachDestination() {
    if (destinationOpen || !helper.isEmpty())
        return true;
    QString problem;
    destinationOpen = openDatabase(destination, DestinationConnection, true, &problem);
    if (destinationOpen)
        destinationColumns = laterColumnsIn(QSqlDatabase::database(DestinationConnection, false));
    if (!destinationOpen) {
        tell(QStringLiteral("le risposte aspettano in %1; %2").arg(queueFile, problem));
        closeDatabase(DestinationConnection);
    }
    return destinationOpen;
}

void Delivery::dropDestination() {
    if (QSqlDatabase::contains(DestinationConnection))
        closeDatabase(DestinationConnection);
    destinationOpen = false;
}

// What waits as a try begins: a try that never ends (a server stopped in
// the middle of a statement) still shows on the screen once it is late.
void Delivery::counted(int queued) {
    std::lock_guard lock(mutex);
    waiting = queued;
    fresh = 0;
    if (queued > 0 && !pendingSince)
        pendingSince = std::chrono::steady_clock::now();
}

void Delivery::finish(bool delivered, int left, int refusedNow) {
    std::lock_guard lock(mutex);
    waiting = left;
    fresh = 0;
    refused = refusedNow;
    if (delivered && inMemory.isEmpty() && left == 0) {
        problemNow.clear();
        lastProblem.clear();
        pendingSince.reset();
    } else {
        if (!pendingSince)
            pendingSince = std::chrono::steady_clock::now();
        problemNow = lastProblem.isEmpty() ? QStringLiteral("in attesa") : lastProblem;
    }
}

} // namespace record

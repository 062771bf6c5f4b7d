#include "record/LessonRecord.h"

#include "platform/Warning.h"
#include "record/Database.h"

#include <QDir>
#include <QUuid>

namespace record {

namespace {

const QString QueueConnection = QStringLiteral("mercanzola-coda");
// Quitting is never held up by a server that does not answer; a file on
// the PC's disk gets the time to take the last answers.
constexpr std::chrono::milliseconds LastToServer{400};
constexpr std::chrono::milliseconds LastToFile{3000};

} // namespace

LessonRecord::LessonRecord(const QString& destination, const QString& queueFolder)
    : server(isServer(destination)) {
    QDir().mkpath(queueFolder);
    queueFile = QDir(queueFolder).absoluteFilePath(QStringLiteral("coda-registro.sqlite"));
    delivery = std::make_shared<Delivery>(destination, queueFile);
    queue = std::make_unique<Queue>(queueFile, QueueConnection, true);
    delivery->tell(queue->healed);
    if (!queue->isOpen())
        delivery->tell(queue->problem);
    // Answers left in the queue by an earlier lesson go at once.
    delivery->wake(false);
    sender = std::thread([d = delivery] { d->run(); });
}

LessonRecord::~LessonRecord() {
    queue.reset();
    if (delivery->stop(server ? LastToServer : LastToFile)) {
        sender.join();
    } else {
        // Still waiting for a server: the queue keeps what it has for the next start.
        sender.detach();
    }
    if (const int lost = delivery->held())
        delivery->tell(QStringLiteral("%1 risposte perse: né la coda né il registro le hanno "
                                      "prese")
                           .arg(lost));
}

void LessonRecord::keep(const platform::RecordedAnswer& answer) {
    const QueuedAnswer queued{QUuid::createUuid().toString(QUuid::WithoutBraces), answer};
    // A queue a full disk kept shut at the start is tried again.
    if (!queue->isOpen())
        queue = std::make_unique<Queue>(queueFile, QueueConnection, false);
    if (queue->isOpen() && queue->add(queued)) {
        delivery->wake();
        return;
    }
    delivery->tell(queue->problem);
    delivery->hold(queued);
}

QString LessonRecord::trouble() const {
    return delivery->trouble();
}

} // namespace record

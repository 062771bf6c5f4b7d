#pragma once

#include "platform/RecordPluginInterface.h"
#include "record/Delivery.h"
#include "record/Queue.h"

#include <memory>
#include <thread>

namespace record {

// Write first, send later. keep() adds the answer to the PC's queue on the
// calling thread (a write to a file, which a kill -9 does not undo) and
// returns; the Delivery loop, on a thread of its own, takes it to the record
// (a SQLite file or a server). An answer the queue cannot take (full disk)
// waits in memory for the queue or the record; only those are lost if the
// program must end first, and a line says how many.
class LessonRecord : public platform::AnswerRecord {
public:
    LessonRecord(const QString& destination, const QString& queueFolder);
    // Waits at most a moment for the last delivery.
    ~LessonRecord() override;

    void keep(const platform::RecordedAnswer& answer) override;
    QString trouble() const override;

private:
    bool server;
    QString queueFile;
    std::unique_ptr<Queue> queue;
    std::shared_ptr<Delivery> delivery;
    std::thread sender;
};

} // namespace record

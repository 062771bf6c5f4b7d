#pragma once

#include "record/Queue.h"

#include <QList>
#include <QString>
#include <QStringList>

// The PC's shared record is the record's group's alone: a pupil's account
// adds its answers through the helper the package installs setgid to that
// group beside the program, which writes to that one file and reads nothing
// back.
namespace record {

// The helper's path when `destination` is the PC's shared record and this
// account may not write to it; else empty (the record is opened directly).
QString sharedRecordHelper(const QString& destination);

// Gives the answers to the helper. True when it replied for each: `added` are
// in the record now (or were already), `refused` were refused for their
// content. False, with `problem`, when the record could not take them.
bool addThroughHelper(const QString& helper, const QList<QueuedAnswer>& answers, QStringList* added,
                      QStringList* refused, QString* problem);

} // namespace record

#pragma once

#include "platform/RecordPlugin.h"

#include <QString>

// The teacher's record for this run: off unless started, and then the plugin
// that writes it is loaded after the next paint, or by the first answer.
namespace platform {

// The record plugin in the program folder's plugins/; null, with `problem`
// in Italian, when it is missing or not the record's.
RecordFactory* recordFactory(const QString& programFolder, QString* problem);

// Turns the record on for this run (an empty destination turns it off); it is closed, every answer
// written, when the program quits.
void startRecord(const QString& destination, const QString& programFolder);
bool recordIsOn();

// The pupil at the keyboard, chosen after the start screen.
void setRecordPupil(const QString& name);
QString recordPupil();

// One judged answer of the pupil: when, on which PC and by whom are added
// here. Returns at once; with the record off it does nothing.
void keepAnswer(const QString& exercise, const QString& problem, const QString& answer, bool right,
                double seconds);

// Empty while the answers reach the record; else one short line for the screen.
QString recordTrouble();

// Closes the record, waiting for the answers still being written.
void stopRecord();

} // namespace platform

#pragma once

#include "platform/RecordPluginInterface.h"

#include <QString>
#include <optional>

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

// What the screen knows of one judged answer.
struct AnswerFacts {
    QString exercise;       // the menu's name of the exercise
    int exerciseNumber = 0; // 1 to 13, its place in the menu
    QString problem;        // the problem in one sentence, written
    QString answer;         // as typed
    bool right = false;
    double seconds = 0;       // since the problem was shown
    std::optional<int> level; // empty with levels off
};

// One judged answer of the pupil: when, on which PC and by whom are added
// here. Returns at once; with the record off it does nothing.
void keepAnswer(const AnswerFacts& facts);

// Empty while the answers reach the record; else one short line for the screen.
QString recordTrouble();

// Closes the record, waiting for the answers still being written.
void stopRecord();

} // namespace platform

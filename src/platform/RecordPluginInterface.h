#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QtPlugin>
#include <optional>

// The teacher's record of who practised what, behind the plugin that links Qt
// SQL and its drivers: the program loads it only when the record is on.
namespace platform {

// One judged answer, as kept.
struct RecordedAnswer {
    QString when; // local time, ISO 8601 with its offset
    QString day;  // the local date of `when`, yyyy-MM-dd
    QString pupil;
    QString computer;
    QString exercise;
    QString problem;
    QString answer; // as typed
    bool right = false;
    double seconds = 0;
    int exerciseNumber = 0;   // 1 to 13 as the menu lists it; 0 when unknown (kept as NULL)
    std::optional<int> level; // empty with levels off
};

// A wrong answer, with the right one: the pupil's next right answer to the
// same problem (the problem stays until it is answered right); empty when
// the pupil left it.
struct WrongAnswer {
    QString day; // the PC's local date, as --dal and --al choose it
    QString pupil;
    QString exercise;
    QString problem;
    QString answer;
    QString rightAnswer;
};

// One line of the report: a pupil's answers in one exercise.
struct ReportRow {
    QString pupil;
    QString exercise;
    int answers = 0;
    int right = 0;
    QDate lastDay;
    int exerciseNumber = 0;   // 0 for answers kept before the record had it
    std::optional<int> level; // the highest level of the answers; empty when none had one
    int wrong() const { return answers - right; }
    bool operator==(const ReportRow&) const = default;
};

// Where the answers of a lesson go. keep() puts the answer in the PC's queue
// and returns; a thread of the record's own takes it on to the record.
class AnswerRecord {
public:
    virtual ~AnswerRecord() = default;
    virtual void keep(const RecordedAnswer& answer) = 0;
    // Empty while every answer reaches the record; else what a teacher
    // walking by should read. Any thread may ask.
    virtual QString trouble() const = 0;
};

// A destination is a SQLite file path or a postgresql:// URI. Failures are
// told in `problem` as one Italian sentence.
class RecordFactory {
public:
    virtual ~RecordFactory() = default;
    // Answers for a server wait in a SQLite queue in `queueFolder` until it answers.
    virtual AnswerRecord* openForLesson(const QString& destination, const QString& queueFolder) = 0;
    // Every pupil's lines from `since` to `until` (null dates: no bound).
    virtual bool readReport(const QString& destination, const QDate& since, const QDate& until,
                            QList<ReportRow>* rows, QString* problem) = 0;
    // The wrong answers in the same days, by pupil, then as they were given.
    virtual bool readWrongAnswers(const QString& destination, const QDate& since,
                                  const QDate& until, QList<WrongAnswer>* answers,
                                  QString* problem) = 0;
    // How many answers, of how many pupils, a deletion would take: the
    // pupil's (any spelling of the name, see pupilKey) when `pupil` is given,
    // else those given before `before`.
    virtual bool countDeletion(const QString& destination, const QString& pupil,
                               const QDate& before, int* answers, int* pupils,
                               QString* problem) = 0;
    // Forgets every answer of the pupil, in any spelling of the name;
    // `deleted` is how many there were.
    virtual bool deletePupil(const QString& destination, const QString& pupil, int* deleted,
                             QString* problem) = 0;
    // Forgets every answer given before `day`.
    virtual bool deleteBefore(const QString& destination, const QDate& day, int* deleted,
                              QString* problem) = 0;
};

} // namespace platform

#define MERCANZOLA_RECORD_PLUGIN_IID "org.lamercanzola.RecordFactory/5"
Q_DECLARE_INTERFACE(platform::RecordFactory, MERCANZOLA_RECORD_PLUGIN_IID)

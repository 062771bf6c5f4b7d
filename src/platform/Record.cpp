#include "platform/Record.h"

#include "platform/Idle.h"
#include "platform/PluginLoading.h"
#include "platform/Warning.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QStandardPaths>
#include <QSysInfo>
#include <memory>

namespace platform {

namespace {

struct RecordState {
    QString destination;
    QString programFolder;
    QString pupil;
    bool tried = false;
    std::unique_ptr<AnswerRecord> record;
};

RecordState& state() {
    static RecordState s;
    return s;
}

void loadRecord() {
    RecordState& s = state();
    if (s.tried || s.destination.isEmpty())
        return;
    s.tried = true;
    QString problem;
    RecordFactory* factory = recordFactory(s.programFolder, &problem);
    if (!factory) {
        warn(QStringLiteral("registro: ") + problem);
        return;
    }
    s.record.reset(factory->openForLesson(
        s.destination, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
}

} // namespace

RecordFactory* recordFactory(const QString& programFolder, QString* problem) {
    const QString path =
        QDir(programFolder).absoluteFilePath(QStringLiteral("plugins/mercanzola_record"));
    return loadPlugin<RecordFactory>(path, QStringLiteral("il modulo del registro"), problem);
}

void startRecord(const QString& destination, const QString& programFolder) {
    stopRecord();
    RecordState& s = state();
    s = RecordState{destination, programFolder, {}, false, nullptr};
    static const bool closedAtQuit =
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] { stopRecord(); });
    Q_UNUSED(closedAtQuit);
    if (recordIsOn())
        afterNextPaint([] { loadRecord(); });
}

bool recordIsOn() {
    return !state().destination.isEmpty();
}

void setRecordPupil(const QString& name) {
    state().pupil = name;
}

QString recordPupil() {
    return state().pupil;
}

void keepAnswer(const AnswerFacts& facts) {
    if (!recordIsOn())
        return;
    loadRecord();
    RecordState& s = state();
    if (!s.record)
        return;
    const QDateTime now = QDateTime::currentDateTime();
    // With its offset, so that a server in another time zone reads the same moment.
    const QString when = now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODateWithMs);
    s.record->keep({when, now.date().toString(Qt::ISODate), s.pupil, QSysInfo::machineHostName(),
                    facts.exercise, facts.problem, facts.answer, facts.right, facts.seconds,
                    facts.exerciseNumber, facts.level});
}

QString recordTrouble() {
    const RecordState& s = state();
    return s.record ? s.record->trouble() : QString();
}

void stopRecord() {
    state().record.reset();
}

} // namespace platform

#include "app/RecordCommands.h"

#include "app/RecordReport.h"
#include "model/SettingLines.h"
#include "platform/Record.h"
#include "platform/Warning.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>

namespace {

void print(FILE* to, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), to);
}

int fail(const QString& problem) {
    platform::warn(QStringLiteral("registro: ") + problem);
    return 1;
}

bool save(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

RecordConfig readRecordConfig(const QString& text) {
    RecordConfig config;
    for (const SettingLine& line : settingLines(text)) {
        if (line.name == QStringLiteral("registro") && line.suffix.isEmpty())
            config.destination = line.value;
        else
            config.strayLines
                << QStringLiteral("riga %1 non capita: %2").arg(line.number).arg(line.text);
    }
    return config;
}

QString recordDestination(const CommandLine& command, const QString& configFile) {
    if (!command.record.isEmpty())
        return command.record;
    QFile file(configFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const RecordConfig config = readRecordConfig(QString::fromUtf8(file.read(64 * 1024)));
    for (const QString& stray : config.strayLines)
        platform::warn(configFile + QStringLiteral(": ") + stray);
    return config.destination;
}

int runRecordCommand(const CommandLine& command, const QString& destination,
                     const QString& programFolder) {
    if (destination.isEmpty())
        return fail(QStringLiteral("quale registro? Indicalo con --registro DEST"));
    QString problem;
    platform::RecordFactory* factory = platform::recordFactory(programFolder, &problem);
    if (!factory)
        return fail(problem);
    int deleted = 0;
    if (!command.forgetPupil.isEmpty()) {
        if (!factory->deletePupil(destination, command.forgetPupil, &deleted, &problem))
            return fail(problem);
        if (deleted == 0)
            return fail(QStringLiteral("nessuna risposta di %1: niente da cancellare")
                            .arg(command.forgetPupil));
        print(stdout, QStringLiteral("Cancellate %1 risposte di %2.\n")
                          .arg(deleted)
                          .arg(command.forgetPupil));
    }
    if (command.deleteBefore.isValid()) {
        if (!factory->deleteBefore(destination, command.deleteBefore, &deleted, &problem))
            return fail(problem);
        if (deleted == 0)
            return fail(QStringLiteral("nessuna risposta data prima del %1: niente da cancellare")
                            .arg(command.deleteBefore.toString(QStringLiteral("dd/MM/yyyy"))));
        print(stdout, QStringLiteral("Cancellate %1 risposte date prima del %2.\n")
                          .arg(deleted)
                          .arg(command.deleteBefore.toString(QStringLiteral("dd/MM/yyyy"))));
    }
    if (command.wrongAnswers) {
        QList<platform::WrongAnswer> wrong;
        if (!factory->readWrongAnswers(destination, command.since, command.until, &wrong, &problem))
            return fail(problem);
        print(stdout, wrongAnswersText(wrong));
    }
    if (!command.summary && command.csv.isEmpty() && command.html.isEmpty())
        return 0;
    QList<platform::ReportRow> rows;
    if (!factory->readReport(destination, command.since, command.until, &rows, &problem))
        return fail(problem);
    sortForReport(&rows);
    if (command.summary)
        print(stdout, reportText(rows));
    if (!command.csv.isEmpty() && !save(command.csv, reportCsv(rows)))
        return fail(QStringLiteral("non si scrive il file %1").arg(command.csv));
    QString title = QStringLiteral("Riepilogo");
    if (command.since.isValid())
        title +=
            QStringLiteral(" dal %1").arg(command.since.toString(QStringLiteral("dd/MM/yyyy")));
    if (command.until.isValid())
        title += QStringLiteral(" al %1").arg(command.until.toString(QStringLiteral("dd/MM/yyyy")));
    if (!command.html.isEmpty() && !save(command.html, reportHtml(rows, title)))
        return fail(QStringLiteral("non si scrive il file %1").arg(command.html));
    return 0;
}

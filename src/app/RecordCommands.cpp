#include "app/RecordCommands.h"

#include "app/RecordReport.h"
#include "model/SettingLines.h"
#include "platform/Record.h"
#include "platform/Warning.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstdio>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Why this account may not run a teacher's command on a record file it may
// not read (or change, for a deletion): the PC's shared record is for root
// and the record's group alone, pupils' accounts only add to it. Empty when
// it may, or when the file itself will say what is wrong.
QString refusedHere(const QString& destination, bool change) {
    if (destination.contains(QStringLiteral("://")))
        return {};
    const QByteArray path = QFile::encodeName(destination);
    if (access(path.constData(), change ? R_OK | W_OK : R_OK) == 0 || errno != EACCES)
        return {};
    const passwd* user = getpwuid(getuid());
    const QString account =
        user ? QString::fromLocal8Bit(user->pw_name) : QString::number(getuid());
    const QString shared = QStringLiteral(MERCANZOLA_SHARED_RECORD);
    struct stat folder {};
    const group* owners =
        QDir::cleanPath(destination) == shared &&
                stat(QFile::encodeName(QFileInfo(shared).absolutePath()).constData(), &folder) == 0
            ? getgrgid(folder.st_gid)
            : nullptr;
    if (!owners)
        return QStringLiteral("questo account (%1) non può %2 il registro %3: permesso negato")
            .arg(account, change ? QStringLiteral("cambiare") : QStringLiteral("leggere"),
                 destination);
    const QString group = QString::fromLocal8Bit(owners->gr_name);
    return QStringLiteral("questo account (%1) non può leggere né cambiare il registro %2: "
                          "riepiloghi, errori e cancellazioni sono per root e per gli "
                          "insegnanti, gli account del gruppo %3 (root ve li aggiunge con: "
                          "adduser NOME %3). Gli alunni vi aggiungono soltanto le loro risposte.")
        .arg(account, destination, group);
}

QString answersOf(int answers, int pupils) {
    return QStringLiteral("%1 %2 di %3 %4")
        .arg(answers)
        .arg(answers == 1 ? QStringLiteral("risposta") : QStringLiteral("risposte"))
        .arg(pupils)
        .arg(pupils == 1 ? QStringLiteral("alunno") : QStringLiteral("alunni"));
}

// Asked on a terminal, answered by --sì in a script; with neither, refused.
bool confirmed(const CommandLine& command, const QString& what) {
    if (command.confirmed)
        return true;
    if (!isatty(STDIN_FILENO)) {
        fail(QStringLiteral("nulla è stato cancellato: si cancellerebbero %1. Senza un "
                            "terminale a cui chiedere conferma, aggiungi --sì")
                 .arg(what));
        return false;
    }
    print(stdout,
          QStringLiteral("Si cancellano %1. Confermi? Scrivi sì per cancellare: ").arg(what));
    std::fflush(stdout);
    char line[64] = {};
    const QString reply = std::fgets(line, sizeof line, stdin)
                              ? QString::fromLocal8Bit(line).simplified().toCaseFolded()
                              : QString();
    if (reply == u"sì" || reply == u"si" || reply == u"s")
        return true;
    print(stdout, QStringLiteral("Nulla è stato cancellato.\n"));
    return false;
}

} // namespace

// One deletion: counted, told and asked, then done.
bool erase(platform::RecordFactory* factory, const CommandLine& command, const QString& destination,
           const Deletion& deletion) {
    int answers = 0;
    int pupils = 0;
    QString problem;
    if (!factory->countDeletion(destination, deletion.pupil, deletion.before, &answers, &pupils,
                                &problem))
        return fail(problem) == 0;
    if (answers == 0)
        return fail(QStringLiteral("nessuna risposta %1: niente da cancellare")
                        .arg(deletion.nothing)) == 0;
    const QString what = QStringLiteral("%1, %2").arg(answersOf(answers, pupils), deletion.which);
    if (!confirmed(command, what))
        return false;
    int deleted = 0;
    if (!(deletion.pupil.isEmpty()
              ? factory->deleteBefore(destination, deletion.before, &deleted, &problem)
              : factory->deletePupil(destination, deletion.pupil, &deleted, &problem)))
        return fail(problem) == 0;
    print(stdout, QStringLiteral("Cancellate %1 risposte %2.\n").arg(deleted).arg(deletion.which));
    return true;
}

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
    const bool change = !command.forgetPupil.isEmpty() || command.deleteBefore.isValid();
    if (const QString refused = refusedHere(destination, change); !refused.isEmpty())
        return fail(refused);
    QString problem;
    platform::RecordFactory* factory = platform::recordFactory(programFolder, &problem);
    if (!factory)
        return fail(problem);
    if (!command.forgetPupil.isEmpty() &&
        !erase(factory, command, destination,
               {command.forgetPupil,
                {},
                QStringLiteral("di %1").arg(command.forgetPupil),
                QStringLiteral("di %1").arg(command.forgetPupil)}))
        return 1;
    const QString day = command.deleteBefore.toString(QStringLiteral("dd/MM/yyyy"));
    if (command.deleteBefore.isValid() && !erase(factory, command, destination,
                                                 {{},
                                                  command.deleteBefore,
                                                  QStringLiteral("date prima del %1").arg(day),
                                                  QStringLiteral("data prima del %1").arg(day)}))
        return 1;
    if (command.wrongAnswers) {
        QList<platform::WrongAnswer> wrong;
        if (!factory->readWrongAnswers(destination, command.since, command.until, &wrong, &problem))
            return fail(problem);
        joinSpellings(&wrong);
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

#include "record/Helper.h"

#include "record/Reasons.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

namespace record {

namespace {

QString escaped(QString field) {
    return field.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'\t', QStringLiteral("\\t"))
        .replace(u'\n', QStringLiteral("\\n"))
        .replace(u'\r', QStringLiteral("\\r"));
}

// One line of the helper's input, its fields in the table's order.
QByteArray line(const QueuedAnswer& queued) {
    const platform::RecordedAnswer& a = queued.answer;
    const QStringList fields = {queued.id,
                                a.when,
                                a.day,
                                escaped(a.pupil),
                                escaped(a.computer),
                                escaped(a.exercise),
                                escaped(a.problem),
                                escaped(a.answer),
                                a.right ? QStringLiteral("1") : QStringLiteral("0"),
                                QString::number(a.seconds, 'g', 15),
                                a.exerciseNumber > 0 ? QString::number(a.exerciseNumber)
                                                     : QString(),
                                a.level ? QString::number(*a.level) : QString(),
                                queued.order > 0 ? QString::number(queued.order) : QString()};
    return fields.join(u'\t').toUtf8() + '\n';
}

// A file in memory alone, closed with its last descriptor.
class MemoryFile {
public:
    explicit MemoryFile(const char* name) : fd(memfd_create(name, MFD_CLOEXEC)) {}
    ~MemoryFile() {
        if (fd >= 0)
            close(fd);
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    bool write(const QByteArray& bytes) {
        QFile file;
        return file.open(fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle) &&
               file.write(bytes) == bytes.size() && file.flush() && lseek(fd, 0, SEEK_SET) == 0;
    }
    QByteArray read() {
        QFile file;
        lseek(fd, 0, SEEK_SET);
        return file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle) ? file.readAll()
                                                                                : QByteArray();
    }
    const int fd;
};

// Runs the helper with no environment, `input` on its standard input; false
// when it could not run or did not end well.
bool runHelper(const QString& helper, const QByteArray& input, QByteArray* output,
               QByteArray* errors) {
    MemoryFile in("mercanzola-consegna-in"), out("mercanzola-consegna-out"),
        err("mercanzola-consegna-err");
    if (in.fd < 0 || out.fd < 0 || err.fd < 0 || !in.write(input))
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in.fd, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out.fd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err.fd, STDERR_FILENO);
    const QByteArray path = QFile::encodeName(helper);
    char* const arguments[] = {const_cast<char*>(path.constData()), nullptr};
    char* const environment[] = {nullptr};
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, path.constData(), &actions, nullptr, arguments, environment);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        *errors = QByteArray("non si avvia ") + path + ": " + strerror(spawned);
        return false;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    *output = out.read();
    *errors = err.read().trimmed();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

QString sharedRecordHelper(const QString& destination) {
    const QString shared = QStringLiteral(MERCANZOLA_SHARED_RECORD);
    if (QDir::cleanPath(QFileInfo(destination).absoluteFilePath()) != shared ||
        access(QFile::encodeName(shared).constData(), W_OK) == 0)
        return {};
    return QDir(QCoreApplication::applicationDirPath())
        .absoluteFilePath(QStringLiteral("mercanzola-consegna"));
}

bool addThroughHelper(const QString& helper, const QList<QueuedAnswer>& answers, QStringList* added,
                      QStringList* refused, QString* problem) {
    QByteArray input;
    for (const QueuedAnswer& answer : answers)
        input += line(answer);
    QByteArray output;
    QByteArray errors;
    const bool ran = runHelper(helper, input, &output, &errors);
    const QList<QByteArray> replies = output.split('\n');
    if (!ran || replies.size() < answers.size()) {
        *problem = errors.isEmpty() ? QStringLiteral("%1 non ha risposto").arg(helper)
                                    : explainedText(QString::fromUtf8(errors).simplified());
        return false;
    }
    for (qsizetype i = 0; i < answers.size(); ++i) {
        if (replies[i] == "ok") {
            *added << answers[i].id;
        } else {
            *refused << answers[i].id;
            *problem = explainedText(QString::fromUtf8(replies[i]));
        }
    }
    return true;
}

} // namespace record

#include "Child.h"

#include "app/TimingMarks.h"

#include <QDir>
#include <QFile>
#include <QThread>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

QString scratchFile(const char* what) {
    static int counter = 0;
    return QDir::temp().filePath(QStringLiteral("mercanzola-bench-%1-%2-%3.txt")
                                     .arg(getpid())
                                     .arg(++counter)
                                     .arg(QLatin1String(what)));
}

QString readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

Child::Child(const QString& program, const QStringList& arguments, const QStringList& environment)
    : outPath(scratchFile("out")), errPath(scratchFile("err")) {
    std::vector<QByteArray> argBytes{program.toLocal8Bit()};
    for (const QString& argument : arguments)
        argBytes.push_back(argument.toLocal8Bit());
    std::vector<QByteArray> envBytes;
    for (char** e = environ; *e; ++e)
        envBytes.emplace_back(*e);
    for (const QString& setting : environment)
        envBytes.push_back(setting.toLocal8Bit());
    std::vector<char*> argv, envp;
    for (QByteArray& a : argBytes)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    for (QByteArray& e : envBytes)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    const QByteArray out = outPath.toLocal8Bit(), err = errPath.toLocal8Bit();
    posix_spawn_file_actions_addopen(&files, 1, out.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&files, 2, err.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    start = timing::now();
    if (posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&files);
}

Child::~Child() {
    stop();
    QFile::remove(outPath);
    QFile::remove(errPath);
}

bool Child::running() {
    if (pid <= 0)
        return false;
    int raw = 0;
    if (waitpid(pid, &raw, WNOHANG) == pid) {
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        pid = -1;
        return false;
    }
    return true;
}

bool Child::waitForEnd(int milliseconds) {
    const qint64 deadline = timing::now() + qint64(milliseconds) * 1'000'000;
    while (running()) {
        if (timing::now() > deadline)
            return false;
        QThread::msleep(5);
    }
    return true;
}

void Child::stop() {
    if (!running())
        return;
    kill(pid, SIGTERM);
    if (!waitForEnd(2000)) {
        kill(pid, SIGKILL);
        waitForEnd(2000);
    }
}

QString Child::output() const {
    return readAll(outPath);
}

QString Child::errors() const {
    return readAll(errPath);
}

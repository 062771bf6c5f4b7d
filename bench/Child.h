#pragma once

#include <QString>
#include <QStringList>
#include <sys/types.h>

// A program started by the runner, its output going to files, timed from just
// before the exec on the monotonic clock.
class Child {
public:
    Child(const QString& program, const QStringList& arguments, const QStringList& environment);
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool started() const { return pid > 0; }
    qint64 startedAt() const { return start; }
    pid_t id() const { return pid; }

    bool running();
    // Waits up to `milliseconds` for the end; false if still running.
    bool waitForEnd(int milliseconds);
    void stop();
    int exitCode() const { return status; }

    QString output() const;
    QString errors() const;

private:
    pid_t pid = -1;
    qint64 start = 0;
    int status = -1;
    QString outPath, errPath;
};

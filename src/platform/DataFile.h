#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// A data file beside the program, or why it cannot be had.
struct DataFile {
    QByteArray bytes;
    bool missing = false;
    // Why the file cannot be read, as one Italian sentence for the teacher;
    // empty when `bytes` hold the whole file.
    QString problem;
};

// Whether the file at `path` may be read, without its bytes: only a regular
// file (a link to one is fine) of at most maxBytes may. Asked of the file system
// without opening the file, so that a pipe cannot block the program nor a
// device pour bytes into it for ever.
DataFile checkDataFile(const QString& path, qint64 maxBytes);

// The whole file, when checkDataFile finds it fit.
DataFile readDataFile(const QString& path, qint64 maxBytes);

} // namespace platform

#pragma once

#include <QFile>
#include <QSaveFile>
#include <QString>

class QIODevice;

namespace worksheet {

// Where a PDF goes: a temporary file beside the target, put in its place
// only when whole, so that a full disk never leaves a cut sheet nor spoils an
// older one; straight into a device (a pipe, /dev/full), which cannot be
// replaced, with every write checked.
class SheetFile {
public:
    explicit SheetFile(const QString& path);
    // Null when it cannot be opened; commit() then says why.
    QIODevice* device();
    // Empty when the file is written whole; otherwise an Italian message.
    QString commit();
    // Leaves the target as it was.
    void cancel();

private:
    QString told(const QFileDevice& file) const;

    QString path;
    bool direct;
    QSaveFile saved;
    QFile straight;
    bool opened = false;
};

} // namespace worksheet

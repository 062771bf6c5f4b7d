#include "platform/DataFile.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace platform {

namespace {

QString tooLarge(qint64 size, qint64 maxBytes) {
    // In KB as a file manager shows them, grouped the Italian way.
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    const auto kilobytes = [&](qint64 bytes) { return italian.toString((bytes + 1023) / 1024); };
    return QStringLiteral("È troppo grande: %1 KB, mentre il limite è %2 KB.")
        .arg(kilobytes(size), kilobytes(maxBytes));
}

} // namespace

DataFile checkDataFile(const QString& path, qint64 maxBytes) {
    const QFileInfo info(path);
    DataFile file;
    if (!info.exists()) {
        file.missing = true;
        file.problem = QStringLiteral("Il file non esiste.");
    } else if (info.isDir()) {
        file.problem = QStringLiteral("È una cartella, non un file.");
    } else if (!info.isFile()) {
        file.problem =
            QStringLiteral("Non è un file normale: è una pipe, un dispositivo o simili.");
    } else if (!info.isReadable()) {
        file.problem = QStringLiteral("Non si ha il permesso di leggerlo.");
    } else if (info.size() > maxBytes) {
        file.problem = tooLarge(info.size(), maxBytes);
    }
    return file;
}

DataFile readDataFile(const QString& path, qint64 maxBytes) {
    DataFile file = checkDataFile(path, maxBytes);
    if (!file.problem.isEmpty())
        return file;
    QFile device(path);
    if (device.open(QIODevice::ReadOnly)) {
        // One byte past the limit tells a file that grew since it was checked.
        file.bytes = device.read(maxBytes + 1);
        if (file.bytes.size() > maxBytes)
            file.problem = tooLarge(qMax(device.size(), qint64(file.bytes.size())), maxBytes);
    }
    if (device.error() != QFileDevice::NoError)
        file.problem = device.errorString() + u'.';
    if (!file.problem.isEmpty())
        file.bytes.clear();
    return file;
}

} // namespace platform

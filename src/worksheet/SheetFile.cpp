#include "worksheet/SheetFile.h"

#include <QFileInfo>

namespace worksheet {

SheetFile::SheetFile(const QString& path)
    : path(path),
      direct(QFileInfo::exists(path) && !QFileInfo(path).isFile() && !QFileInfo(path).isDir()),
      saved(path), straight(path) {
    opened = direct ? straight.open(QIODevice::WriteOnly) : saved.open(QIODevice::WriteOnly);
}

QIODevice* SheetFile::device() {
    if (!opened)
        return nullptr;
    return direct ? static_cast<QIODevice*>(&straight) : &saved;
}

QString SheetFile::told(const QFileDevice& file) const {
    QString why;
    switch (file.error()) {
    case QFileDevice::ResourceError:
        why = QStringLiteral("il disco è pieno");
        break;
    case QFileDevice::OpenError:
        why = QStringLiteral("la cartella non c'è o non vi si può scrivere");
        break;
    default:
        why = QStringLiteral("errore di scrittura");
    }
    return QStringLiteral("Non riesco a scrivere la scheda in %1: %2 (%3). Un file che c'era "
                          "già è rimasto com'era.")
        .arg(path, why, file.errorString());
}

QString SheetFile::commit() {
    if (!opened)
        return told(direct ? static_cast<const QFileDevice&>(straight) : saved);
    if (direct) {
        const bool whole = straight.flush() && straight.error() == QFileDevice::NoError;
        const QString error = whole ? QString() : told(straight);
        straight.close();
        return error;
    }
    if (saved.commit())
        return QString();
    return told(saved);
}

void SheetFile::cancel() {
    if (opened && !direct)
        saved.cancelWriting();
}

} // namespace worksheet

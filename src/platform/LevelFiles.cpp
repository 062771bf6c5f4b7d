#include "platform/LevelFiles.h"

#include "model/Levels.h"
#include "platform/Warning.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>

namespace platform {

namespace {

QString reachedFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/mercanzola/livelli.conf");
}

// "esercizio9", or "Mario Rossi/esercizio9" with a pupil: a slash in a name
// would make a group of its own.
QString reachedKey(const QString& pupil, int exercise) {
    const QString key = QStringLiteral("esercizio%1").arg(exercise);
    QString name = pupil.simplified();
    name.replace(u'/', u' ').replace(u'\\', u' ');
    return name.isEmpty() ? key : name + u'/' + key;
}

} // namespace

QString userLevelFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/mercanzola/livello.conf");
}

LevelSettings levelSettingsIn(const QString& file, int exercises) {
    QFile settings(file);
    if (!settings.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const LevelSettings read =
        readLevelSettings(QString::fromUtf8(settings.read(64 * 1024)), exercises);
    for (const QString& stray : read.strayLines)
        warn(file + QStringLiteral(": ") + stray);
    return read;
}

int reachedLevel(const QString& pupil, int exercise) {
    const QSettings kept(reachedFile(), QSettings::IniFormat);
    const int level = kept.value(reachedKey(pupil, exercise), LowestLevel).toInt();
    return level >= LowestLevel && level <= HighestLevel ? level : LowestLevel;
}

void keepReachedLevel(const QString& pupil, int exercise, int level) {
    QSettings kept(reachedFile(), QSettings::IniFormat);
    kept.setValue(reachedKey(pupil, exercise), level);
    kept.sync();
    if (kept.status() != QSettings::NoError)
        warn(QStringLiteral("non si scrive il livello raggiunto in ") + reachedFile());
}

} // namespace platform

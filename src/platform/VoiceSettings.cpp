#include "platform/VoiceSettings.h"
#include "platform/Warning.h"

#include <QDebug>
#include <QFile>
#include <QStandardPaths>

namespace platform {

QString voiceSettingsFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/mercanzola/voce.conf");
}

std::optional<int> slownessFromText(const QString& text) {
    bool number = false;
    const int value = text.trimmed().toInt(&number);
    if (!number || value < 1 || value > 3)
        return std::nullopt;
    return value - 1;
}

std::optional<int> slownessInSettings(const QString& file) {
    QFile settings(file);
    if (!settings.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    const QStringList lines = QString::fromUtf8(settings.read(64 * 1024)).split(u'\n');
    for (const QString& line : lines) {
        const QString name = line.section(u'=', 0, 0).trimmed();
        if (line.trimmed().startsWith(u'#') || name != QStringLiteral("lentezza"))
            continue;
        const QString value = line.section(u'=', 1).trimmed();
        if (const std::optional<int> slowness = slownessFromText(value))
            return slowness;
        warn(QStringLiteral("%1: \"lentezza = %2\" non va: si scrive 1, 2 oppure 3")
                 .arg(file, value));
    }
    return std::nullopt;
}

} // namespace platform

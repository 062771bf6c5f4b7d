#include "platform/VoiceSettings.h"
#include "platform/Warning.h"

#include "model/SettingLines.h"

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
    for (const SettingLine& line : settingLines(QString::fromUtf8(settings.read(64 * 1024)))) {
        if (line.name != QStringLiteral("lentezza"))
            continue;
        if (const std::optional<int> slowness = slownessFromText(line.value))
            return slowness;
        warn(QStringLiteral("%1: \"lentezza = %2\" non va: si scrive 1, 2 oppure 3")
                 .arg(file, line.value));
    }
    return std::nullopt;
}

} // namespace platform

#include "model/SettingLines.h"

#include <QRegularExpression>

QList<SettingLine> settingLines(const QString& text) {
    static const QRegularExpression setting(
        QStringLiteral("^(\\w+)(?:\\.(\\d+))?\\s*[:=]\\s*(.*)$"),
        QRegularExpression::UseUnicodePropertiesOption);
    QList<SettingLine> settings;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString trimmed = lines[i].trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        SettingLine line{static_cast<int>(i + 1), trimmed, {}, {}, {}};
        if (const auto match = setting.match(trimmed); match.hasMatch())
            line = {line.number, trimmed, match.captured(1).toLower(), match.captured(2),
                    match.captured(3).trimmed()};
        settings.append(line);
    }
    return settings;
}

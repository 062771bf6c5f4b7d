#pragma once

#include <QList>
#include <QString>

// One line of a school's or a user's .conf file (registro.conf, livello.conf,
// voce.conf): "name = value" or "name: value", the name in any letter case,
// perhaps with a number after a dot ("livello.9 = 1").
struct SettingLine {
    int number = 0; // from 1, as an editor counts
    QString text;   // the line as written, trimmed
    QString name;   // in lower case; empty when the line is no setting
    QString suffix; // the digits after the dot, if any
    QString value;  // trimmed
};

// The lines that are neither blank nor comments (#), in their order.
QList<SettingLine> settingLines(const QString& text);

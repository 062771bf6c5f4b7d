#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The one table of the program's options: --help and the manual page are both
// written from it, so a new option is added here and nowhere else.
struct CommandLineOption {
    QStringList names;      // without dashes; a one-letter name takes one dash
    QString description;    // in Italian, one sentence or two
    QString valueName = {}; // empty for an option that takes no value
};

inline const QString EuroCatalogue = QStringLiteral("lista-euro.txt");
inline const QString RecordConfigFile = QStringLiteral("/etc/mercanzola/registro.conf");

const QList<CommandLineOption>& commandLineOptions();

// "-h" or "--help": the name as typed, dashes and all.
QString dashedName(const QString& name);

// "-h, --help" or "--lista FILE", as the option is typed.
QString optionLabel(const CommandLineOption& option);

#include "app/CommandLine.h"

#include <QCommandLineParser>

namespace {

struct Option {
    QStringList names;
    QString description;
};

const QList<Option>& options() {
    static const QList<Option> list = {
        {{QStringLiteral("schermo-intero")},
         QStringLiteral("Parte a schermo intero. Il tasto F11 passa dalla finestra allo "
                        "schermo intero e ritorno.")},
        {{QStringLiteral("h"), QStringLiteral("help")},
         QStringLiteral("Mostra queste informazioni ed esce.")},
    };
    return list;
}

QString optionLabel(const QStringList& names) {
    QStringList shown;
    for (const QString& name : names)
        shown << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    return shown.join(QStringLiteral(", "));
}

// The option as it was typed, dashes and all.
QString asTyped(const QString& name, const QStringList& arguments) {
    for (const QString& argument : arguments) {
        QString bare = argument.section(u'=', 0, 0);
        while (bare.startsWith(u'-'))
            bare.remove(0, 1);
        if (argument.startsWith(u'-') && bare == name)
            return argument.section(u'=', 0, 0);
    }
    return QStringLiteral("--") + name;
}

} // namespace

CommandLine readCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    // "-help" as a word, not as the letters h, e, l, p.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const Option& option : options())
        parser.addOption(QCommandLineOption(option.names));
    CommandLine result;
    parser.parse(arguments);
    result.fullScreen = parser.isSet(QStringLiteral("schermo-intero"));
    result.help = parser.isSet(QStringLiteral("help"));
    QStringList mistakes;
    for (const QString& unknown : parser.unknownOptionNames())
        mistakes << QStringLiteral("Opzione sconosciuta: %1").arg(asTyped(unknown, arguments));
    for (const QString& extra : parser.positionalArguments())
        mistakes << QStringLiteral("Argomento non previsto: %1").arg(extra);
    result.error = mistakes.join(u'\n');
    return result;
}

QString commandLineHelp() {
    QString text = QStringLiteral("Uso: mercanzola [opzioni]\n"
                                  "La mercanzola: esercitazioni matematiche di compravendita.\n\n"
                                  "Opzioni:\n");
    for (const Option& option : options())
        text += QStringLiteral("  %1  %2\n")
                    .arg(optionLabel(option.names), -20)
                    .arg(option.description);
    return text;
}

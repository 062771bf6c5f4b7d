#include "app/CommandLine.h"
#include "app/CommandLineOptions.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

// A file named on the command line, as a path that does not depend on the
// folder the program later reads its data from.
QString absolute(const QString& file) {
    return file.isEmpty() ? file : QFileInfo(file).absoluteFilePath();
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
    for (const CommandLineOption& option : commandLineOptions())
        parser.addOption(QCommandLineOption(option.names, option.description, option.valueName));
    CommandLine result;
    const bool parsed = parser.parse(arguments);
    result.fullScreen = parser.isSet(QStringLiteral("schermo-intero"));
    result.help = parser.isSet(QStringLiteral("help"));
    result.check = parser.value(QStringLiteral("controlla"));
    result.catalogue = absolute(parser.value(QStringLiteral("lista")));
    QStringList mistakes;
    if (parser.isSet(QStringLiteral("euro"))) {
        if (!result.catalogue.isEmpty())
            mistakes << QStringLiteral("Le opzioni --euro e --lista non vanno insieme: "
                                       "scegline una.");
        result.catalogue = EuroCatalogue;
    }
    const bool padShown = parser.isSet(QStringLiteral("tastierino"));
    const bool padHidden = parser.isSet(QStringLiteral("senza-tastierino"));
    if (padShown && padHidden)
        mistakes << QStringLiteral("Le opzioni --tastierino e --senza-tastierino non vanno "
                                   "insieme: scegline una.");
    else if (padShown || padHidden)
        result.numberPad = padShown;
    // The parser's only other complaint is an option left without its value.
    if (!parsed && parser.unknownOptionNames().isEmpty())
        mistakes << QStringLiteral("Manca il nome del file dopo %1")
                        .arg(parser.errorText().section(u'\'', 1, 1));
    for (const QString& name : {QStringLiteral("lista"), QStringLiteral("controlla")})
        if (parser.isSet(name) && parser.value(name).isEmpty())
            mistakes << QStringLiteral("Manca il nome del file dopo --%1").arg(name);
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
    for (const CommandLineOption& option : commandLineOptions())
        text += QStringLiteral("  %1  %2\n").arg(optionLabel(option), -20).arg(option.description);
    return text;
}

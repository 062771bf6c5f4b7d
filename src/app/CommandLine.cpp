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

QDate readDate(const QCommandLineParser& parser, const QString& option, QStringList* mistakes) {
    const QString typed = parser.value(option);
    if (typed.isEmpty())
        return {};
    const QDate day = QDate::fromString(typed, QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid())
        *mistakes << QStringLiteral("Data non valida dopo --%1: %2 (si scrive AAAA-MM-GG, per "
                                    "esempio 2024-09-16)")
                         .arg(option, typed);
    return day;
}

void readRecordOptions(const QCommandLineParser& parser, CommandLine* result,
                       QStringList* mistakes) {
    const QString record = parser.value(QStringLiteral("registro"));
    result->record = record.contains(QStringLiteral("://")) ? record : absolute(record);
    result->summary = parser.isSet(QStringLiteral("riepilogo"));
    result->csv = absolute(parser.value(QStringLiteral("csv")));
    result->html = absolute(parser.value(QStringLiteral("html")));
    result->forgetPupil = parser.value(QStringLiteral("cancella-alunno")).simplified();
    result->since = readDate(parser, QStringLiteral("dal"), mistakes);
    result->until = readDate(parser, QStringLiteral("al"), mistakes);
    result->deleteBefore = readDate(parser, QStringLiteral("cancella-prima-del"), mistakes);
    result->wrongAnswers = parser.isSet(QStringLiteral("errori"));
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
    result.readAloud = parser.isSet(QStringLiteral("leggi"));
    result.check = parser.value(QStringLiteral("controlla"));
    result.catalogue = absolute(parser.value(QStringLiteral("lista")));
    QStringList mistakes;
    readRecordOptions(parser, &result, &mistakes);
    if (parser.isSet(QStringLiteral("euro"))) {
        if (!result.catalogue.isEmpty())
            mistakes << QStringLiteral("Le opzioni --euro e --lista non vanno insieme: "
                                       "scegline una.");
        result.catalogue = EuroCatalogue;
    }
    // "--controlla --euro": the parser would take the next option for the file.
    bool fileMissing = false;
    for (const QString& name :
         {QStringLiteral("lista"), QStringLiteral("controlla"), QStringLiteral("registro"),
          QStringLiteral("csv"), QStringLiteral("html")})
        if (parser.isSet(name) &&
            (parser.value(name).isEmpty() || parser.value(name).startsWith(u'-'))) {
            mistakes << QStringLiteral("Manca il nome del file dopo --%1").arg(name);
            fileMissing = true;
        }
    const bool padShown = parser.isSet(QStringLiteral("tastierino"));
    const bool padHidden = parser.isSet(QStringLiteral("senza-tastierino"));
    if (padShown && padHidden)
        mistakes << QStringLiteral("Le opzioni --tastierino e --senza-tastierino non vanno "
                                   "insieme: scegline una.");
    else if (padShown || padHidden)
        result.numberPad = padShown;
    // The parser's only other complaint is an option left without its value.
    if (!parsed && parser.unknownOptionNames().isEmpty() && !fileMissing)
        mistakes << QStringLiteral("Manca il nome del file dopo %1")
                        .arg(parser.errorText().section(u'\'', 1, 1));
    if (parser.isSet(QStringLiteral("cancella-alunno")) && result.forgetPupil.isEmpty())
        mistakes << QStringLiteral("Manca il nome dell'alunno dopo --cancella-alunno");
    for (const QString& unknown : parser.unknownOptionNames())
        mistakes << QStringLiteral("Opzione sconosciuta: %1").arg(asTyped(unknown, arguments));
    for (const QString& extra : parser.positionalArguments())
        mistakes << QStringLiteral("Argomento non previsto: %1").arg(extra);
    result.checkAsked = parser.isSet(QStringLiteral("controlla"));
    // The check opens no window and reads only its own file: any option beside it
    // would be silently ignored.
    if (result.checkAsked &&
        (result.fullScreen || parser.isSet(QStringLiteral("euro")) ||
         parser.isSet(QStringLiteral("lista")) || result.readAloud || !result.record.isEmpty() ||
         result.recordCommand() || result.numberPad.has_value()))
        mistakes << QStringLiteral("L'opzione --controlla va da sola: mercanzola --controlla FILE");
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

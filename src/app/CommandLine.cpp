#include "app/CommandLine.h"
#include "app/CommandLineOptions.h"
#include "model/Exercises.h"
#include "platform/VoiceSettings.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <algorithm>

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

// The toolkit's own options, which it takes from the command line when it
// starts, with whether a value follows: they are no mistake of the user's.
struct ToolkitOption {
    const char* name;
    bool takesValue;
};
constexpr ToolkitOption ToolkitOptions[] = {{"platform", true},
                                            {"platformpluginpath", true},
                                            {"platformtheme", true},
                                            {"plugin", true},
                                            {"qwindowgeometry", true},
                                            {"geometry", true},
                                            {"qwindowicon", true},
                                            {"icon", true},
                                            {"qwindowtitle", true},
                                            {"title", true},
                                            {"session", true},
                                            {"display", true},
                                            {"name", true},
                                            {"style", true},
                                            {"stylesheet", true},
                                            {"reverse", false},
                                            {"widgetcount", false},
                                            {"nograb", false},
                                            {"dograb", false},
                                            {"sync", false},
                                            {"visual", true},
                                            {"qmljsdebugger", true}};

// The arguments without the toolkit's options, which the toolkit reads for
// itself (one dash or two, the value after "=" or as the next argument).
QStringList withoutToolkitOptions(const QStringList& arguments) {
    QStringList ours;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        QString bare = argument.section(u'=', 0, 0);
        bare.remove(0, bare.startsWith(QStringLiteral("--")) ? 2 : 1);
        const auto toolkit = std::find_if(
            std::begin(ToolkitOptions), std::end(ToolkitOptions),
            [&](const ToolkitOption& option) { return bare == QLatin1String(option.name); });
        if (i == 0 || !argument.startsWith(u'-') || toolkit == std::end(ToolkitOptions)) {
            ours << argument;
            continue;
        }
        if (toolkit->takesValue && !argument.contains(u'='))
            ++i;
    }
    return ours;
}

// Words laid in lines of at most `width` characters, the text starting at
// column `indent` and each further line indented as far.
QString wrapped(const QString& text, qsizetype indent, qsizetype width) {
    QString result;
    qsizetype column = indent;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!result.isEmpty() && column + 1 + word.size() > width) {
            result += u'\n' + QString(indent, u' ');
            column = indent;
        } else if (!result.isEmpty()) {
            result += u' ';
            ++column;
        }
        result += word;
        column += word.size();
    }
    return result;
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
    if (result->since.isValid() && result->until.isValid() && result->since > result->until)
        *mistakes << QStringLiteral("--dal %1 viene dopo --al %2: nessun giorno fra i due")
                         .arg(result->since.toString(Qt::ISODate),
                              result->until.toString(Qt::ISODate));
    result->deleteBefore = readDate(parser, QStringLiteral("cancella-prima-del"), mistakes);
    result->wrongAnswers = parser.isSet(QStringLiteral("errori"));
    result->confirmed = parser.isSet(QStringLiteral("si"));
}

void readWorksheetOptions(const QCommandLineParser& parser, CommandLine* result,
                          QStringList* mistakes) {
    result->worksheet = absolute(parser.value(QStringLiteral("scheda")));
    result->worksheetAsked = parser.isSet(QStringLiteral("scheda"));
    result->prepareWorksheet = parser.isSet(QStringLiteral("prepara-scheda"));
    result->solutions = parser.isSet(QStringLiteral("soluzioni"));
    result->largePrint = parser.isSet(QStringLiteral("grande"));
    if (parser.isSet(QStringLiteral("esercizi")))
        for (const QString& part :
             parser.value(QStringLiteral("esercizi")).split(u',', Qt::SkipEmptyParts)) {
            bool ok = false;
            const int number = part.trimmed().toInt(&ok);
            if (!ok || !exerciseNumbered(number)) {
                *mistakes << QStringLiteral("Esercizio sconosciuto dopo --esercizi: %1 (i numeri "
                                            "vanno da 1 a %2, separati da virgole: 1,5,9)")
                                 .arg(part.trimmed())
                                 .arg(ExerciseCount);
                break;
            }
            result->worksheetExercises.push_back(number);
        }
    result->problemsAsked = parser.isSet(QStringLiteral("problemi"));
    if (result->problemsAsked) {
        bool ok = false;
        result->problemsEach = parser.value(QStringLiteral("problemi")).toInt(&ok);
        if (!ok || result->problemsEach < 1 || result->problemsEach > 50)
            *mistakes << QStringLiteral("Numero non valido dopo --problemi: %1 (da 1 a 50)")
                             .arg(parser.value(QStringLiteral("problemi")));
    }
    if (parser.isSet(QStringLiteral("seme"))) {
        bool ok = false;
        result->seed = parser.value(QStringLiteral("seme")).toULongLong(&ok);
        if (!ok)
            *mistakes << QStringLiteral("Numero non valido dopo --seme: %1")
                             .arg(parser.value(QStringLiteral("seme")));
    }
    result->classAsked = parser.isSet(QStringLiteral("classe"));
    result->sheetCode = parser.value(QStringLiteral("codice")).trimmed();
    result->answersFile = absolute(parser.value(QStringLiteral("soluzioni-in")));
    result->sheetTitle = parser.value(QStringLiteral("titolo")).simplified();
    const bool drawn = parser.isSet(QStringLiteral("esercizi")) ||
                       parser.isSet(QStringLiteral("problemi")) ||
                       parser.isSet(QStringLiteral("seme")) || result->largePrint;
    if (parser.isSet(QStringLiteral("codice")) && drawn)
        *mistakes << QStringLiteral("Con --codice non vanno --esercizi, --problemi, --seme e "
                                    "--grande: il codice li contiene già.");
    if (parser.isSet(QStringLiteral("codice")) && result->classAsked)
        *mistakes << QStringLiteral(
            "Con --codice non va --classe: il codice è di una scheda sola.");
    result->worksheetOptions = drawn || result->solutions || result->classAsked ||
                               parser.isSet(QStringLiteral("codice")) ||
                               parser.isSet(QStringLiteral("soluzioni-in")) ||
                               parser.isSet(QStringLiteral("titolo"));
    if (result->worksheetOptions && !result->worksheetAsked && !result->prepareWorksheet)
        *mistakes << QStringLiteral("Le opzioni --esercizi, --problemi, --soluzioni, --seme, "
                                    "--grande, --classe, --codice, --soluzioni-in e --titolo "
                                    "valgono per la scheda: mercanzola --scheda FILE.pdf, oppure "
                                    "mercanzola --prepara-scheda");
}

// "--classe elenco.txt": the word after --classe, when it is no option, names
// the class list.
QString classListAfter(const QStringList& arguments, const QStringList& positional) {
    const qsizetype at = arguments.indexOf(QStringLiteral("--classe"));
    if (at < 0 || at + 1 >= arguments.size() || !positional.contains(arguments[at + 1]))
        return QString();
    return arguments[at + 1];
}

} // namespace

CommandLine readCommandLine(const QStringList& allArguments) {
    const QStringList arguments = withoutToolkitOptions(allArguments);
    QCommandLineParser parser;
    // "-help" as a word, not as the letters h, e, l, p.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const CommandLineOption& option : commandLineOptions())
        parser.addOption(QCommandLineOption(option.names, option.description, option.valueName));
    CommandLine result;
    const bool parsed = parser.parse(arguments);
    result.fullScreen = parser.isSet(QStringLiteral("schermo-intero"));
    result.help = parser.isSet(QStringLiteral("help"));
    result.version = parser.isSet(QStringLiteral("version"));
    result.readAloud = parser.isSet(QStringLiteral("leggi"));
    QStringList mistakes;
    if (parser.isSet(QStringLiteral("lentezza"))) {
        const QString slowness = parser.value(QStringLiteral("lentezza"));
        result.slowness = platform::slownessFromText(slowness);
        if (!result.slowness)
            mistakes << QStringLiteral("Dopo --lentezza va 1, 2 oppure 3 (3 è la più lenta), "
                                       "non \"%1\"")
                            .arg(slowness);
    }
    if (parser.isSet(QStringLiteral("livello"))) {
        const QString level = parser.value(QStringLiteral("livello"));
        result.level = levelChoiceFromText(level);
        if (!result.level)
            mistakes
                << QStringLiteral("Dopo --livello va 1, 2, 3 oppure auto, non \"%1\"").arg(level);
        else if (result.level->automatic && parser.isSet(QStringLiteral("scheda")))
            mistakes << QStringLiteral("Una scheda su carta non sale di livello da sola: dopo "
                                       "--livello va 1, 2 oppure 3");
    }
    result.check = parser.value(QStringLiteral("controlla"));
    result.catalogue = absolute(parser.value(QStringLiteral("lista")));
    readRecordOptions(parser, &result, &mistakes);
    readWorksheetOptions(parser, &result, &mistakes);
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
          QStringLiteral("csv"), QStringLiteral("html"), QStringLiteral("scheda"),
          QStringLiteral("soluzioni-in")})
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
    QStringList extras = parser.positionalArguments();
    const QString classList = classListAfter(arguments, extras);
    if (!classList.isEmpty()) {
        result.classList = absolute(classList);
        extras.removeOne(classList);
    }
    for (const QString& extra : extras)
        mistakes << QStringLiteral("Argomento non previsto: %1").arg(extra);
    result.checkAsked = parser.isSet(QStringLiteral("controlla"));
    // The check opens no window and reads only its own file: any option beside it
    // would be silently ignored.
    if (result.checkAsked &&
        (result.fullScreen || parser.isSet(QStringLiteral("euro")) ||
         parser.isSet(QStringLiteral("lista")) || result.readAloud || !result.record.isEmpty() ||
         result.recordCommand() || result.numberPad.has_value() || result.level))
        mistakes << QStringLiteral("L'opzione --controlla va da sola: mercanzola --controlla FILE");
    result.error = mistakes.join(u'\n');
    return result;
}

QString commandLineHelp() {
    QString text = QStringLiteral("Uso: mercanzola [opzioni]\n"
                                  "La mercanzola: esercitazioni matematiche di compravendita.\n\n"
                                  "Opzioni:\n");
    // Descriptions start at one column and wrap within 80; a longer label has
    // its description on the lines below.
    constexpr qsizetype Indent = 24;
    constexpr qsizetype Width = 80;
    for (const CommandLineOption& option : commandLineOptions()) {
        const QString label = QStringLiteral("  ") + optionLabel(option);
        text += label.size() + 2 <= Indent ? label.leftJustified(Indent)
                                           : label + u'\n' + QString(Indent, u' ');
        text += wrapped(option.description, Indent, Width) + u'\n';
    }
    return text;
}

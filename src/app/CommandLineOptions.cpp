#include "app/CommandLineOptions.h"

const QList<CommandLineOption>& commandLineOptions() {
    static const QList<CommandLineOption> list = {
        {{QStringLiteral("schermo-intero")},
         QStringLiteral("Parte a schermo intero. Il tasto F11 passa dalla finestra allo "
                        "schermo intero e ritorno.")},
        {{QStringLiteral("tastierino")},
         QStringLiteral("Mostra il tastierino sullo schermo, per rispondere toccando la lavagna "
                        "interattiva. Senza questa opzione compare da solo sugli schermi "
                        "tattili e a schermo intero; il tasto F9 lo mostra o lo nasconde.")},
        {{QStringLiteral("senza-tastierino")},
         QStringLiteral("Non mostra il tastierino sullo schermo, nemmeno a schermo intero o su "
                        "uno schermo tattile.")},
        {{QStringLiteral("euro")},
         QStringLiteral("Esercizi in euro: legge l'elenco %1 invece di lista.txt.")
             .arg(EuroCatalogue)},
        {{QStringLiteral("lista")},
         QStringLiteral("Legge l'elenco degli articoli dal FILE indicato invece di lista.txt "
                        "(in lire, oppure in euro se la prima riga è \"valuta: euro\")."),
         QStringLiteral("FILE")},
        {{QStringLiteral("controlla")},
         QStringLiteral("Controlla l'elenco degli articoli nel FILE senza aprire finestre: "
                        "dice quanti articoli contiene e in quale valuta, oppure che cosa "
                        "non va."),
         QStringLiteral("FILE")},
        {{QStringLiteral("h"), QStringLiteral("help")},
         QStringLiteral("Mostra queste informazioni ed esce.")},
    };
    return list;
}

QString dashedName(const QString& name) {
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

QString optionLabel(const CommandLineOption& option) {
    QStringList shown;
    for (const QString& name : option.names)
        shown << dashedName(name);
    const QString label = shown.join(QStringLiteral(", "));
    return option.valueName.isEmpty() ? label : label + u' ' + option.valueName;
}

#include "app/CommandLineOptions.h"

#include "model/Exercises.h"

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
        {{QStringLiteral("livello")},
         QStringLiteral("Il livello di tutti gli esercizi: 1 con numeri piccoli (quantità da 2 a "
                        "5, prezzi con al più due cifre diverse da zero, in euro euro interi fino "
                        "a 20), 2 con numeri medi (quantità da 2 a 9), 3 come senza livello, "
                        "oppure auto: ogni alunno parte dal livello 1 (o da quello raggiunto), "
                        "sale dopo 5 risposte giuste di fila e scende dopo 3 sbagliate. Senza "
                        "questa opzione valgono le righe \"livello = N\" e \"livello.9 = N\" "
                        "(per il solo esercizio 9) di ~/.config/mercanzola/livello.conf, poi di "
                        "/etc/mercanzola/livello.conf. Con --scheda, il livello dei problemi "
                        "della scheda."),
         QStringLiteral("N")},
        {{QStringLiteral("leggi")},
         QStringLiteral("Legge ad alta voce, con una voce italiana, i problemi e le risposte. "
                        "Il tasto F6 accende e spegne la lettura, F5 ripete la domanda.")},
        {{QStringLiteral("lentezza")},
         QStringLiteral("Quanto lenta legge la voce: 1 come di solito, 2 più lenta, 3 la più "
                        "lenta. Senza questa opzione vale la riga \"lentezza = N\" di "
                        "~/.config/mercanzola/voce.conf, se c'è."),
         QStringLiteral("N")},
        {{QStringLiteral("registro")},
         QStringLiteral("Tiene il registro delle risposte (chi, quando, quale esercizio, giusta o "
                        "sbagliata) in DEST: un file SQLite oppure un server PostgreSQL "
                        "(postgresql://...). Senza questa opzione vale la riga \"registro = "
                        "DEST\" di %1, se c'è.")
             .arg(RecordConfigFile),
         QStringLiteral("DEST")},
        {{QStringLiteral("riepilogo")},
         QStringLiteral("Stampa il riepilogo del registro senza aprire finestre: una riga per "
                        "alunno ed esercizio.")},
        {{QStringLiteral("dal")},
         QStringLiteral("Limita il riepilogo alle risposte date dal giorno indicato in poi."),
         QStringLiteral("AAAA-MM-GG")},
        {{QStringLiteral("al")},
         QStringLiteral("Limita il riepilogo alle risposte date fino al giorno indicato."),
         QStringLiteral("AAAA-MM-GG")},
        {{QStringLiteral("errori")},
         QStringLiteral("Elenca le risposte sbagliate di ogni alunno: giorno, esercizio, "
                        "problema, risposta scritta e risposta giusta.")},
        {{QStringLiteral("csv")},
         QStringLiteral("Scrive il riepilogo nel FILE in formato CSV per il foglio di calcolo."),
         QStringLiteral("FILE")},
        {{QStringLiteral("html")},
         QStringLiteral("Scrive il riepilogo nel FILE come pagina da stampare, con una barra per "
                        "alunno."),
         QStringLiteral("FILE")},
        {{QStringLiteral("cancella-alunno")},
         QStringLiteral("Cancella dal registro tutte le risposte dell'alunno indicato."),
         QStringLiteral("NOME")},
        {{QStringLiteral("sì"), QStringLiteral("si")},
         QStringLiteral("Conferma una cancellazione senza domanda, per gli script. Senza, "
                        "su un terminale il programma dice quante risposte di quanti alunni "
                        "cancellerà e chiede conferma; senza terminale si rifiuta.")},
        {{QStringLiteral("version")},
         QStringLiteral("Scrive la versione del programma e la sua licenza, ed esce.")},
        {{QStringLiteral("cancella-prima-del")},
         QStringLiteral("Cancella dal registro tutte le risposte date prima del giorno indicato "
                        "(la pulizia di fine anno)."),
         QStringLiteral("AAAA-MM-GG")},
        {{QStringLiteral("scheda")},
         QStringLiteral("Scrive nel FILE una scheda da stampare (PDF, formato A4) con i problemi "
                        "degli esercizi, senza aprire finestre."),
         QStringLiteral("FILE")},
        {{QStringLiteral("esercizi")},
         QStringLiteral("Gli esercizi della scheda, con i numeri del menù separati da virgole "
                        "(per esempio 1,5,9); senza, tutti i %1.")
             .arg(ExerciseCount),
         QStringLiteral("ELENCO")},
        {{QStringLiteral("problemi")},
         QStringLiteral("Quanti problemi di ogni esercizio mette la scheda (da 1 a 50; senza, 4)."),
         QStringLiteral("N")},
        {{QStringLiteral("soluzioni")},
         QStringLiteral("Aggiunge alla scheda le pagine delle soluzioni, a parte.")},
        {{QStringLiteral("seme")},
         QStringLiteral("Lo stesso numero dà di nuovo la stessa scheda; in fondo a ogni pagina "
                        "il codice della scheda lo contiene."),
         QStringLiteral("N")},
        {{QStringLiteral("grande")},
         QStringLiteral("Scheda a caratteri grandi, senza grazie e ben spaziati, un problema per "
                        "riquadro: per gli alunni con DSA.")},
        {{QStringLiteral("classe")},
         QStringLiteral("Una scheda per alunno, ognuna diversa, con il nome su \"Nome\": gli "
                        "alunni di classe.txt (dove li cerca il registro), o del FILE scritto "
                        "dopo --classe.")},
        {{QStringLiteral("codice")},
         QStringLiteral("Rifà la scheda che porta in fondo questo codice (per esempio "
                        "K7Q2M-8XAB3); dice se il catalogo è cambiato da allora."),
         QStringLiteral("CODICE")},
        {{QStringLiteral("soluzioni-in")},
         QStringLiteral("Scrive le pagine delle soluzioni in questo FILE, a parte: la scheda "
                        "degli alunni si stampa tutta."),
         QStringLiteral("FILE")},
        {{QStringLiteral("titolo")},
         QStringLiteral("Il titolo della scheda, al posto di quello solito (per esempio "
                        "\"Verifica del 12 marzo\")."),
         QStringLiteral("TITOLO")},
        {{QStringLiteral("prepara-scheda")},
         QStringLiteral("Apre la finestra per preparare una scheda: esercizi, quanti problemi, "
                        "soluzioni, caratteri grandi; la salva in PDF o la stampa.")},
        {{QStringLiteral("h"), QStringLiteral("help")},
         QStringLiteral("Elenca le opzioni, ciascuna con che cosa fa, ed esce.")},
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

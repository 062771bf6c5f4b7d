// What the program understands on its command line, and what it tells a
// technician who mistypes.

#include "app/CommandLine.h"
#include "support/ProgramRun.h"

#include <QTemporaryDir>
#include <QTest>

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void options_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("fullScreen");
        QTest::addColumn<bool>("help");
        QTest::addColumn<QString>("error");
        QTest::newRow("nothing") << QStringList{} << false << false << QString();
        QTest::newRow("full screen")
            << QStringList{"--schermo-intero"} << true << false << QString();
        QTest::newRow("help") << QStringList{"--help"} << false << true << QString();
        QTest::newRow("short help") << QStringList{"-h"} << false << true << QString();
        QTest::newRow("help among others")
            << QStringList{"--schermo-intero", "-help"} << true << true << QString();
        QTest::newRow("unknown option") << QStringList{"--fullscreen"} << false << false
                                        << QStringLiteral("Opzione sconosciuta: --fullscreen");
        // A single dash is a word, not a row of letters: no stray help.
        QTest::newRow("unknown word option") << QStringList{"-hello"} << false << false
                                             << QStringLiteral("Opzione sconosciuta: -hello");
        QTest::newRow("the toolkit's options are its own")
            << QStringList{"-platform", "offscreen", "--style=fusion", "--schermo-intero"} << true
            << false << QString();
        QTest::newRow("stray argument")
            << QStringList{"--schermo-intero", "lista.txt"} << true << false
            << QStringLiteral("Argomento non previsto: lista.txt");
        QTest::newRow("a level") << QStringList{"--livello", "2"} << false << false << QString();
        QTest::newRow("auto") << QStringList{"--livello=AUTO"} << false << false << QString();
        QTest::newRow("no such level")
            << QStringList{"--livello", "4"} << false << false
            << QStringLiteral("Dopo --livello va 1, 2, 3 oppure auto, non \"4\"");
        QTest::newRow("a sheet does not move by itself")
            << QStringList{"--scheda", "s.pdf", "--livello", "auto"} << false << false
            << QStringLiteral("Una scheda su carta non sale di livello da sola: dopo --livello "
                              "va 1, 2 oppure 3");
        QTest::newRow("the check takes no level")
            << QStringList{"--controlla", "lista.txt", "--livello", "1"} << false << false
            << QStringLiteral("L'opzione --controlla va da sola: mercanzola --controlla FILE");
        QTest::newRow("the slowest voice")
            << QStringList{"--leggi", "--lentezza", "3"} << false << false << QString();
        QTest::newRow("a slowness out of the three")
            << QStringList{"--leggi", "--lentezza=4"} << false << false
            << QStringLiteral("Dopo --lentezza va 1, 2 oppure 3 (3 è la più lenta), non \"4\"");
    }
    void options() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, fullScreen);
        QFETCH(bool, help);
        QFETCH(QString, error);
        const CommandLine read = readCommandLine(QStringList{"mercanzola"} + arguments);
        QCOMPARE(read.fullScreen, fullScreen);
        QCOMPARE(read.help, help);
        QCOMPARE(read.error, error);
    }

    // What a teacher or technician runs at a terminal with no display: each is
    // answered once, in Italian, by its first line; a mistake in the options is
    // refused with exit 2 before the toolkit would need a display.
    void answersWithNoDisplay_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said"); // once, on stdout for 0, on stderr otherwise
        const QString file = QStringLiteral("lista.txt");
        QTest::newRow("a good file")
            << QStringList{"--controlla", file} << 0 << "lista.txt: 1 articolo, valuta lire\n";
        QTest::newRow("no file") << QStringList{"--controlla"} << 2
                                 << "Manca il nome del file dopo --controlla\n";
        QTest::newRow("an option for a file") << QStringList{"--controlla", "--euro"} << 2
                                              << "Manca il nome del file dopo --controlla\n";
        QTest::newRow("--euro beside it")
            << QStringList{"--controlla", file, "--euro"} << 2
            << "L'opzione --controlla va da sola: mercanzola --controlla FILE\n";
        QTest::newRow("an unknown option beside it")
            << QStringList{"--controlla", file, "--bogus"} << 2 << "Opzione sconosciuta: --bogus\n";
        QTest::newRow("help") << QStringList{"--help"} << 0 << "Uso: mercanzola [opzioni]\n";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "mercanzola 1.";
        QTest::newRow("a catalogue without its file")
            << QStringList{"--lista"} << 2 << "Manca il nome del file dopo --lista\n";
        QTest::newRow("an unknown option to start with")
            << QStringList{"--schermo-intero", "--bogus"} << 2 << "Opzione sconosciuta: --bogus\n";
        QTest::newRow("beside the toolkit's own")
            << QStringList{"-platform", "offscreen", "--bogus"} << 2
            << "Opzione sconosciuta: --bogus\n";
        QTest::newRow("a bad date")
            << QStringList{"--registro", "r.sqlite", "--riepilogo", "--dal", "2024-13-01"} << 2
            << "Data non valida dopo --dal: 2024-13-01";
        QTest::newRow("a summary of no record")
            << QStringList{"--riepilogo"} << 1
            << "la mercanzola: registro: quale registro? Indicalo con --registro DEST\n";
        QTest::newRow("the lesson, with no display")
            << QStringList{} << 1 << "la mercanzola: non c'è uno schermo";
    }
    void answersWithNoDisplay() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, said);
        QTemporaryDir folder;
        QFile list(folder.filePath("lista.txt"));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("matita,250,400\n");
        list.close();
        const ProgramRun run =
            runWithoutDisplay(MERCANZOLA_PROGRAM_FOLDER "/mercanzola", arguments, folder.path());
        QCOMPARE(run.status, status);
        const QString answer = status == 0 ? run.out : run.err;
        QCOMPARE(answer.count(said), 1);
        QVERIFY2(answer.startsWith(said), qPrintable(answer));
        QVERIFY2((status == 0 ? run.err : run.out).isEmpty(), qPrintable(run.err + run.out));
    }

    // The number pad asked for, refused, or left to the display; not both.
    void numberPad_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected"); // shown, hidden or automatic, then any error
        QTest::newRow("asked") << QStringList{"--tastierino"} << "1 ";
        QTest::newRow("refused") << QStringList{"--senza-tastierino"} << "0 ";
        QTest::newRow("both") << QStringList{"--tastierino", "--senza-tastierino"}
                              << "- Le opzioni --tastierino e --senza-tastierino non vanno "
                                 "insieme: scegline una.";
    }
    void numberPad() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        const CommandLine read = readCommandLine(QStringList{"mercanzola"} + arguments);
        QCOMPARE((read.numberPad ? QString::number(*read.numberPad) : "-") + ' ' + read.error,
                 expected);
    }

    void helpListsEveryOptionInItalian() {
        const QString help = commandLineHelp();
        QVERIFY(help.startsWith(QStringLiteral("Uso: mercanzola [opzioni]\n")));
        QVERIFY(help.contains(QStringLiteral("  --schermo-intero ")));
        QVERIFY(help.contains(QStringLiteral("schermo intero")));
        QVERIFY(help.contains(QStringLiteral("F11")));
        QVERIFY(help.contains(QStringLiteral("  -h, --help ")));
        QVERIFY(help.contains(QStringLiteral("  --euro ")));
        QVERIFY(help.contains(QStringLiteral("  --lista FILE ")));
        QVERIFY(help.contains(QStringLiteral("  --controlla FILE ")));
        QVERIFY(help.contains(QStringLiteral("  --version ")));
        // A terminal of 80 columns shows every line whole.
        for (const QString& line : help.split(u'\n'))
            QVERIFY2(line.size() <= 80, qPrintable(line));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "test_commandline.moc"

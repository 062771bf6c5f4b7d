// What the program understands on its command line, and what it tells a
// technician who mistypes.

#include "app/CommandLine.h"

#include <QProcess>
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
        QTest::newRow("stray argument")
            << QStringList{"--schermo-intero", "lista.txt"} << true << false
            << QStringLiteral("Argomento non previsto: lista.txt");
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

    // The check and the help, run by a teacher at a terminal with no display:
    // each answers once, in Italian; a check with no file, or with another
    // option that it would ignore, is refused with exit 2.
    void checkWithNoDisplay_data() {
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
    }
    void checkWithNoDisplay() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, said);
        QTemporaryDir folder;
        QFile list(folder.filePath("lista.txt"));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("matita,250,400\n");
        list.close();
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(name);
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(folder.path());
        program.start(MERCANZOLA_PROGRAM_FOLDER "/mercanzola", arguments);
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), status);
        const QString out = QString::fromUtf8(program.readAllStandardOutput());
        const QString err = QString::fromUtf8(program.readAllStandardError());
        const QString answer = status == 0 ? out : err;
        QCOMPARE(answer.count(said), 1);
        QVERIFY2(answer.startsWith(said), qPrintable(answer));
        QVERIFY2((status == 0 ? err : out).isEmpty(), qPrintable(err + out));
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
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "test_commandline.moc"

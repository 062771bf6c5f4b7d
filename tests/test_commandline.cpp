// What the program understands on its command line, and what it tells a
// technician who mistypes.

#include "app/CommandLine.h"

#include <QDir>
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

    // Which catalogue the program reads, or checks without a window.
    void catalogueChoice_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QString>("check");
        QTest::addColumn<QString>("error");
        QTest::newRow("lire by default") << QStringList{} << ""
                                         << ""
                                         << "";
        QTest::newRow("euro") << QStringList{"--euro"} << "lista-euro.txt"
                              << ""
                              << "";
        QTest::newRow("a file of the teacher's, from where the program was started")
            << QStringList{"--lista", "classe3.txt"} << QDir::current().filePath("classe3.txt")
            << ""
            << "";
        QTest::newRow("an absolute file")
            << QStringList{"--lista=/srv/lista.txt"} << "/srv/lista.txt"
            << ""
            << "";
        QTest::newRow("a check") << QStringList{"--controlla", "lista-euro.txt"} << ""
                                 << "lista-euro.txt"
                                 << "";
        QTest::newRow("both catalogues")
            << QStringList{"--euro", "--lista", "/srv/lista.txt"} << "lista-euro.txt"
            << ""
            << "Le opzioni --euro e --lista non vanno insieme: scegline una.";
        QTest::newRow("no file named") << QStringList{"--controlla="} << ""
                                       << ""
                                       << "Manca il nome del file dopo --controlla";
    }
    void catalogueChoice() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, catalogue);
        QFETCH(QString, check);
        QFETCH(QString, error);
        const CommandLine read = readCommandLine(QStringList{"mercanzola"} + arguments);
        QCOMPARE(read.catalogue, catalogue);
        QCOMPARE(read.check, check);
        QCOMPARE(read.error, error);
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

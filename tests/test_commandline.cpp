// What the program understands on its command line, and what it tells a
// technician who mistypes.

#include "app/CommandLine.h"

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

// Euro with cents, chosen by the catalogue's first line: amounts written and
// read, euro prices in the catalogue, answers on the screens, and the
// teacher's check of a file from the command line.

#include "exercises/PurchaseScreen.h"
#include "frame/AnswerReading.h"
#include "shell/Modulo1.h"
#include "shell/ProgramError.h"
#include "support/TestServices.h"

#include <QProcess>
#include <QTest>
#include <memory>

using namespace Modulo1;

class TestEuro : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpItalianProgram(); }

    void amountsWritten_data() {
        QTest::addColumn<int>("cents");
        QTest::addColumn<QString>("text");
        QTest::newRow("cents only") << 40 << "0,40";
        QTest::newRow("whole euros") << 1200 << "12,00";
        QTest::newRow("thousands") << 125050 << "1.250,50";
        QTest::newRow("a loss") << -320 << "-3,20";
    }
    void amountsWritten() {
        QFETCH(int, cents);
        QFETCH(QString, text);
        QCOMPARE(Currency::euro().amountText(Money::fromWhole(cents)), text);
        QCOMPARE(Currency::euro().spokenAmount(Money::fromWhole(cents)), text + " euro");
    }

    void answersRead_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("count");
        QTest::addColumn<int>("expected"); // cents, or things
        QTest::addColumn<bool>("right");
        QTest::newRow("comma") << "4,40" << false << 440 << true;
        QTest::newRow("point") << "4.40" << false << 440 << true;
        QTest::newRow("one decimal") << "4,4" << false << 440 << true;
        QTest::newRow("whole euros") << "4" << false << 400 << true;
        QTest::newRow("not cents") << "440" << false << 440 << false;
        QTest::newRow("grouping point") << "1.250" << false << 125000 << true;
        QTest::newRow("grouped with cents") << "1.250,50" << false << 125050 << true;
        QTest::newRow("three decimals") << "4,400" << false << 440 << false;
        QTest::newRow("a loss") << "-3,20" << false << -320 << true;
        QTest::newRow("trailing space") << "0,5 " << false << 50 << true;
        QTest::newRow("a quantity") << "4" << true << 4 << true;
        QTest::newRow("too long") << QString(20, u'9') << false << 0 << false;
    }
    void answersRead() {
        QFETCH(QString, typed);
        QFETCH(bool, count);
        QFETCH(int, expected);
        QFETCH(bool, right);
        Currency::setCurrent(Currency::euro());
        const bool read = answerMatches(typed, Money::fromWhole(expected),
                                        count ? AnswerKind::Count : AnswerKind::Amount);
        Currency::setCurrent(Currency::lire());
        QCOMPARE(read, right);
    }

    // A catalogue loaded: "name|buying|selling currency" in minor units, or its report.
    void catalogue_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("loaded");
        QTest::newRow("euro") << QByteArray("valuta: euro\nmatita,0.30,0.50\n")
                              << "matita|30|50 euro";
        QTest::newRow("free case and spaces, commas in quotes")
            << QByteArray("  VALUTA : Euro \r\n\"gelato\",\"1,50\",\"2,5\"\r\n")
            << "gelato|150|250 euro";
        QTest::newRow("whole and one decimal")
            << QByteArray("valuta:euro\npallone,12,12.9\n") << "pallone|1200|1290 euro";
        QTest::newRow("lire named")
            << QByteArray("valuta: lire\nmatita,250,400\n") << "matita|250|400 lire";
        QTest::newRow("lire by default") << QByteArray("matita,250,400\n") << "matita|250|400 lire";
        QTest::newRow("three decimals")
            << QByteArray("valuta: euro\nmatita,0.30,0.50\ngomma,0.405,0.60\n")
            << "Articolo numero 2, alla riga 3: il prezzo 0.405 non è un prezzo in euro";
        QTest::newRow("quoted three decimals")
            << QByteArray("valuta: euro\nmatita,\"0,305\",0.50\n") << "il prezzo 0,305 non è";
        QTest::newRow("a word") << QByteArray("valuta: euro\nmatita,uno,2\n") << "il prezzo uno";
        QTest::newRow("a sign") << QByteArray("valuta: euro\nmatita,-1,2\n") << "il prezzo -1";
        QTest::newRow("a bare point")
            << QByteArray("valuta: euro\nmatita,1.,2\n") << "il prezzo 1.";
        QTest::newRow("unknown currency")
            << QByteArray("valuta: dollari\nmatita,1,2\n") << "la valuta dollari non è conosciuta";
    }
    void catalogue() {
        QFETCH(QByteArray, file);
        QFETCH(QString, loaded);
        TestServices t;
        t.writeFile("lista.txt", file);
        QString seen;
        try {
            CaricaLista();
            seen = QStringLiteral("%1|%2|%3 %4")
                       .arg(Articolo[1])
                       .arg(PrezzoAcquisto[1].raw() / Money::Scale)
                       .arg(PrezzoVendita[1].raw() / Money::Scale)
                       .arg(Currency::current().name());
        } catch (const ProgramError& error) {
            seen = error.text();
        }
        QVERIFY2(seen.contains(loaded), qPrintable(seen));
    }

    // Form1 asks the total of 4 pencils at 0,50; Form4 how many were bought.
    void answersOnTheScreens_data() {
        QTest::addColumn<int>("form");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("right");
        QTest::newRow("Form1, a comma") << 1 << "2,00" << true;
        QTest::newRow("Form1, whole euros") << 1 << "2" << true;
        QTest::newRow("Form1, cents as a number") << 1 << "200" << false;
        QTest::newRow("Form4, a quantity") << 4 << "4" << true;
        QTest::newRow("Form4, not an amount") << 4 << "4,00" << false;
    }
    void answersOnTheScreens() {
        QFETCH(int, form);
        QFETCH(QString, typed);
        QFETCH(bool, right);
        TestServices t;
        t.writeFile("lista.txt", "valuta: euro\r\nmatita,0.30,0.50\r\n");
        CaricaLista();
        t.random.values << TestServices::drawing(4, 18) << 0.0 << TestServices::drawing(4, 11);
        std::unique_ptr<PurchaseScreen> screen(
            static_cast<PurchaseScreen*>(form == 1 ? newForm1() : newForm4()));
        screen->Form_Load();
        screen->show();
        QCOMPARE(screen->Label4->text(), form == 1 ? "0,50" : "2,00");
        pupil::answer(screen->Text1, typed);
        QCOMPARE(screen->EtichettaEsatti->text(), right ? " 1" : "0");
    }

    void checkFromTheCommandLine_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        QTest::newRow("the euro catalogue")
            << "lista-euro.txt" << 0 << "lista-euro.txt: 100 articoli, valuta euro\n";
        QTest::newRow("the lire catalogue")
            << "lista.txt" << 0 << "lista.txt: 100 articoli, valuta lire\n";
        QTest::newRow("a bad file") << "bad" << 1 << "Articolo numero 1, alla riga 2";
        QTest::newRow("no file") << "missing.txt" << 1 << "Manca l'elenco degli articoli";
    }
    void checkFromTheCommandLine() {
        QFETCH(QString, file);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        TestServices t;
        t.writeFile("bad", "valuta: euro\nmatita,0.301,0.50\n");
        QProcess program;
        program.setWorkingDirectory(file == "bad" ? t.folder.path() : MERCANZOLA_PROGRAM_FOLDER);
        program.start(MERCANZOLA_PROGRAM_FOLDER "/mercanzola", {"--controlla", file});
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitCode(), exitCode);
        const QString output = QString::fromLocal8Bit(exitCode ? program.readAllStandardError()
                                                               : program.readAllStandardOutput());
        QVERIFY2(exitCode ? output.contains(said) : output == said, qPrintable(output));
    }
};

QTEST_MAIN(TestEuro)
#include "test_euro.moc"

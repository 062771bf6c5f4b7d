// The sheet a teacher prints: written by the real program with no display,
// read back as text (pdftotext) and as a picture (pdftoppm).

#include "support/SheetReading.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

SheetRun mercanzola(const QStringList& arguments) {
    return runSheetProgram(QStringLiteral(MERCANZOLA_PROGRAM_FOLDER "/mercanzola"), arguments);
}

// One article, so that every answer is known whatever the seed draws.
const QByteArray OneArticle = "\"quaderno\", 1000, 1500\n";
const QByteArray OneArticleInEuro = "valuta: euro\n\"quaderno\", 10.00, 15.00\n";

// Where the pupil's pages give an answer away: a blank with a figure in it
// or beside it ("guadagno: 500 lire"), or a table with a number in a cell
// that asks it. A table shows two quantities and the two cells given.
QStringList answersGivenAway(const QString& questions) {
    QStringList found;
    static const QRegularExpression blank(
        QStringLiteral("(?:(?:costo totale|costo unitario|quantità|guadagno|ricavo|spesa|ricavato|"
                       "guadagnato):|perdita\\?) ([^:;,]*?) (?:lire|euro|pezzi)\\b"));
    static const QRegularExpression digit(QStringLiteral("\\d"));
    for (auto it = blank.globalMatch(questions); it.hasNext();) {
        const auto line = it.next();
        if (line.captured(1).contains(digit) || !line.captured(1).contains(QStringLiteral("___")))
            found << line.captured(0);
    }
    static const QRegularExpression table(
        QStringLiteral("completa la tabella\\.(.*?)(?:\\d+\\. |Esercizio |la mercanzola |$)"));
    static const QRegularExpression number(QStringLiteral("\\d[\\d.,]*"));
    for (auto it = table.globalMatch(questions); it.hasNext();) {
        const QString cells = it.next().captured(1);
        int numbers = 0;
        for (auto n = number.globalMatch(cells); n.hasNext(); n.next())
            ++numbers;
        if (numbers != 4)
            found << cells;
    }
    return found;
}

// A sheet with its answers, its problems numbered from 1 in each
// exercise's order: the questions' pages, and the answers' from "Soluzioni".
struct WrittenSheet {
    SheetRun run;
    int pages = 0, firstAnswers = 0; // 0: no page of answers
    QString questions, answers;
};

} // namespace

class TestWorksheet : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is missing: scripts/setup.sh installs poppler-utils");
        QVERIFY(folder.isValid());
    }

    // The questions with their blanks and units, the answers on pages of
    // their own, in lire and in euro.
    void questionsAndAnswers_data() {
        QTest::addColumn<QByteArray>("catalogue");
        QTest::addColumn<QString>("exercises");
        QTest::addColumn<QStringList>("onQuestions");
        QTest::addColumn<QStringList>("onAnswers");
        QTest::newRow("profit in lire")
            << OneArticle << "5,6,7"
            << QStringList{"Esercizio 5: trova il guadagno",
                           "quaderno: spesa 1.000 lire, ricavo 1.500 lire.",
                           "guadagno: %BLANK% lire", "ricavo: %BLANK% lire", "spesa: %BLANK% lire"}
            << QStringList{"guadagno: 500 lire", "ricavo: 1.500 lire", "spesa: 1.000 lire"};
        QTest::newRow("profit in euro")
            << OneArticleInEuro << "5"
            << QStringList{"spesa 10,00 euro, ricavo 15,00 euro.", "guadagno: %BLANK% euro"}
            << QStringList{"guadagno: 5,00 euro"};
        QTest::newRow("number of items")
            << OneArticle << "4" << QStringList{"quantità: %BLANK% pezzi"}
            << QStringList{"quantità: "};
        QTest::newRow("gain or loss")
            << OneArticle << "12" << QStringList{"guadagno o perdita? %BLANK% di %BLANK% lire"}
            << QStringList{"di 500 lire"};
        QTest::newRow("table") << OneArticle << "10"
                               << QStringList{"completa la tabella.",
                                              "quantità spesa ricavo guadagno", "1 1.000 1.500"}
                               << QStringList{"guadagno di"};
        QTest::newRow("money board")
            << OneArticle << "13" << QStringList{"Avevo pagato la merce",
                                                 "l'ho venduta e ho ricavato questo denaro:",
                                                 "Ho ricavato: %BLANK% lire",
                                                 "Cerchia il denaro che fa",
                                                 "quanto avevo pagato la merce.",
                                                 "Ho guadagnato: %BLANK% lire"}
            << QStringList{"ricavo ", "; pagato con ", "; guadagno "};
    }
    void questionsAndAnswers() {
        QFETCH(QByteArray, catalogue);
        QFETCH(QString, exercises);
        QFETCH(QStringList, onQuestions);
        QFETCH(QStringList, onAnswers);
        const WrittenSheet sheet = sheetOf(catalogue, exercises, 2, 7);
        // One article cannot give two different problems where no quantity is drawn.
        for (const QString& line : sheet.run.errors.split(u'\n', Qt::SkipEmptyParts))
            QVERIFY2(line.contains(QStringLiteral("troppo pochi articoli")), qPrintable(line));
        QCOMPARE(sheet.run.status, 0);
        QVERIFY(sheet.pages >= 2);
        // The answers start on a page of their own: the questions' pages hold none.
        QVERIFY(sheet.firstAnswers > 1);
        const QString& questions = sheet.questions;
        const QString& answers = sheet.answers;
        const QStringList givenAway = answersGivenAway(questions);
        QVERIFY2(givenAway.isEmpty(), qPrintable(givenAway.join(u'\n')));
        QVERIFY2(questions.contains(QStringLiteral("Nome ____")) &&
                     questions.contains(QStringLiteral("Classe ____")) &&
                     questions.contains(QStringLiteral("Data ____")),
                 qPrintable(questions));
        QVERIFY(questions.contains(QStringLiteral("codice ")));
        for (const QString& text : onQuestions)
            QVERIFY2(questions.contains(withBlanks(text)),
                     qPrintable(text + QStringLiteral(" in ") + questions));
        for (const QString& text : onAnswers) {
            QVERIFY2(answers.contains(text), qPrintable(text + QStringLiteral(" in ") + answers));
            QVERIFY2(!questions.contains(text) || onQuestions.join(u' ').contains(text),
                     qPrintable(text));
        }
    }

    // A sheet at level 1: only the plain articles, the level at the foot
    // beside the code; the same seed without a level draws the other one too.
    void levelSheet() {
        const QString list =
            write(QStringLiteral("livelli.txt"), "matita,300,500\ngomma,200,350\npenna,800,1200\n"
                                                 "zaino,12345,15678\n");
        auto sheet = [&](const QStringList& level) {
            const QString pdf = folder.filePath(QStringLiteral("livello.pdf"));
            const SheetRun run =
                mercanzola(QStringList{"--scheda", pdf, "--lista", list, "--esercizi", "1,5,13",
                                       "--problemi", "20", "--seme", "3"} +
                           level);
            return run.status == 0 ? textOf(pdf) : run.errors;
        };
        const QString first = sheet({"--livello", "1"});
        QVERIFY2(first.contains(QStringLiteral("livello 1 - codice ")), qPrintable(first));
        QVERIFY2(!first.contains(QStringLiteral("zaino")), qPrintable(first));
        QVERIFY(sheet({}).contains(QStringLiteral("zaino")));
    }

    // The same seed gives the same sheet; another seed, other problems.
    void sameSeedSameSheet() {
        auto sheet = [this](const QString& name, const QString& seed) {
            const QString pdf = folder.filePath(name);
            const SheetRun run = mercanzola({"--scheda", pdf, "--seme", seed, "--soluzioni"});
            return run.status == 0 ? textOf(pdf) : run.errors;
        };
        const QString first = sheet(QStringLiteral("a.pdf"), QStringLiteral("42"));
        QVERIFY(first.contains(QStringLiteral("Esercizio 13: usa il denaro")));
        QCOMPARE(sheet(QStringLiteral("b.pdf"), QStringLiteral("42")), first);
        QVERIFY(sheet(QStringLiteral("c.pdf"), QStringLiteral("43")) != first);
    }

    // Nothing is cut at the edges: every page, in both prints, leaves its
    // outer strip blank, so that a printer's own margin loses nothing.
    void nothingCutAtTheMargins_data() {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("ordinary") << QStringList{};
        QTest::newRow("large print") << QStringList{"--grande"};
    }
    void nothingCutAtTheMargins() {
        QFETCH(QStringList, options);
        const QString pdf = folder.filePath(QStringLiteral("margini.pdf"));
        QCOMPARE(
            mercanzola(QStringList{"--scheda", pdf, "--soluzioni", "--seme", "5"} + options).status,
            0);
        const QString prefix = folder.filePath(QStringLiteral("pagina"));
        QProcess render;
        render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("40"),
                                                  QStringLiteral("-gray"), pdf, prefix});
        QVERIFY(render.waitForFinished(60000));
        const QStringList pages =
            QDir(folder.path()).entryList({QStringLiteral("pagina*.pgm")}, QDir::Files);
        QVERIFY(pages.size() >= 2);
        for (const QString& name : pages) {
            const QImage page(folder.filePath(name));
            QVERIFY(!page.isNull());
            // 40 dpi: 8 mm is about 12 pixels; the footer sits 12 mm from the foot.
            const int strip = 12;
            int inked = 0;
            for (int y = 0; y < page.height(); ++y)
                for (int x = 0; x < page.width(); ++x) {
                    const bool edge = x < strip || y < strip || x >= page.width() - strip ||
                                      y >= page.height() - strip;
                    if (edge && qGray(page.pixel(x, y)) < 200)
                        ++inked;
                }
            QVERIFY2(inked == 0, qPrintable(name));
            QFile::remove(folder.filePath(name));
        }
    }

    // A teacher's mistake is told in Italian, and no sheet is left half written.
    void mistakesAreTold_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("told");
        QTest::newRow("exercise 14")
            << QStringList{"--esercizi", "1,14"} << "Esercizio sconosciuto dopo --esercizi: 14";
        QTest::newRow("no problems")
            << QStringList{"--problemi", "0"} << "Numero non valido dopo --problemi: 0";
        QTest::newRow("a folder that is not there")
            << QStringList{"--scheda", "/nessuna/cartella/scheda.pdf"}
            << "Non riesco a scrivere la scheda in /nessuna/cartella/scheda.pdf";
        QTest::newRow("a device that takes nothing")
            << QStringList{"--scheda", "/dev/full"}
            << "Non riesco a scrivere la scheda in /dev/full: il disco è pieno";
        QTest::newRow("a mistyped code")
            << QStringList{"--codice", "K7Q2M-8XAB4"} << "non è il codice di una scheda";
        QTest::newRow("a code and a seed")
            << QStringList{"--codice", "K7Q2M-8XAB3", "--seme", "4"}
            << "Con --codice non vanno --esercizi, --problemi, --seme e --grande";
        QTest::newRow("options without the sheet")
            << QStringList{"--soluzioni"} << "valgono per la scheda: mercanzola --scheda FILE.pdf";
    }
    void mistakesAreTold() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, told);
        QStringList all = arguments;
        if (!arguments.contains(QStringLiteral("--scheda")) &&
            !arguments.contains(QStringLiteral("--soluzioni")))
            all << QStringLiteral("--scheda") << folder.filePath(QStringLiteral("errata.pdf"));
        const SheetRun run = mercanzola(all);
        QVERIFY(run.status != 0);
        QVERIFY2(run.errors.contains(told), qPrintable(run.errors));
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("errata.pdf"))));
    }

    // A full disk: the program says so and the sheet printed last week is
    // still there, whole. A small tmpfs of its own, in a mount namespace.
    void aFullDiskKeepsTheOlderSheet() {
        if (QStandardPaths::findExecutable(QStringLiteral("unshare")).isEmpty())
            QSKIP("unshare is missing: util-linux has it");
        const QString older = write(QStringLiteral("vecchia.pdf"), QByteArray(4000, 'v'));
        const QString disk = folder.filePath(QStringLiteral("disco"));
        QVERIFY(QDir().mkpath(disk));
        QProcess shell;
        shell.start(QStringLiteral("unshare"),
                    {QStringLiteral("-rm"), QStringLiteral("bash"), QStringLiteral("-c"),
                     QStringLiteral("mount -t tmpfs -o size=24k tmpfs \"$1\" || exit 99; "
                                    "cp \"$2\" \"$1/scheda.pdf\"; "
                                    "env -u DISPLAY \"$3\" --scheda \"$1/scheda.pdf\" --soluzioni "
                                    "--seme 3; echo \"uscita $?\"; cmp \"$2\" \"$1/scheda.pdf\" && "
                                    "echo intatta; ls -A \"$1\""),
                     QStringLiteral("prova"), disk, older,
                     QStringLiteral(MERCANZOLA_PROGRAM_FOLDER "/mercanzola")});
        QVERIFY(shell.waitForFinished(60000));
        if (shell.exitCode() == 99)
            QSKIP("no mount namespace here for a tmpfs of the test's own");
        const QString out = QString::fromUtf8(shell.readAllStandardOutput());
        const QString err = QString::fromUtf8(shell.readAllStandardError());
        QVERIFY2(out.contains(QStringLiteral("uscita 1")), qPrintable(out + err));
        QVERIFY2(out.contains(QStringLiteral("intatta")), qPrintable(out));
        // No temporary file left beside it.
        QCOMPARE(out.section(QStringLiteral("intatta"), 1).simplified(),
                 QStringLiteral("scheda.pdf"));
        QVERIFY2(err.contains(QStringLiteral("il disco è pieno")) &&
                     err.contains(QStringLiteral("è rimasto com'era")),
                 qPrintable(err));
    }

    // Room to write: each blank on paper is at least 40 mm (60 in large
    // print) and wider than the longest answer of its exercise.
    void roomToWrite_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<double>("narrowestMm");
        QTest::newRow("ordinary") << QStringList{} << 40.0;
        QTest::newRow("large print") << QStringList{"--grande"} << 60.0;
    }
    void roomToWrite() {
        QFETCH(QStringList, options);
        QFETCH(double, narrowestMm);
        const QString list = write(QStringLiteral("caro.txt"),
                                   "\"bicicletta\", 210000, 252000\n\"gomma\", 300, 450\n");
        const QString pdf = folder.filePath(QStringLiteral("spazio.pdf"));
        QCOMPARE(mercanzola(QStringList{"--scheda", pdf, "--lista", list, "--esercizi", "1,12",
                                        "--seme", "11"} +
                            options)
                     .status,
                 0);
        int blanks = 0;
        for (int page = 1; page <= pagesOf(pdf); ++page) {
            const std::vector<Word> words = wordsOf(pdf, page);
            QString before;
            for (const Word& word : words) {
                // The heading's blanks, for the name, the class and the day, are no answers.
                const bool heading = QStringList{"Nome", "Classe", "Data"}.contains(before);
                before = word.text;
                if (word.text.startsWith(QStringLiteral("____")) && !heading) {
                    ++blanks;
                    QVERIFY2(word.box.width() >= narrowestMm * PointsPerMm - 0.5,
                             qPrintable(QString::number(word.box.width() / PointsPerMm)));
                }
            }
        }
        // Four problems of exercise 1, four of 12 with two blanks each.
        QVERIFY2(blanks == 12, qPrintable(QString::number(blanks)));
    }

    // No misprints: no problem twice while the catalogue has others, tables
    // of two items or more, articles that answer nothing left out and named.
    void noMisprints_data() {
        QTest::addColumn<QByteArray>("catalogue");
        QTest::addColumn<QString>("exercises");
        QTest::addColumn<QString>("warned");
        QTest::addColumn<QString>("neverOnSheet");
        QTest::addColumn<int>("distinct"); // questions told apart by their text
        QByteArray thirty;
        for (int n = 1; n <= 30; ++n)
            thirty += QByteArrayLiteral("\"articolo ") + QByteArray::number(n) + "\", " +
                      QByteArray::number(n * 100) + ", " + QByteArray::number(n * 130) + "\n";
        QTest::newRow("thirty articles, fifty totals") << thirty << "1"
                                                       << ""
                                                       << "" << 50;
        QTest::newRow("thirty articles, fifty gains")
            << thirty << "5"
            << "Nell'esercizio 5 (trova il guadagno) qualche problema si ripete"
            << "" << 0;
        QTest::newRow("a table of four cells, two items or more")
            << thirty << "9"
            << ""
            << "di 0:|(spesa|ricavo) di 1:" << 0;
        QTest::newRow("a table of the gain, two items or more") << thirty << "10"
                                                                << ""
                                                                << "di [01]:" << 0;
        QTest::newRow("a price of 0 and equal prices")
            << QByteArray("\"regalo\", 0, 500\n\"pari\", 700, 700\n\"penna\", 800, 1200\n") << "12"
            << "prezzo 0, con cui un problema non ha risposta: regalo|prezzi uguali, né "
               "guadagno né perdita: pari"
            << "di 0 lire|regalo|pari" << 0;
    }
    void noMisprints() {
        QFETCH(QByteArray, catalogue);
        QFETCH(QString, exercises);
        QFETCH(QString, warned);
        QFETCH(QString, neverOnSheet);
        QFETCH(int, distinct);
        const WrittenSheet sheet = sheetOf(catalogue, exercises, 50, 21);
        QCOMPARE(sheet.run.status, 0);
        for (const QString& warning : warned.split(u'|', Qt::SkipEmptyParts))
            QVERIFY2(sheet.run.errors.contains(warning), qPrintable(sheet.run.errors));
        if (warned.isEmpty())
            QCOMPARE(sheet.run.errors, QString());
        QVERIFY(sheet.firstAnswers > 1);
        const QString& questions = sheet.questions;
        const QString& answers = sheet.answers;
        const QStringList givenAway = answersGivenAway(questions);
        QVERIFY2(givenAway.isEmpty(), qPrintable(givenAway.join(u'\n')));
        if (!neverOnSheet.isEmpty())
            QVERIFY2(!(questions + answers).contains(QRegularExpression(neverOnSheet)),
                     qPrintable(questions + answers));
        if (distinct == 0)
            return;
        QSet<QString> posed;
        static const QRegularExpression problem(QStringLiteral("\\d+\\. ([^_]+?\\.) "));
        auto found = problem.globalMatch(questions);
        while (found.hasNext())
            posed.insert(found.next().captured(1));
        QVERIFY2(posed.size() == distinct, qPrintable(questions));
    }

private:
    // The catalogue written, the sheet made from it with its answers and read back.
    WrittenSheet sheetOf(const QByteArray& catalogue, const QString& exercises, int problems,
                         int seed) {
        const QString list = write(QStringLiteral("lista.txt"), catalogue);
        const QString pdf = folder.filePath(QStringLiteral("scheda.pdf"));
        WrittenSheet sheet;
        sheet.run =
            mercanzola({"--scheda", pdf, "--lista", list, "--esercizi", exercises, "--problemi",
                        QString::number(problems), "--soluzioni", "--seme", QString::number(seed)});
        if (sheet.run.status != 0)
            return sheet;
        sheet.pages = pagesOf(pdf);
        for (int page = 1; page <= sheet.pages && !sheet.firstAnswers; ++page)
            if (textOf(pdf, page, page).contains(QStringLiteral("Soluzioni")))
                sheet.firstAnswers = page;
        if (sheet.firstAnswers > 1) {
            sheet.questions = textOf(pdf, 1, sheet.firstAnswers - 1);
            sheet.answers = textOf(pdf, sheet.firstAnswers);
        }
        return sheet;
    }

    QString write(const QString& name, const QByteArray& bytes) {
        return writeFile(folder.filePath(name), bytes);
    }

    QTemporaryDir folder;
};

QTEST_GUILESS_MAIN(TestWorksheet)
#include "test_worksheet.moc"

// The sheet a teacher prints: written by the real program with no display,
// read back as text (pdftotext) and as a picture (pdftoppm).

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int status;
    QString errors;
};

Run mercanzola(const QStringList& arguments) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // As on a server with no display at all.
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(MERCANZOLA_PROGRAM_FOLDER "/mercanzola"), arguments);
    program.waitForFinished(60000);
    // Qt's own notes on a bare server (no runtime folder) are not the program's.
    QStringList errors = QString::fromUtf8(program.readAllStandardError()).split(u'\n');
    errors.removeIf(
        [](const QString& line) { return line.startsWith(QLatin1String("QStandardPaths:")); });
    return {program.exitCode(), errors.join(u'\n').trimmed()};
}

// The text of the pages from `first` on, as pdftotext lays it out.
QString textOf(const QString& pdf, int first = 1, int last = 0) {
    QProcess reader;
    QStringList arguments = {QStringLiteral("-layout"), QStringLiteral("-f"),
                             QString::number(first)};
    if (last > 0)
        arguments << QStringLiteral("-l") << QString::number(last);
    reader.start(QStringLiteral("pdftotext"), arguments << pdf << QStringLiteral("-"));
    reader.waitForFinished(30000);
    return QString::fromUtf8(reader.readAllStandardOutput()).simplified();
}

int pagesOf(const QString& pdf) {
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished(30000);
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    return text.section(QStringLiteral("Pages:"), 1).section(u'\n', 0, 0).trimmed().toInt();
}

// One article, so that every answer is known whatever the seed draws.
const QByteArray OneArticle = "\"quaderno\", 1000, 1500\n";
const QByteArray OneArticleInEuro = "valuta: euro\n\"quaderno\", 10.00, 15.00\n";

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
                           "guadagno: ________ lire", "ricavo: ________ lire",
                           "spesa: ________ lire"}
            << QStringList{"guadagno: 500 lire", "ricavo: 1.500 lire", "spesa: 1.000 lire"};
        QTest::newRow("profit in euro")
            << OneArticleInEuro << "5"
            << QStringList{"spesa 10,00 euro, ricavo 15,00 euro.", "guadagno: ________ euro"}
            << QStringList{"guadagno: 5,00 euro"};
        QTest::newRow("number of items")
            << OneArticle << "4" << QStringList{"quantità: ________ pezzi"}
            << QStringList{"quantità: "};
        QTest::newRow("gain or loss")
            << OneArticle << "12" << QStringList{"guadagno o perdita? ______ di ________ lire"}
            << QStringList{"di 500 lire"};
        QTest::newRow("table") << OneArticle << "10"
                               << QStringList{"completa la tabella.",
                                              "quantità spesa ricavo guadagno", "1 1.000 1.500"}
                               << QStringList{"guadagno di"};
        QTest::newRow("money board")
            << OneArticle << "13"
            << QStringList{"Avevo pagato la merce", "Ho ricavato: ________ lire",
                           "Cerchia il denaro che avevi utilizzato per pagare.",
                           "Ho guadagnato: ________ lire"}
            << QStringList{"ricavo ", "; pagato con ", "; guadagno "};
    }
    void questionsAndAnswers() {
        QFETCH(QByteArray, catalogue);
        QFETCH(QString, exercises);
        QFETCH(QStringList, onQuestions);
        QFETCH(QStringList, onAnswers);
        const QString list = write(QStringLiteral("lista.txt"), catalogue);
        const QString pdf = folder.filePath(QStringLiteral("scheda.pdf"));
        const Run run = mercanzola({"--scheda", pdf, "--lista", list, "--esercizi", exercises,
                                    "--problemi", "2", "--soluzioni", "--seme", "7"});
        QCOMPARE(run.errors, QString());
        QCOMPARE(run.status, 0);
        const int pages = pagesOf(pdf);
        QVERIFY(pages >= 2);
        // The answers start on a page of their own: the questions' pages hold none.
        int firstAnswers = 0;
        for (int page = 1; page <= pages && !firstAnswers; ++page)
            if (textOf(pdf, page, page).contains(QStringLiteral("Soluzioni")))
                firstAnswers = page;
        QVERIFY(firstAnswers > 1);
        const QString questions = textOf(pdf, 1, firstAnswers - 1);
        const QString answers = textOf(pdf, firstAnswers);
        QVERIFY2(questions.contains(QStringLiteral("Nome ____")) &&
                     questions.contains(QStringLiteral("Classe ____")) &&
                     questions.contains(QStringLiteral("Data ____")),
                 qPrintable(questions));
        QVERIFY(questions.contains(QStringLiteral("seme 7")));
        for (const QString& text : onQuestions)
            QVERIFY2(questions.contains(text),
                     qPrintable(text + QStringLiteral(" in ") + questions));
        for (const QString& text : onAnswers) {
            QVERIFY2(answers.contains(text), qPrintable(text + QStringLiteral(" in ") + answers));
            QVERIFY2(!questions.contains(text) || onQuestions.join(u' ').contains(text),
                     qPrintable(text));
        }
    }

    // A sheet at level 1: only the plain articles, the level at the foot
    // beside the seed; the same seed without a level draws the other one too.
    void levelSheet() {
        const QString list =
            write(QStringLiteral("livelli.txt"), "matita,300,500\ngomma,200,350\npenna,800,1200\n"
                                                 "zaino,12345,15678\n");
        auto sheet = [&](const QStringList& level) {
            const QString pdf = folder.filePath(QStringLiteral("livello.pdf"));
            const Run run = mercanzola(QStringList{"--scheda", pdf, "--lista", list, "--esercizi",
                                                   "1,5,13", "--problemi", "20", "--seme", "3"} +
                                       level);
            return run.status == 0 ? textOf(pdf) : run.errors;
        };
        const QString first = sheet({"--livello", "1"});
        QVERIFY2(first.contains(QStringLiteral("livello 1 - seme 3")), qPrintable(first));
        QVERIFY2(!first.contains(QStringLiteral("zaino")), qPrintable(first));
        QVERIFY(sheet({}).contains(QStringLiteral("zaino")));
    }

    // The same seed gives the same sheet; another seed, other problems.
    void sameSeedSameSheet() {
        auto sheet = [this](const QString& name, const QString& seed) {
            const QString pdf = folder.filePath(name);
            const Run run = mercanzola({"--scheda", pdf, "--seme", seed, "--soluzioni"});
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
        const Run run = mercanzola(all);
        QVERIFY(run.status != 0);
        QVERIFY2(run.errors.contains(told), qPrintable(run.errors));
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("errata.pdf"))));
    }

private:
    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(name));
        file.write(bytes);
        return file.fileName();
    }

    QTemporaryDir folder;
};

QTEST_GUILESS_MAIN(TestWorksheet)
#include "test_worksheet.moc"

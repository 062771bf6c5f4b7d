// The teacher's record: what the report says after a known set of answers,
// and a pupil who says who they are and answers.

#include "app/CommandLine.h"
#include "app/RecordCommands.h"
#include "app/RecordReport.h"
#include "exercises/PurchaseScreen.h"
#include "platform/Record.h"
#include "shell/FormAlunno.h"
#include "shell/FormMenu.h"
#include "shell/Modulo1.h"
#include "shell/ScreenChain.h"
#include "support/TestServices.h"

#include <QApplication>
#include <QProcess>
#include <QTest>
#include <QUuid>
#include <map>
#include <memory>

namespace {

const QString ProgramFolder = QStringLiteral(MERCANZOLA_PROGRAM_FOLDER);

platform::RecordFactory* factory() {
    QString problem;
    platform::RecordFactory* made = platform::recordFactory(ProgramFolder, &problem);
    if (!made)
        qFatal("%s", qPrintable(problem));
    return made;
}

struct Given {
    const char* pupil;
    const char* exercise;
    const char* day;
    bool right;
    int number = 0; // the exercise's place in the menu; 0 as an older program kept it
    int level = 0;  // 0: levels off
};

// Written as a lesson writes them; the record is closed, every answer on disk.
void write(const QString& file, const QList<Given>& answers) {
    std::unique_ptr<platform::AnswerRecord> record(
        factory()->openForLesson(file, QFileInfo(file).absolutePath() + "/coda"));
    for (const Given& a : answers)
        record->keep({QString::fromLatin1(a.day) + QStringLiteral("T10:00:00.000+01:00"),
                      QString::fromLatin1(a.day), QString::fromUtf8(a.pupil), "pc-3",
                      QString::fromUtf8(a.exercise), "quaderno, costo unitario 300 lire", "600",
                      a.right, 4.5, a.number, a.level ? std::optional(a.level) : std::nullopt});
}

QList<platform::ReportRow> rowsOf(const QString& file, const QDate& since = {},
                                  const QDate& until = {}) {
    QList<platform::ReportRow> rows;
    QString problem;
    if (!factory()->readReport(file, since, until, &rows, &problem))
        qWarning("%s", qPrintable(problem));
    sortForReport(&rows);
    return rows;
}

QString summary(const QString& file, const QDate& since = {}, const QDate& until = {}) {
    return reportText(rowsOf(file, since, until));
}

const QList<Given> Week = {
    {"Bruno", "trova il ricavo", "2024-03-01", true},
    {"Anna", "trova il costo totale", "2024-03-01", false},
    {"anna  ", "trova il costo totale", "2024-03-04", true}, // one pupil, spelled otherwise
    {"Anna", "trova il costo totale", "2024-03-05", true},
    {"Anna", "usa il denaro", "2024-03-05", false},
    {"Bruno; Jr.", "trova il ricavo", "2024-03-05", true},
};

} // namespace

Q_DECLARE_METATYPE(QList<Given>)

class RecordTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpItalianProgram(); }
    void cleanup() {
        platform::startRecord({}, {});
        closeAllWindows();
    }

    void reports_data() {
        QTest::addColumn<QDate>("since");
        QTest::addColumn<QDate>("until");
        QTest::addColumn<QString>("expected");
        QTest::newRow("every answer, by pupil then exercise in the menu's order")
            << QDate() << QDate()
            << "alunno      esercizio              risposte  esatte  errate  percentuale esatte  "
               "ultimo giorno\n"
               "Anna        trova il costo totale         3       2       1                66,7  "
               "05/03/2024\n"
               "Anna        usa il denaro                 1       0       1                 0,0  "
               "05/03/2024\n"
               "Bruno       trova il ricavo               1       1       0               100,0  "
               "01/03/2024\n"
               "Bruno; Jr.  trova il ricavo               1       1       0               100,0  "
               "05/03/2024\n";
        QTest::newRow("from a day on")
            << QDate(2024, 3, 4) << QDate()
            << "alunno      esercizio              risposte  esatte  errate  percentuale esatte  "
               "ultimo giorno\n"
               "Anna        trova il costo totale         2       2       0               100,0  "
               "05/03/2024\n"
               "Anna        usa il denaro                 1       0       1                 0,0  "
               "05/03/2024\n"
               "Bruno; Jr.  trova il ricavo               1       1       0               100,0  "
               "05/03/2024\n";
        QTest::newRow("up to a day")
            << QDate() << QDate(2024, 3, 4)
            << "alunno  esercizio              risposte  esatte  errate  percentuale esatte  "
               "ultimo giorno\n"
               "Anna    trova il costo totale         2       1       1                50,0  "
               "04/03/2024\n"
               "Bruno   trova il ricavo               1       1       0               100,0  "
               "01/03/2024\n";
        QTest::newRow("after the last answer")
            << QDate(2024, 3, 6) << QDate()
            << "alunno  esercizio  risposte  esatte  errate  percentuale esatte  ultimo giorno\n"
               "(nessuna risposta nel registro)\n";
    }
    void reports() {
        QFETCH(QDate, since);
        QFETCH(QDate, until);
        QFETCH(QString, expected);
        QTemporaryDir folder;
        const QString file = folder.filePath("registro.sqlite");
        write(file, Week);
        QCOMPARE(summary(file, since, until), expected);
    }

    // Whatever the record holds and whatever LANG says: a name on one row,
    // shortened in the text's column (whole in the grid's title, the CSV),
    // pupils in the Italian order.
    void namesKeepTheirRow_data() {
        QTest::addColumn<QStringList>("pupils");
        QTest::addColumn<QStringList>("shown"); // the text's first column, in order
        QTest::addColumn<QString>("grid");      // in the HTML page
        const QString sixty = QString(20, u'a') + " " + QString(39, u'b');
        QTest::newRow("a newline in a name")
            << QStringList{"Anna\nRossi", "Bruno\r"} << QStringList{"Anna Rossi", "Bruno"}
            << "<tr><td>Anna Rossi</td>";
        QTest::newRow("a name of 60 letters")
            << QStringList{sixty} << QStringList{QString(20, u'a') + " " + QString(8, u'b') + "…"}
            << "<tr><td title=\"" + sixty + "\">" + QString(20, u'a') + " " + QString(8, u'b') +
                   "…</td>";
        QTest::newRow("accents beside their letters")
            << QStringList{"Zeno", "Élia", "anna", "Ettore"}
            << QStringList{"anna", "Élia", "Ettore", "Zeno"} << "<tr><td>Élia</td>";
    }
    void namesKeepTheirRow() {
        QFETCH(QStringList, pupils);
        QFETCH(QStringList, shown);
        QFETCH(QString, grid);
        QTemporaryDir folder;
        const QString file = folder.filePath("registro.sqlite");
        QList<QByteArray> names;
        QList<Given> answers;
        for (const QString& pupil : pupils)
            names << pupil.toUtf8();
        for (const QByteArray& name : names)
            answers << Given{name.constData(), "trova il ricavo", "2024-03-05", true, 6};
        write(file, answers);
        const QStringList lines = summary(file).split(u'\n', Qt::SkipEmptyParts).mid(1);
        QCOMPARE(lines.size(), shown.size());
        for (qsizetype i = 0; i < lines.size(); ++i)
            QVERIFY2(lines[i].startsWith(shown[i] + "  "), qPrintable(lines[i]));
        QVERIFY(QString::fromUtf8(reportHtml(rowsOf(file), "Riepilogo")).contains(grid));
    }

    void spreadsheetKeepsEveryField_data() {
        QTest::addColumn<QString>("pupil");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("a decimal comma and a comma in a name")
            << "Rossi, Anna"
            << QByteArray("\"Rossi, Anna\";\"trova il ricavo\";\"2\";\"1\";"
                          "\"1\";\"50,0\";\"05/03/2024\"");
        QTest::newRow("a semicolon and quotes")
            << "Bruno; \"Jr\"" << QByteArray("\"Bruno; \"\"Jr\"\"\";\"trova il ricavo\";");
        QTest::newRow("a formula made inert")
            << "=HYPERLINK(\"x\")" << QByteArray("\"'=HYPERLINK(\"\"x\"\")\";");
        QTest::newRow("plus") << "+39 Anna" << QByteArray("\"'+39 Anna\";");
        QTest::newRow("minus") << "-Anna" << QByteArray("\"'-Anna\";");
        QTest::newRow("at") << "@Anna" << QByteArray("\"'@Anna\";");
    }
    void spreadsheetKeepsEveryField() {
        QFETCH(QString, pupil);
        QFETCH(QByteArray, line);
        QTemporaryDir folder;
        const QString file = folder.filePath("registro.sqlite");
        const QByteArray name = pupil.toUtf8();
        write(file, {{name.constData(), "trova il ricavo", "2024-03-05", true},
                     {name.constData(), "trova il ricavo", "2024-03-05", false}});
        const QByteArray csv = reportCsv(rowsOf(file));
        QVERIFY(csv.startsWith("\xEF\xBB\xBF\"alunno\";\"esercizio\";\"risposte\";"));
        QVERIFY2(csv.contains("\r\n" + line), csv.constData());
    }

    void teachersPages() {
        QTemporaryDir folder;
        const QString file = folder.filePath("registro.sqlite");
        write(file, Week);
        const QByteArray page = reportHtml(rowsOf(file), "Riepilogo");
        // First the class grid, pupils by exercises in the menu's order.
        QVERIFY(page.indexOf("class=\"griglia\"") < page.indexOf("<section>"));
        QVERIFY(page.contains("<tr><td>Anna</td><td class=\"n\">66,7%</td><td class=\"n\"></td>"
                              "<td class=\"n\">0,0%</td></tr>"));
        QVERIFY(page.contains("<li>trova il costo totale</li><li>trova il ricavo</li>"
                              "<li>usa il denaro</li>"));
        QCOMPARE(page.count("class=\"barra\""), 3); // one bar per pupil
        QVERIFY(page.contains("2 esatte su 4 risposte (50,0%)"));

        QList<platform::WrongAnswer> wrong;
        QString problem;
        QVERIFY2(factory()->readWrongAnswers(file, {}, {}, &wrong, &problem), qPrintable(problem));
        QCOMPARE(wrongAnswersText(wrong),
                 "Anna\n"
                 "  01/03/2024  trova il costo totale: quaderno, costo unitario 300 lire\n"
                 "    scritto 600, giusto 600\n"
                 "  05/03/2024  usa il denaro: quaderno, costo unitario 300 lire\n"
                 "    scritto 600, giusto (lasciato)\n");
    }

    // Each wrong answer is paired with the next right one in the order the
    // PC gave them, whatever its clock said; each PC keeps its own order.
    void wrongAnswersFollowThePCsOrder_data() {
        QTest::addColumn<QStringList>("given"); // time, PC, typed, right (1/0)
        QTest::addColumn<QString>("expected");
        QTest::newRow("the clock put back an hour after the wrong answer")
            << QStringList{"10:00 pc-3 500 0", "09:01 pc-3 600 1"}
            << "Anna\n  05/03/2024  trova il ricavo: quaderno\n    scritto 500, giusto 600\n";
        QTest::newRow("the clock put forward: the right answer after the next wrong one")
            << QStringList{"10:00 pc-3 500 0", "11:00 pc-3 600 1", "10:30 pc-3 700 0",
                           "10:31 pc-3 600,00 1"}
            << "Anna\n  05/03/2024  trova il ricavo: quaderno\n    scritto 500, giusto 600\n"
               "  05/03/2024  trova il ricavo: quaderno\n    scritto 700, giusto 600,00\n";
        QTest::newRow("another PC's right answer is not this one's")
            << QStringList{"10:00 pc-3 500 0", "10:05 pc-4 600 1"}
            << "Anna\n  05/03/2024  trova il ricavo: quaderno\n    scritto 500, giusto "
               "(lasciato)\n";
    }
    void wrongAnswersFollowThePCsOrder() {
        QFETCH(QStringList, given);
        QFETCH(QString, expected);
        QTemporaryDir folder;
        const QString file = folder.filePath("registro.sqlite");
        {
            // Each PC its own queue, as each has its own disk.
            std::map<QString, std::unique_ptr<platform::AnswerRecord>> pcs;
            for (const QString& answer : given) {
                const QStringList f = answer.split(u' ');
                auto& pc = pcs[f[1]];
                if (!pc)
                    pc.reset(factory()->openForLesson(file, folder.filePath("coda-" + f[1])));
                pc->keep({"2024-03-05T" + f[0] + ":00.000+01:00", "2024-03-05", "Anna", f[1],
                          "trova il ricavo", "quaderno", f[2], f[3] == u"1", 4.5, 6, std::nullopt});
            }
        }
        QList<platform::WrongAnswer> wrong;
        QString problem;
        QVERIFY2(factory()->readWrongAnswers(file, {}, {}, &wrong, &problem), qPrintable(problem));
        QCOMPARE(wrongAnswersText(wrong), expected);
    }

    void forgettingLeavesTheRest() {
        QTemporaryDir folder;
        const QString file = folder.filePath("registro.sqlite");
        write(file, Week);
        // Not on a terminal, a deletion is done only with --sì; any spelling
        // of the name takes every answer of the pupil.
        const auto run = [&](const QStringList& arguments) {
            return runRecordCommand(readCommandLine(QStringList{"mercanzola"} + arguments), file,
                                    ProgramFolder);
        };
        QCOMPARE(run({"--cancella-alunno", " aNNa "}), 1);
        QVERIFY(summary(file).contains("Anna"));
        int deleted = 0;
        int pupils = 0;
        QString problem;
        QVERIFY(factory()->countDeletion(file, "ANNA", {}, &deleted, &pupils, &problem));
        QCOMPARE(QList<int>({deleted, pupils}), QList<int>({4, 1}));
        QVERIFY(factory()->countDeletion(file, {}, QDate(2024, 3, 5), &deleted, &pupils, &problem));
        QCOMPARE(QList<int>({deleted, pupils}), QList<int>({3, 2}));
        QCOMPARE(run({"--cancella-alunno", " aNNa ", "--sì"}), 0);
        QVERIFY(!summary(file).contains("Anna"));
        // Neither the record nor its journal keeps the erased answers' bytes.
        for (const QFileInfo& kept : QDir(folder.path()).entryInfoList(QDir::Files)) {
            QFile f(kept.absoluteFilePath());
            QVERIFY(f.open(QIODevice::ReadOnly));
            QVERIFY2(!f.readAll().contains("Anna"), qPrintable(kept.fileName()));
        }
        QVERIFY(summary(file).contains("Bruno; Jr."));
        QCOMPARE(run({"--cancella-prima-del", "2024-03-05", "--si"}), 0); // Bruno's first of March
        QVERIFY(!summary(file).contains("01/03/2024"));
        QVERIFY(summary(file).contains("Bruno; Jr."));
        // A deletion that matches nothing says so, and the command fails.
        for (const QStringList& nothing : {QStringList{"--cancella-alunno", "Zeno"},
                                           QStringList{"--cancella-prima-del", "2024-01-01"}})
            QCOMPARE(runRecordCommand(readCommandLine(QStringList{"mercanzola"} + nothing), file,
                                      ProgramFolder),
                     1);
    }

    // A record or a queue kept by an older program, without the exercise's
    // number and the level, opens as it is and takes the new answers; the
    // report joins an exercise's answers under its number and shows the
    // highest level reached, where some answer had one.
    void olderRecordsOpen_data() {
        QTest::addColumn<bool>("oldQueue");
        QTest::addColumn<QList<Given>>("answers");
        QTest::addColumn<QString>("expected");
        // The answers delivered now have a time of arrival; those given by
        // this program also their place in the PC's order.
        QTest::addColumn<QString>("arrivedNumbered");
        const QString header = "alunno  esercizio        risposte  esatte  errate  "
                               "percentuale esatte  ultimo giorno";
        QTest::newRow("no levels: no column")
            << false << QList<Given>{{"Anna", "trova il ricavo", "2024-03-05", true, 6}}
            << header + "\nAnna    trova il ricavo         2       1       1                50,0  "
                        "05/03/2024\n"
            << "1|1\n";
        QTest::newRow("the highest level, joined under the number of a renamed exercise")
            << false
            << QList<Given>{{"Anna", "ricavo (vecchio nome)", "2024-03-05", true, 6, 1},
                            {"Anna", "trova il ricavo", "2024-03-06", true, 6, 2},
                            {"Bruno", "trova il ricavo", "2024-03-06", false, 6}}
            << header + "  livello\n"
                        "Anna    trova il ricavo         3       2       1                66,7  "
                        "06/03/2024           2\n"
                        "Bruno   trova il ricavo         1       0       1                 0,0  "
                        "06/03/2024\n"
            << "3|3\n";
        QTest::newRow("an older queue's answer delivered")
            << true << QList<Given>{}
            << header + "\nAnna    trova il ricavo         2       1       1                50,0  "
                        "05/03/2024\n"
            << "1|0\n";
    }
    void olderRecordsOpen() {
        QFETCH(bool, oldQueue);
        QFETCH(QList<Given>, answers);
        QFETCH(QString, expected);
        QTemporaryDir folder;
        const QString file = folder.filePath("registro.sqlite");
        const QString queue = folder.filePath("coda/coda-registro.sqlite");
        QDir().mkpath(folder.filePath("coda"));
        const QString before = QStringLiteral(
            "CREATE TABLE risposte (id TEXT PRIMARY KEY, quando TEXT NOT NULL, giorno TEXT NOT "
            "NULL, alunno TEXT NOT NULL, computer TEXT NOT NULL, esercizio TEXT NOT NULL, problema "
            "TEXT NOT NULL, risposta TEXT NOT NULL, esatta INTEGER NOT NULL, secondi REAL NOT "
            "NULL); INSERT INTO risposte VALUES ('%1', '2024-03-05T09:00:00.000+01:00', "
            "'2024-03-05', 'Anna', 'pc-1', 'trova il ricavo', 'quaderno', '9', 0, 3.0);");
        QVERIFY(QProcess::execute("sqlite3", {file, before.arg(QUuid::createUuid().toString(
                                                        QUuid::WithoutBraces))}) == 0);
        if (oldQueue) {
            const QString right = QString(before).replace("0, 3.0", "1, 3.0");
            QVERIFY(QProcess::execute("sqlite3", {queue, right.arg(QUuid::createUuid().toString(
                                                             QUuid::WithoutBraces))}) == 0);
        }
        write(file, answers); // an older queue's answers go first
        QCOMPARE(summary(file), expected);
        QFETCH(QString, arrivedNumbered);
        QProcess kept;
        kept.start("sqlite3", {file, "SELECT count(arrivo), count(ordine) FROM risposte WHERE "
                                     "arrivo > '2024' AND quando > '2024-03-05T09:00:00'"});
        QVERIFY(kept.waitForFinished());
        QCOMPARE(kept.readAllStandardOutput(), arrivedNumbered.toUtf8());
    }

    // A record that refuses one answer for what it holds (here a name longer
    // than it takes) keeps taking the ones after it; the refused one is kept
    // apart in the queue and the notice says so.
    void refusedAnswerDoesNotBlock() {
        QTemporaryDir folder;
        const QString file = folder.filePath("registro.sqlite");
        write(file, {{"Anna", "trova il ricavo", "2024-03-04", true, 6}});
        QVERIFY(QProcess::execute("sqlite3", {file, "CREATE TRIGGER corto BEFORE INSERT ON "
                                                    "risposte WHEN length(NEW.alunno) > 60 BEGIN "
                                                    "SELECT RAISE(ABORT, 'nome troppo lungo'); "
                                                    "END"}) == 0);
        const QByteArray longName(6400, 'x');
        {
            std::unique_ptr<platform::AnswerRecord> record(
                factory()->openForLesson(file, folder.filePath("coda")));
            for (const Given& a :
                 QList<Given>{{longName.constData(), "trova il ricavo", "2024-03-05", true, 6},
                              {"Anna", "trova il ricavo", "2024-03-05", false, 6}})
                record->keep({QString::fromLatin1(a.day) + "T10:00:00.000+01:00", a.day, a.pupil,
                              "pc-3", a.exercise, "quaderno", "600", a.right, 4.5, a.number,
                              std::nullopt});
            QTRY_COMPARE(record->trouble(), "Registro: 1 risposta rifiutata, tenuta a parte");
        }
        QVERIFY(summary(file).contains(
            "Anna    trova il ricavo         2       1       1                50,0"));
        QProcess kept;
        kept.start("sqlite3", {folder.filePath("coda/coda-registro.sqlite"),
                               "SELECT length(alunno) FROM rifiutate"});
        QVERIFY(kept.waitForFinished());
        QCOMPARE(kept.readAllStandardOutput(), "6400\n");
    }

    void notARecordIsTold_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("told");
        QTest::newRow("no file") << QByteArray() << "il registro %1 non esiste";
        // SQLite's words follow on a line of their own, after the Italian.
        QTest::newRow("a text file") << QByteArray("Anna;3;2\n")
                                     << "%1 non è un registro della mercanzola: il file non è un "
                                        "database\n  file is not a database";
        QTest::newRow("a database with other tables")
            << QByteArray("CREATE TABLE voti (alunno TEXT);")
            << "%1 non è un registro della mercanzola: la tabella del registro manca o è "
               "diversa\n  no such table: risposte";
    }
    void notARecordIsTold() {
        QFETCH(QByteArray, content);
        QFETCH(QString, told);
        QTemporaryDir folder;
        const QString file = folder.filePath("registro.sqlite");
        if (content.startsWith("CREATE")) {
            QCOMPARE(QProcess::execute("sqlite3", {file, QString::fromLatin1(content)}), 0);
        } else if (!content.isEmpty()) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        QList<platform::ReportRow> rows;
        QString problem;
        QVERIFY(!factory()->readReport(file, {}, {}, &rows, &problem));
        QVERIFY2(problem.startsWith(told.arg(file)), qPrintable(problem));
    }

    void pupilSaysWhoTheyAre_data() {
        QTest::addColumn<QByteArray>("classList");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("pupil");
        QTest::newRow("Tab and Enter to the second name")
            << QByteArray("Anna Rossi\n\nBruno Bianchi\r\nanna  ROSSI\n") << "keys"
            << "Bruno Bianchi";
        QTest::newRow("a tap on a name") << QByteArray("Anna Rossi\nBruno Bianchi\n") << "tap"
                                         << "Anna Rossi";
        QTest::newRow("an old Mac's list, lines ending in CR alone")
            << QByteArray("Anna Rossi\rBruno Bianchi\r") << "keys"
            << "Bruno Bianchi";
        QTest::newRow("a long name cut at 60 characters, a control character left out")
            << QByteArray("Anna\x01Rossi " + QByteArray(70, 'x') + "\nBruno Bianchi\n") << "tap"
            << "Anna Rossi " + QString(49, u'x');
        QTest::newRow("no class list: the name typed") << QByteArray() << "type"
                                                       << "Carla Verdi";
        QByteArray sixty;
        for (int i = 1; i <= 60; ++i)
            sixty += "Alunno " + QByteArray::number(i) + '\n';
        QTest::newRow("sixty names: big buttons in pages, Tab to the next") << sixty << "pages"
                                                                            << "Alunno 19";
        QTest::newRow("a touch screen, no class list: the letter pad") << QByteArray() << "pad"
                                                                       << "Zoè D'Amico";
    }
    void pupilSaysWhoTheyAre() {
        QFETCH(QByteArray, classList);
        QFETCH(QString, how);
        QFETCH(QString, pupil);
        TestServices s;
        // Registering a touch screen is what makes the letter pad show; the
        // device is kept for the whole run, as the toolkit keeps its own.
        static QPointingDevice* touchScreen = nullptr;
        if (how == "pad" && !touchScreen)
            touchScreen = QTest::createTouchDevice();
        if (!classList.isEmpty())
            s.writeFile("classe.txt", classList);
        s.setCatalogue({{"quaderno", 250, 300}});
        const QString file = s.folder.filePath("registro.sqlite");
        qputenv("XDG_DATA_HOME", s.folder.path().toLocal8Bit()); // the queue of this case
        platform::startRecord(file, ProgramFolder);

        auto* avvio = openScreen(ScreenId::Avvio);
        QTest::mouseClick(avvio->findChild<ui::Button*>(), Qt::LeftButton);
        auto* who = qobject_cast<FormAlunno*>(currentScreen());
        QVERIFY(who);
        QApplication::setActiveWindow(who);
        if (how == "type") {
            pupil::answer(who->Text1, "   "); // nothing typed: still asked
            QCOMPARE(currentScreen(), who);
            pupil::answer(who->Text1, "  Carla   Verdi ");
        } else if (how == "pages") {
            QCOMPARE(who->Command1.size(), 18u);
            for (const ui::Button* button : who->Command1)
                QVERIFY(button->height() >= 48 * who->contentScale() - 1);
            QTest::mouseClick(who->Next, Qt::LeftButton);
            QCOMPARE(who->Command1.front()->text(), "Alunno 19");
            // Tab from the last name of the page reaches the page buttons.
            who->Command1.back()->setFocus();
            QTest::keyClick(who->Command1.back(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), who->Previous);
            for (int page = 0; page < 4; ++page) // round to the first and on to the second
                pupil::enter(who->Next);
            pupil::enter(who->Command1.front());
        } else if (how == "pad") {
            QVERIFY(!who->LetterKeys.empty());
            const auto key = [who](const QString& caption) {
                for (ui::Button* button : who->LetterKeys)
                    if (button->text() == caption)
                        QTest::mouseClick(button, Qt::LeftButton);
            };
            for (const char* caption : {"Z", "O", "È", "X", "cancella", "spazio", "D", "'", "A",
                                        "M", "I", "C", "O", "invio"})
                key(QString::fromUtf8(caption));
        } else {
            QCOMPARE(who->Command1.size(), 2u); // blank and repeated lines left out
            if (how == "tap") {
                QTest::mouseClick(who->Command1[0], Qt::LeftButton);
            } else {
                QCOMPARE(QApplication::focusWidget(), who->Command1[0]);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), who->Command1[1]);
                pupil::enter(who->Command1[1]);
            }
        }
        QVERIFY(qobject_cast<FormMenu*>(currentScreen()));

        // One wrong answer on Form1: 6 at 300 lire.
        s.random.values << TestServices::drawing(4, 18) << 0.0 << TestServices::drawing(6, 11);
        auto* form1 = qobject_cast<PurchaseScreen*>(
            openScreen(ScreenId(Exercise::TotalCost), currentScreen()));
        pupil::answer(form1->Text1, "1 500");
        platform::stopRecord();
        // The name as kept (the text's column shortens a long one).
        const QList<QByteArray> kept = reportCsv(rowsOf(file)).split('\n');
        QCOMPARE(QString::fromUtf8(kept.value(1)).trimmed(),
                 "\"" + pupil + "\";\"trova il costo totale\";\"1\";\"0\";\"1\";\"0,0\";\"" +
                     QDate::currentDate().toString("dd/MM/yyyy") + "\"");
    }

    void classListBesideTheCatalogueInUse() {
        // As installed: lista.txt in the program folder links to /etc/mercanzola/.
        TestServices s;
        QDir(s.folder.path()).mkdir("etc");
        QFile shipped(ProgramFolder + "/lista.txt");
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        s.writeFile("etc/lista.txt", shipped.readAll());
        s.writeFile("etc/classe.txt", "Dario Neri\n");
        s.writeFile("classe.txt", "Anna Rossi\n");
        QVERIFY(QFile::link(s.folder.filePath("etc/lista.txt"), s.folder.filePath("lista.txt")));
        Modulo1::CaricaLista(testLesson());
        QCOMPARE(readClassList(testLesson().cataloguePath()), QStringList{"Dario Neri"});
        QFile::remove(s.folder.filePath("etc/classe.txt"));
        QCOMPARE(readClassList(testLesson().cataloguePath()),
                 QStringList{"Anna Rossi"}); // then the program folder's
    }

    void configurationNamesTheRecord_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QStringList>("told");
        QTest::newRow("as shipped, commented out")
            << "# registro = /var/lib/mercanzola/registro.sqlite\n"
            << QString() << QStringList();
        QTest::newRow("a server") << "registro = postgresql://scuola/mercanzola\n"
                                  << "postgresql://scuola/mercanzola" << QStringList();
        QTest::newRow("a colon, any letter case")
            << "Registro: postgresql://scuola/m?host=x\n"
            << "postgresql://scuola/m?host=x" << QStringList();
        QTest::newRow("the last line counts, a stray one told")
            << "registro=/a.sqlite\n\n  REGISTRO =  /b.sqlite  \naltro = x\n"
            << "/b.sqlite" << QStringList{"riga 4 non capita: altro = x"};
        QTest::newRow("a misspelt name turns nothing on without a word")
            << "registri = /a.sqlite\n"
            << QString() << QStringList{"riga 1 non capita: registri = /a.sqlite"};
    }
    void configurationNamesTheRecord() {
        QFETCH(QString, text);
        QFETCH(QString, destination);
        QFETCH(QStringList, told);
        const RecordConfig config = readRecordConfig(text);
        QCOMPARE(config.destination, destination);
        QCOMPARE(config.strayLines, told);
    }

    void mistypedReportOptionsAreTold_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::newRow("a date the Italian way")
            << QStringList{"--riepilogo", "--dal", "16/09/2024"}
            << "Data non valida dopo --dal: 16/09/2024 (si scrive AAAA-MM-GG, per esempio "
               "2024-09-16)";
        QTest::newRow("no name to forget") << QStringList{"--cancella-alunno", " "}
                                           << "Manca il nome dell'alunno dopo --cancella-alunno";
        QTest::newRow("--dal after --al")
            << QStringList{"--riepilogo", "--dal", "2024-12-20", "--al", "2024-09-16"}
            << "--dal 2024-12-20 viene dopo --al 2024-09-16: nessun giorno fra i due";
    }
    void mistypedReportOptionsAreTold() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        QCOMPARE(readCommandLine(QStringList{"mercanzola"} + arguments).error, error);
    }
};

QTEST_MAIN(RecordTest)
#include "test_record.moc"

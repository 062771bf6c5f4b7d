// Reading lista.txt from the program folder into the catalogue tables.

#include "model/ProgramError.h"
#include "shell/Lesson.h"
#include "shell/Modulo1.h"
#include "support/ProgramRun.h"
#include "support/TestServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

using namespace Modulo1;

namespace {

QString lireText(Money amount) {
    return QString::number(amount.toDouble(), 'g', 16);
}

// The loaded records as "name|buying|selling", in the file's order.
QStringList loadedRecords() {
    QStringList records;
    for (const CatalogueRecord& r : testLesson().catalogue().records)
        records << QStringLiteral("%1|%2|%3")
                       .arg(r.name, lireText(r.buyingPrice), lireText(r.sellingPrice));
    return records;
}

// Record k of the lesson, counting from 1 as a teacher numbers the lines.
const CatalogueRecord& record(int k) {
    return testLesson().catalogue().records.at(k - 1);
}

// The text of the error CaricaLista stops with, or a null string when it loads.
QString loadError() {
    try {
        CaricaLista(testLesson());
    } catch (const ProgramError& error) {
        return error.text().isNull() ? QStringLiteral("?") : error.text();
    }
    return QString();
}

bool mentions(const QString& text, const QString& word, int number) {
    return text.contains(QRegularExpression(QStringLiteral("\\b%1 %2\\b").arg(word).arg(number)));
}

QString catalogueOf(int records) {
    QString text = QStringLiteral("\r\n"); // a blank first line: record k is on line k + 1
    for (int k = 1; k <= records; ++k)
        text += QStringLiteral("\"articolo %1\",%1,%2\r\n").arg(k).arg(k + 1);
    return text;
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void fieldSyntax_data();
    void fieldSyntax();
    void fiveHundredRecordsFillTheTables();
    void recordFiveHundredAndOneStopsTheProgram();
    void fileEndingInsideARecord_data();
    void fileEndingInsideARecord();
    void missingFileIsNamed();
    void unreadableFileIsExplained();
    void reloadEmptiesTheSlotsPastTheLastRecord();
    void shippedCatalogueLoads();
    void checkedByTheTeacher_data();
    void checkedByTheTeacher();
};

void TestCatalogue::fieldSyntax_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("records");

    const QStringList matitaGomma{"matita|250|400", "gomma|200|350"};
    QTest::newRow("LF") << QByteArray("matita,250,400\ngomma,200,350\n") << matitaGomma;
    QTest::newRow("CR LF") << QByteArray("matita,250,400\r\ngomma,200,350\r\n") << matitaGomma;
    QTest::newRow("lone CR") << QByteArray("matita,250,400\rgomma,200,350\r") << matitaGomma;
    QTest::newRow("no final line end")
        << QByteArray("matita,250,400\r\ngomma,200,350") << matitaGomma;
    QTest::newRow("record over three lines")
        << QByteArray("\"penna a sfera\"\r\n400\r\n600\r\nmatita,250,400\r\n")
        << QStringList{"penna a sfera|400|600", "matita|250|400"};
    QTest::newRow("fields whatever the lines")
        << QByteArray("matita,250\r\n400,gomma\r\n200,350") << matitaGomma;
    QTest::newRow("spaces before and after fields")
        << QByteArray("  matita,  250,\t400\r\n   gomma , 200 ,350\r\n") << matitaGomma;
    QTest::newRow("a space ends an amount")
        << QByteArray("matita,250 400\r\n") << QStringList{"matita|250|400"};
    QTest::newRow("blank lines") << QByteArray("\r\n\r\nmatita,250,400\r\n\r\n   \r\n"
                                               "gomma,200,350\r\n\r\n\r\n")
                                 << matitaGomma;

    QTest::newRow("quoted name with commas")
        << QByteArray("\"gomma, matita e temperino\",700,1100\r\n")
        << QStringList{"gomma, matita e temperino|700|1100"};
    QTest::newRow("quoted name keeps its spaces")
        << QByteArray("\" penna \",400,600") << QStringList{" penna |400|600"};
    QTest::newRow("text after the closing quote")
        << QByteArray("\"matita\" rossa,250,400") << QStringList{"matita|250|400"};
    // Unquoted, the part after the comma is the buying price (not a number: 0) and the
    // rest of the file shifts by one field.
    QTest::newRow("unquoted name with a comma")
        << QByteArray("colla, stick,1200,1800\r\nrighello,600\r\n")
        << QStringList{"colla|0|1200", "1800|0|600"};

    QTest::newRow("decimals") << QByteArray("colla,1.5,.25\r\n") << QStringList{"colla|1.5|0.25"};
    QTest::newRow("past four decimals")
        << QByteArray("colla,0.00005,2.12344\r\n") << QStringList{"colla|0.0001|2.1234"};
    QTest::newRow("negative") << QByteArray("resto,-3,-0.5\r\n") << QStringList{"resto|-3|-0.5"};
    QTest::newRow("not a number") << QByteArray("matita,abc,400\r\n")
                                  << QStringList{"matita|0|400"};
    QTest::newRow("sign, point or digits alone") << QByteArray("a,+5,5.\r\nb,.,-\r\nc,-.5,+\r\n")
                                                 << QStringList{"a|5|5", "b|0|0", "c|-0.5|0"};
    QTest::newRow("numbers gone wrong")
        << QByteArray("a,1.2.3,12a\r\nb,--1,\xD9\xA3\r\n") << QStringList{"a|0|0", "b|0|0"};
    QTest::newRow("empty amount between commas")
        << QByteArray("matita,,400\r\n") << QStringList{"matita|0|400"};
    QTest::newRow("empty name") << QByteArray(",250,400\r\n") << QStringList{"|250|400"};
    QTest::newRow("comma then line end") << QByteArray("matita,250,\r\ngomma,200,350\r\n")
                                         << QStringList{"matita|250|0", "gomma|200|350"};

    QTest::newRow("Windows-1252") << QByteArray("caff\xE8,500,800\r\n\"prezzo in \x80\",1,2\r\n")
                                  << QStringList{"caffè|500|800", "prezzo in €|1|2"};
    QTest::newRow("UTF-8") << QByteArray("caff\xC3\xA8,500,800\r\n")
                           << QStringList{"caffè|500|800"};
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF"
                                                  "caff\xC3\xA8,500,800\r\n")
                                    << QStringList{"caffè|500|800"};

    // What an editor in UTF-8 adds to an old file: each line read as written.
    QTest::newRow("Windows-1252 with a line in UTF-8")
        << QByteArray("caff\xE8,500,800\r\ncitt\xC3\xA0,1,2\r\n")
        << QStringList{"caffè|500|800", "città|1|2"};
    QTest::newRow("UTF-16 of Notepad")
        << QByteArray("\xFF\xFEm\0a\0t\0i\0t\0\xE0\0,\0\x32\0,\0\x33\0\r\0\n\0", 26)
        << QStringList{"matità|2|3"};
    QTest::newRow("a quoted price")
        << QByteArray("matita,\"250\",\" 400 \"\r\n") << QStringList{"matita|250|400"};
    QTest::newRow("digits of another script are not a number")
        << QByteArray("matita,\xD9\xA3,\xEF\xBC\x94\r\n") << QStringList{"matita|0|0"};
    QTest::newRow("largest prices") << QByteArray("lingotto,100000000000,-100000000000\r\n")
                                    << QStringList{"lingotto|100000000000|-100000000000"};
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("only blank lines") << QByteArray("\r\n\r\n  \r\n") << QStringList();
}

void TestCatalogue::fieldSyntax() {
    QFETCH(QByteArray, file);
    QFETCH(QStringList, records);
    TestServices t;
    t.writeFile(QStringLiteral("lista.txt"), file);
    QCOMPARE(loadError(), QString());
    QCOMPARE(testLesson().NumeroArticoli().value(), records.size());
    QCOMPARE(loadedRecords(), records);
}

void TestCatalogue::fiveHundredRecordsFillTheTables() {
    TestServices t;
    t.writeFile(QStringLiteral("lista.txt"), catalogueOf(500).toUtf8());
    QCOMPARE(loadError(), QString());
    QCOMPARE(testLesson().NumeroArticoli().value(), 500);
    QCOMPARE(record(1).name, QStringLiteral("articolo 1"));
    QCOMPARE(record(500).name, QStringLiteral("articolo 500"));
    QCOMPARE(record(500).buyingPrice, lire(500));
    QCOMPARE(record(500).sellingPrice, lire(501));
}

void TestCatalogue::recordFiveHundredAndOneStopsTheProgram() {
    TestServices t;
    t.setCatalogue({{QStringLiteral("vecchio"), 1, 2}});
    t.writeFile(QStringLiteral("lista.txt"), catalogueOf(501).toUtf8());
    const QString error = loadError();
    QVERIFY(!error.isNull());
    QVERIFY2(error.contains(QDir(t.folder.path()).filePath(QStringLiteral("lista.txt"))),
             qPrintable(error));
    QVERIFY2(mentions(error, QStringLiteral("numero"), 501), qPrintable(error));
    QVERIFY2(mentions(error, QStringLiteral("riga"), 502), qPrintable(error));
    // Nothing of the long file reached the lesson.
    QCOMPARE(loadedRecords(), QStringList{QStringLiteral("vecchio|1|2")});
}

void TestCatalogue::fileEndingInsideARecord_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("record");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("saying");

    const QByteArray first("\r\nmatita,250,400\r\n\r\n");
    QTest::newRow("name only") << first + "gomma\r\n" << 2 << 4 << QString();
    QTest::newRow("name only, no line end") << first + "gomma" << 2 << 4 << QString();
    QTest::newRow("name and a comma") << first + "gomma," << 2 << 4 << QString();
    QTest::newRow("name and one amount") << first + "gomma,200\r\n\r\n" << 2 << 4 << QString();
    QTest::newRow("unquoted comma leaves a name over")
        << QByteArray("colla, stick,1200,1800\r\nrighello,600,1000\r\n") << 3 << 2 << QString();
    QTest::newRow("unclosed quote") << first + "\"gomma,200,350\r\nrighello,600,1000\r\n"
                                    << 2 << 4 << QStringLiteral("virgolette");
    QTest::newRow("amount too large") << first + "gomma,99999999999999999,350\r\n"
                                      << 2 << 4 << QStringLiteral("99999999999999999");
    QTest::newRow("gain too large") << first + "gomma,-900000000000000,900000000000000\r\n"
                                    << 2 << 4 << QStringLiteral("-900000000000000 è troppo grande");
    // Eleven times the difference of two larger prices would not fit an amount.
    QTest::newRow("a lira over the largest price") << first + "gomma,100000000001,350\r\n"
                                                   << 2 << 4 << QStringLiteral("100000000001");
    QTest::newRow("largest negative price, and a lira more")
        << first + "gomma,1,-100000000000.5\r\n"
        << 2 << 4 << QStringLiteral("100.000.000.000");
    // The report quotes the start of a runaway price, not megabytes of it.
    QTest::newRow("runaway price") << first + "gomma," + QByteArray(100000, '7') + "\r\n"
                                   << 2 << 4 << QStringLiteral("777777777777777777777777…");
}

void TestCatalogue::fileEndingInsideARecord() {
    QFETCH(QByteArray, file);
    QFETCH(int, record);
    QFETCH(int, line);
    QFETCH(QString, saying);
    TestServices t;
    t.setCatalogue({{QStringLiteral("vecchio"), 1, 2}});
    t.writeFile(QStringLiteral("lista.txt"), file);
    const QString error = loadError();
    QVERIFY(!error.isNull());
    QVERIFY2(error.contains(QDir(t.folder.path()).filePath(QStringLiteral("lista.txt"))),
             qPrintable(error));
    QVERIFY2(mentions(error, QStringLiteral("numero"), record), qPrintable(error));
    QVERIFY2(mentions(error, QStringLiteral("riga"), line), qPrintable(error));
    QVERIFY2(error.contains(saying), qPrintable(error));
    QVERIFY2(error.size() < 300, qPrintable(error));
    QCOMPARE(loadedRecords(), QStringList{QStringLiteral("vecchio|1|2")});
}

void TestCatalogue::unreadableFileIsExplained() {
    TestServices t;
    QDir(t.folder.path()).mkdir(QStringLiteral("lista.txt"));
    QString error = loadError();
    QVERIFY2(error.contains(QStringLiteral("Non si riesce a leggere")), qPrintable(error));
    QVERIFY2(error.contains(QStringLiteral("È una cartella, non un file.")), qPrintable(error));

    if (geteuid() == 0)
        QSKIP("root reads any file: the missing permission cannot be tried");
    QDir(t.folder.path()).rmdir(QStringLiteral("lista.txt"));
    t.writeFile(QStringLiteral("lista.txt"), "matita,250,400\r\n");
    QFile::setPermissions(t.folder.filePath(QStringLiteral("lista.txt")), QFileDevice::WriteOwner);
    error = loadError();
    QVERIFY2(error.contains(QStringLiteral("Non si ha il permesso di leggerlo.")),
             qPrintable(error));
}

void TestCatalogue::reloadEmptiesTheSlotsPastTheLastRecord() {
    TestServices t;
    t.setCatalogue({{QStringLiteral("a"), 1, 2}, {QStringLiteral("b"), 3, 4}});
    t.writeFile(QStringLiteral("lista.txt"), "matita,250,400\r\n");
    QCOMPARE(loadError(), QString());
    QCOMPARE(loadedRecords(), QStringList{"matita|250|400"});
}

void TestCatalogue::missingFileIsNamed() {
    TestServices t;
    const QString error = loadError();
    QVERIFY(!error.isNull());
    QVERIFY2(error.contains(QDir(t.folder.path()).filePath(QStringLiteral("lista.txt"))),
             qPrintable(error));
    QCOMPARE(testLesson().NumeroArticoli().value(), 0);
}

void TestCatalogue::shippedCatalogueLoads() {
    const QString path = QStringLiteral(MERCANZOLA_SOURCE_DIR "/data/lista.txt");
    QFile shipped(path);
    QVERIFY2(shipped.open(QIODevice::ReadOnly), qPrintable(path));
    TestServices t;
    t.writeFile(QStringLiteral("lista.txt"), shipped.readAll());
    QCOMPARE(loadError(), QString());

    QVERIFY(testLesson().NumeroArticoli().value() >= 60);
    bool withComma = false;
    bool withAccent = false;
    for (int k = 1; k <= testLesson().NumeroArticoli().value(); ++k) {
        const QString& name = record(k).name;
        QVERIFY2(!name.trimmed().isEmpty(), qPrintable(QString::number(k)));
        QVERIFY2(!name.contains(QChar::ReplacementCharacter), qPrintable(name));
        QVERIFY2(record(k).buyingPrice > Money() && record(k).buyingPrice.isWhole(),
                 qPrintable(name));
        QVERIFY2(record(k).sellingPrice > record(k).buyingPrice && record(k).sellingPrice.isWhole(),
                 qPrintable(name));
        withComma = withComma || name.contains(u',');
        for (QChar c : name)
            withAccent = withAccent || (c.unicode() > 0x7F && c.isLetter());
    }
    QVERIFY(withComma);
    QVERIFY(withAccent);
}

// The teacher checks an edited file at a terminal: what --controlla answers
// (exit status, the count on standard output) and warns of, or the report
// that refuses the file.
void TestCatalogue::checkedByTheTeacher_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("counted");  // standard output, for a file that reads
    QTest::addColumn<QStringList>("said"); // on standard error, in this order; none: nothing
    // What follows on standard output, how many articles fit each level; not
    // looked at when empty.
    QTest::addColumn<QStringList>("levels");

    auto utf16 = [](const QString& text, bool littleEndian) {
        QByteArray bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
        for (QChar c : text) {
            const char low = char(c.unicode() & 0xFF), high = char(c.unicode() >> 8);
            bytes.append(littleEndian ? low : high).append(littleEndian ? high : low);
        }
        return bytes;
    };
    const QString two = QStringLiteral("matita,250,400\r\ngomma,200,350\r\n");
    QTest::newRow("a good file") << two.toUtf8() << 0 << "2 articoli, valuta lire" << QStringList()
                                 << QStringList();
    QTest::newRow("UTF-16, little end first")
        << utf16(two, true) << 0 << "2 articoli, valuta lire" << QStringList() << QStringList();
    QTest::newRow("UTF-16, big end first")
        << utf16(two, false) << 0 << "2 articoli, valuta lire" << QStringList() << QStringList();
    QTest::newRow("UTF-16 without its mark")
        << utf16(two, true).mid(2) << 1 << QString()
        << QStringList{"Riga 1: c'è un carattere che non è testo (codice 0)"} << QStringList();
    QTest::newRow("a control character")
        << QByteArray("matita,250,400\r\ngomma,2\x07"
                      "00,350\r\n")
        << 1 << QString() << QStringList{"Riga 2: c'è un carattere che non è testo (codice 7)"}
        << QStringList();
    QTest::newRow("a DOS end mark") << QByteArray("matita,250,400\r\n\x1A") << 0
                                    << "1 articolo, valuta lire" << QStringList() << QStringList();
    QTest::newRow("a line in UTF-8 among Windows-1252")
        << QByteArray("caff\xE8,500,800\r\npen\xE0,1,2\r\nper\xC3\xB2,1,2\r\n") << 0
        << "3 articoli, valuta lire"
        << QStringList{"Riga 3: scritta in UTF-8, il resto del file in Windows-1252"}
        << QStringList();
    QTest::newRow("a field missing")
        << QByteArray("matita,250,400\r\ngomma,200\r\nrighello,600,1000\r\n") << 1 << QString()
        << QStringList{"alla riga 3: il file finisce prima del prezzo di vendita",
                       "Riga 2: 2 campi invece di 3 (gomma,200)."}
        << QStringList();
    QTest::newRow("a field over")
        << QByteArray("matita,250,400\r\ngelato,1,50,2,50\r\nrighello,600,1000\r\n") << 1
        << QString() << QStringList{"Riga 2: 5 campi invece di 3 (gelato,1,50,2,50)."}
        << QStringList();
    QTest::newRow("a record over three lines")
        << QByteArray("\"penna a sfera\"\r\n400\r\n600\r\n") << 0 << "1 articolo, valuta lire"
        << QStringList{"Riga 1: un campo invece di 3 (\"penna a sfera\").", "Riga 2: un campo",
                       "Riga 3: un campo", "I campi si leggono tre alla volta"}
        << QStringList();
    QTest::newRow("a price in words")
        << QByteArray("matita,250,quattrocento\r\ngomma,,350\r\n") << 0 << "2 articoli, valuta lire"
        << QStringList{"Riga 1: il prezzo di vendita di matita, quattrocento, non è un numero: "
                       "vale 0 lire.",
                       "Riga 2: manca il prezzo d'acquisto di gomma: vale 0 lire."}
        << QStringList();
    QTest::newRow("column headings")
        << QByteArray("nome,acquisto,vendita\r\nmatita,250,400\r\n") << 0
        << "1 articolo, valuta lire"
        << QStringList{"Riga 1: \"nome,acquisto,vendita\" sembra l'intestazione delle colonne, "
                       "non un articolo: è saltata."}
        << QStringList();
    QTest::newRow("column headings in euro")
        << QByteArray("valuta: euro\r\nArticolo;Prezzo acquisto;Prezzo vendita\r\n"
                      "gelato;1,50;2,50\r\n")
        << 0 << "1 articolo, valuta euro"
        << QStringList{"I campi sono separati da punti e virgola (;)",
                       "Riga 2: \"Articolo;Prezzo acquisto;Prezzo vendita\" sembra l'intestazione"}
        << QStringList();
    QTest::newRow("a spreadsheet's semicolons")
        << QByteArray("matita;250;400\r\n\"gomma; bianca\";200;350\r\n") << 0
        << "2 articoli, valuta lire"
        << QStringList{"I campi sono separati da punti e virgola (;), come li salva un foglio di "
                       "calcolo: il file è letto così."}
        << QStringList();
    QTest::newRow("semicolons in a name")
        << QByteArray("matita; rossa; blu,250,400\r\n") << 0 << "1 articolo, valuta lire"
        << QStringList() << QStringList();
    QTest::newRow("an empty file") << QByteArray() << 0 << "0 articoli, valuta lire"
                                   << QStringList{"Il file non contiene articoli"} << QStringList();
    QTest::newRow("a comma price in lire")
        << QByteArray("pallone,\"12,5\",20000\r\n") << 0 << "1 articolo, valuta lire"
        << QStringList{"Riga 1: il prezzo \"12,5\" in lire vale 0 lire; se i prezzi sono in "
                       "euro, l'elenco comincia con la riga \"valuta: euro\"."}
        << QStringList();
    QTest::newRow("a thousand with a point")
        << QByteArray("gomma,1.200,1500\r\n") << 0 << "1 articolo, valuta lire"
        << QStringList{"Riga 1: il prezzo 1.200 in lire vale 1 lira: se è 1200, scrivete 1200; "
                       "se i prezzi sono in euro"}
        << QStringList();
    // How many articles fit each level, and what a level short of them does.
    QTest::newRow("levels in lire")
        << QByteArray("matita,250,400\nquaderno,1250,1750\nzaino,12345,15000\n"
                      "gomma,200,350\npenna,800,1200\n")
        << 0 << "5 articoli, valuta lire" << QStringList()
        << QStringList{"  livello 1: 3 articoli adatti", "  livello 2: 4 articoli adatti",
                       "  livello 3: 5 articoli adatti"};
    QTest::newRow("levels in euro, no price whole")
        << QByteArray("valuta: euro\nmatita,0.35,0.55\nquaderno,1.25,1.75\nzaino,25,32.50\n") << 0
        << "3 articoli, valuta euro" << QStringList()
        << QStringList{"  livello 1: 0 articoli adatti (si usano i 3 articoli con meno cifre)",
                       "  livello 2: 1 articolo adatto (si usano i 3 articoli con meno cifre)",
                       "  livello 3: 3 articoli adatti"};
}

void TestCatalogue::checkedByTheTeacher() {
    QFETCH(QByteArray, file);
    QFETCH(int, status);
    QFETCH(QString, counted);
    QFETCH(QStringList, said);
    QFETCH(QStringList, levels);
    QTemporaryDir folder;
    QFile list(folder.filePath(QStringLiteral("prova.txt")));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write(file);
    list.close();
    const ProgramRun run = runWithoutDisplay(MERCANZOLA_PROGRAM_FOLDER "/mercanzola",
                                             {"--controlla", "prova.txt"}, folder.path());
    QCOMPARE(run.status, status);
    QCOMPARE(run.out.section(u'\n', 0, 0), counted.isEmpty() ? QString() : "prova.txt: " + counted);
    if (!levels.isEmpty())
        QCOMPARE(run.out.split(u'\n', Qt::SkipEmptyParts).mid(1), levels);
    qsizetype at = 0;
    for (const QString& part : said) {
        at = run.err.indexOf(part, at);
        QVERIFY2(at >= 0, qPrintable(part + QStringLiteral("\n---\n") + run.err));
    }
    QVERIFY2(!said.isEmpty() || run.err.isEmpty(), qPrintable(run.err));
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"

// Sheets for a whole class, as a teacher prints them on Monday: one per
// pupil with the name on it, a code that makes the sheet again, the answers
// apart, and "Stampa" giving the pages of the saved file.

#include "sheetdialog/SheetDialog.h"
#include "sheetdialog/SheetPrinting.h"
#include "support/SheetReading.h"
#include "worksheet/Worksheet.h"

#include "model/Catalogue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

SheetRun mercanzola(const QStringList& arguments) {
    return runSheetProgram(QStringLiteral(MERCANZOLA_PROGRAM_FOLDER "/mercanzola"), arguments);
}

const QByteArray Catalogue30 = [] {
    QByteArray list;
    for (int n = 1; n <= 30; ++n)
        list += QByteArrayLiteral("\"articolo ") + QByteArray::number(n) + "\", " +
                QByteArray::number(n * 100) + ", " + QByteArray::number(n * 130) + "\n";
    return list;
}();

// A class of five as Italian schools have them; one name longer than the 60
// characters a class list keeps of it.
const QStringList Pupils = {
    QStringLiteral("Anna Rossi"), QStringLiteral("李小明"), QStringLiteral("محمد علي"),
    QStringLiteral("Giovanni Bianchi"),
    QStringLiteral("Maria-Antonietta-Guglielmina-Ferdinanda-Carlotta-Benedetta-Scolastica-"
                   "Filomena-Costanza-Annunziata-Serafina")};

QString kept(const QString& name) {
    return name.left(60);
}

const QRegularExpression
    CodePattern(QStringLiteral("codice ([0-9A-Z]{5}-[0-9A-Z]{3,5}(?:-[0-9A-Z]+)*)"));

} // namespace

class TestClassSheets : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // The dialog's kept choices go to this run's folder.
        qputenv("XDG_CONFIG_HOME", folder.filePath(QStringLiteral("config")).toUtf8());
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is missing: scripts/setup.sh installs poppler-utils");
        QVERIFY(folder.isValid());
        list = write(QStringLiteral("lista.txt"), Catalogue30);
        QByteArray names;
        for (const QString& name : Pupils)
            names += name.toUtf8() + '\n';
        classList = write(QStringLiteral("classe.txt"), names);
        pdf = folder.filePath(QStringLiteral("classe.pdf"));
        answers = folder.filePath(QStringLiteral("soluzioni.pdf"));
        const SheetRun run =
            mercanzola({"--scheda", pdf, "--lista", list, "--classe", classList, "--esercizi",
                        "1,5,9,13", "--problemi", "3", "--seme", "77", "--soluzioni-in", answers});
        QCOMPARE(run.errors, QString());
        QCOMPARE(run.status, 0);
        // Each pupil's sheet from the page that names the pupil.
        for (int page = 1; page <= pagesOf(pdf); ++page) {
            const QString text = textOf(pdf, page, page);
            if (text.startsWith(QStringLiteral("Nome:")))
                firstPages << page;
        }
    }

    // Five sheets, each from a new page, each with its pupil's name as text
    // (whatever the script) and a version of its own.
    void onePerPupil() {
        QCOMPARE(firstPages.size(), Pupils.size());
        QSet<QString> versions;
        for (int i = 0; i < Pupils.size(); ++i) {
            const int last = i + 1 < firstPages.size() ? firstPages[i + 1] - 1 : pagesOf(pdf);
            const QString sheet = textOf(pdf, firstPages[i], last);
            // The name as the class list keeps it, broken at the line's end if need be.
            QVERIFY2(comparable(sheet).contains(comparable(kept(Pupils[i]))),
                     qPrintable(sheet.left(300)));
            versions.insert(sheet.section(QStringLiteral("Esercizio 1"), 1).section(u'_', 0, 0));
            // Nothing runs off the page's right edge (A4: 595 points).
            for (int page = firstPages[i]; page <= last; ++page)
                for (const Word& word : wordsOf(pdf, page))
                    QVERIFY2(word.box.right() < 595 - 10 * PointsPerMm, qPrintable(word.text));
        }
        QCOMPARE(versions.size(), Pupils.size());
        // The pupils' file holds no answers: it is printed whole.
        QVERIFY(!textOf(pdf).contains(QStringLiteral("Soluzioni")));
        // The names in other scripts are drawn in a face that has them.
        const QString fonts = fontsOf(pdf);
        QVERIFY2(fonts.contains(QStringLiteral("CJK")) || fonts.contains(QStringLiteral("Han")),
                 qPrintable(fonts));
        QVERIFY2(fonts.contains(QStringLiteral("DejaVu")) ||
                     fonts.contains(QStringLiteral("Arabic")),
                 qPrintable(fonts));
    }

    // The answers, in their own file, one sheet per pupil titled with the
    // pupil's name and code.
    void answersApart() {
        const QString text = textOf(answers);
        for (const QString& pupil : Pupils)
            QVERIFY2(
                comparable(text).contains(comparable(QStringLiteral("Soluzioni: ") + kept(pupil))),
                qPrintable(pupil));
        QCOMPARE(text.count(QStringLiteral("Soluzioni: ")), Pupils.size());
    }

    // The code printed on a pupil's sheet makes the same pages again; a
    // catalogue changed since is named, and no sheet is made.
    void theCodeMakesTheSheetAgain() {
        QCOMPARE(firstPages.size(), Pupils.size());
        const int first = firstPages[2];
        const int last = firstPages[3] - 1;
        const QString sheet = textOf(pdf, first, last);
        const QString code = CodePattern.match(sheet).captured(1);
        QVERIFY2(!code.isEmpty(), qPrintable(sheet));
        const QString again = folder.filePath(QStringLiteral("ancora.pdf"));
        SheetRun run = mercanzola({"--scheda", again, "--lista", list, "--codice", code.toLower()});
        QCOMPARE(run.errors, QString());
        QCOMPARE(run.status, 0);
        QCOMPARE(pagesOf(again), last - first + 1);
        // The same problems, word for word and place for place; only the name is not in the code.
        for (int page = 0; page <= last - first; ++page) {
            const std::vector<Word> before = wordsOf(pdf, first + page);
            const std::vector<Word> after = wordsOf(again, 1 + page);
            auto problems = [](const std::vector<Word>& words) {
                QStringList kept;
                for (const Word& word : words)
                    if (word.box.top() > 40 * PointsPerMm)
                        kept << word.text + u'@' + QString::number(word.box.left(), 'f', 1);
                return kept;
            };
            QCOMPARE(problems(after), problems(before));
        }
        const QString changed =
            write(QStringLiteral("cambiata.txt"), Catalogue30 + "\"articolo nuovo\", 100, 200\n");
        run = mercanzola({"--scheda", again, "--lista", changed, "--codice", code});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.errors.contains(changed) && run.errors.contains(QStringLiteral("è cambiato")),
                 qPrintable(run.errors));
    }

    // "Stampa" through a PDF printer: the pages asked for, with the saved
    // file's page boxes, and every word where the saved file has it.
    void printedAsSaved() {
        const Catalogue catalogue = readCatalogue(Catalogue30, list);
        WorksheetOptions options = WorksheetOptions::everyExercise();
        options.seed = 5;
        options.solutions = true;
        const QString saved = folder.filePath(QStringLiteral("salvata.pdf"));
        QVERIFY(writeWorksheetPdf(saved, catalogue, options).error.isEmpty());
        const QString printed = folder.filePath(QStringLiteral("stampata.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 3);
        const int pages = printSheets(printer, catalogue, options, SheetPart::Questions);
        QVERIFY(pages >= 3);
        QCOMPARE(pagesOf(printed), 2);
        QCOMPARE(pageSizesOf(printed), pageSizesOf(saved).mid(1, 2));
        for (int page = 0; page < 2; ++page) {
            const std::vector<Word> want = wordsOf(saved, 2 + page);
            const std::vector<Word> got = wordsOf(printed, 1 + page);
            QCOMPARE(got.size(), want.size());
            for (std::size_t w = 0; w < got.size(); ++w) {
                QCOMPARE(got[w].text, want[w].text);
                QVERIFY2(std::abs(got[w].box.left() - want[w].box.left()) < 0.5 &&
                             std::abs(got[w].box.top() - want[w].box.top()) < 0.5,
                         qPrintable(got[w].text));
            }
        }
        // The answers are a job of their own.
        const QString key = folder.filePath(QStringLiteral("chiave.pdf"));
        printer.setOutputFileName(key);
        printer.setPrintRange(QPrinter::AllPages);
        printSheets(printer, catalogue, options, SheetPart::Answers);
        QVERIFY(textOf(key, 1, 1).startsWith(QStringLiteral("Soluzioni: codice")));
    }

    // The dialog as a teacher meets it: a broken catalogue is told in it and
    // nothing is made from it; a class ticked gives one sheet each; closed,
    // it keeps the choices, and the next time the command line's win.
    void theDialogTellsAndKeeps() {
        SheetDialogStart start;
        start.catalogues = {{list, readCatalogue(Catalogue30, list), {}},
                            {QStringLiteral("/scuola/lista-euro.txt"), std::nullopt,
                             QStringLiteral("Riga 3: manca il prezzo di vendita.")}};
        start.options = WorksheetOptions::everyExercise();
        start.pupils = Pupils;
        {
            SheetDialog dialog(start);
            auto* currency = field<QComboBox>(dialog, "Valuta e catalogo:");
            QCOMPARE(currency->itemText(0), QStringLiteral("in lire - lista.txt"));
            currency->setCurrentIndex(1);
            QVERIFY(shown(dialog, QStringLiteral("Riga 3: manca il prezzo di vendita.")));
            QVERIFY(!button(dialog, "Salva PDF")->isEnabled());
            QVERIFY(!button(dialog, "Stampa")->isEnabled());
            currency->setCurrentIndex(0);
            QVERIFY(shown(dialog, list + QStringLiteral(": 30 articoli")));
            QVERIFY(button(dialog, "Salva PDF")->isEnabled());
            field<QSpinBox>(dialog, "Problemi per esercizio:")->setValue(7);
            field<QComboBox>(dialog, "Livello:")->setCurrentIndex(2);
            checkBox(dialog, "Una scheda diversa per ogni alunno")->setChecked(true);
            QCOMPARE(dialog.options().pupils, Pupils);
            QCOMPARE(dialog.options().level, 2);
            dialog.reject();
        }
        start.options.problemsEach = 3;
        start.given.problems = true;
        SheetDialog again(start);
        QCOMPARE(again.options().problemsEach, 3);
        QCOMPARE(again.options().level, 2);
        QCOMPARE(again.options().pupils, Pupils);
    }

private:
    template <typename Widget> static Widget* field(QWidget& dialog, const char* label) {
        for (QLabel* found : dialog.findChildren<QLabel*>())
            if (found->text() == QLatin1String(label))
                return qobject_cast<Widget*>(found->buddy());
        return nullptr;
    }
    static QPushButton* button(QWidget& dialog, const char* text) {
        for (QPushButton* found : dialog.findChildren<QPushButton*>())
            if (found->text() == QLatin1String(text))
                return found;
        return nullptr;
    }
    static QCheckBox* checkBox(QWidget& dialog, const char* text) {
        for (QCheckBox* found : dialog.findChildren<QCheckBox*>())
            if (found->text() == QLatin1String(text))
                return found;
        return nullptr;
    }
    static bool shown(QWidget& dialog, const QString& line) {
        for (QLabel* found : dialog.findChildren<QLabel*>())
            if (found->text().split(u'\n').contains(line))
                return true;
        return false;
    }

    QString write(const QString& name, const QByteArray& bytes) {
        return writeFile(folder.filePath(name), bytes);
    }

    QTemporaryDir folder;
    QString list, classList, pdf, answers;
    QList<int> firstPages;
};

QTEST_MAIN(TestClassSheets)
#include "test_class_sheets.moc"

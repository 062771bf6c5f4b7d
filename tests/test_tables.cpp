// The three table screens: expense, revenue and gain of one item and of a
// drawn quantity, some cells given and the others answered box after box.

#include "app/AllScreens.h"
#include "exercises/TableScreen.h"
#include "model/Catalogue.h"
#include "model/ProgramError.h"
#include "shell/Lesson.h"
#include "shell/Modulo1.h"
#include "shell/ScreenChain.h"
#include "support/TestServices.h"

#include <QApplication>
#include <QTest>

using namespace Modulo1;

namespace {

const QList<std::tuple<QString, int, int>> Shop = {
    {"quaderno", 1000, 1500}, {"matita", 200, 300}, {"colla", 500, 300}}; // colla sells at a loss

const QColor Red(255, 0, 0);
const QColor White(255, 255, 255);

// Scripts the draws of one table: colour, article, quantity from 0 to 10.
void pose(TestServices& s, int colour, int article, int quantity) {
    s.random.values << TestServices::drawing(colour, 18)
                    << TestServices::drawing(article, int(testLesson().NumeroArticoli().value()))
                    << (quantity + 0.5) / 11;
}

QList<ui::AnswerBox*> boxesOf(const TableScreen* screen) {
    QList<ui::AnswerBox*> boxes;
    for (ui::AnswerBox* box : {screen->Text1, screen->Text2, screen->Text3, screen->Text4})
        if (box)
            boxes << box;
    return boxes;
}

// The step the pupil is at: the one enabled box, red and focused; every other
// box white and disabled.
void checkStep(const TableScreen* screen, int step) {
    const QList<ui::AnswerBox*> boxes = boxesOf(screen);
    for (int i = 0; i < boxes.size(); ++i) {
        QCOMPARE(boxes[i]->isEnabled(), i == step);
        QCOMPARE(boxes[i]->palette().color(QPalette::Base), i == step ? Red : White);
    }
    QCOMPARE(screen->focusWidget(), boxes[step]);
}

QString counts() {
    return QStringLiteral("%1/%2")
        .arg(testLesson().NumeroEsatti.value())
        .arg(testLesson().NumeroErrati.value());
}

} // namespace

Q_DECLARE_METATYPE(ScreenId)

class TestTables : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpItalianProgram(); }
    void cleanup() { closeAllWindows(); }

    // Each screen's cells answered in order until a new table is drawn: "+"
    // right, "-" wrong, "R" the reset of the counts. A wrong answer keeps the
    // step and what was typed, dots and all (only Form9's Text1 turns a dot into
    // a space); the boxes done keep their answers; a reset keeps the table.
    void answersCellByCell_data() {
        QTest::addColumn<ScreenId>("form");
        QTest::addColumn<int>("article");
        QTest::addColumn<int>("quantity");
        QTest::addColumn<QString>("given"); // Label4|Label5
        QTest::addColumn<QString>("text4Name");
        QTest::addColumn<QString>("answers");
        using F = ScreenId;
        const std::tuple<const char*, F, int, int, const char*, const char*, const char*> rows[] = {
            {"Form9 quantity 7", F(Exercise::FourCellTable), 1, 7, "1.000|1.500", "guadagno di 7",
             "-5.000|+5.00|+7.000|-1.500|R|+10.500|+3.500"},
            {"Form9 quantity 0", F(Exercise::FourCellTable), 1, 0, "1.000|1.500", "guadagno di 0",
             "+500|+|+0|+ "},
            {"Form9 quantity 1", F(Exercise::FourCellTable), 1, 1, "1.000|1.500", "guadagno di 1",
             "-1000|+500|+1.000|+1.500|+500"},
            {"Form9 quantity 10", F(Exercise::FourCellTable), 1, 10, "1.000|1.500",
             "guadagno di 10", "+500|+10.000|+15.000|-500|+5.000"},
            {"Form9 loss", F(Exercise::FourCellTable), 3, 3, "500|300", "guadagno di 3",
             "-200|+-200|+1.500|+900|-600|-600-|+- 600"},
            {"Form10 quantity 7", F(Exercise::GainOfSeveral), 1, 7, "1.000|1.500", "guadagno di 7",
             "-1.500|+3.500"},
            {"Form10 quantity 0", F(Exercise::GainOfSeveral), 2, 0, "200|300", "guadagno di 0",
             "-100|R|+"},
            {"Form10 loss", F(Exercise::GainOfSeveral), 3, 2, "500|300", "guadagno di 2",
             "-400|+-400"},
            {"Form11 quantity 7", F(Exercise::GainOfOne), 1, 7, "7.000|10.500", "guadagno di 1",
             "-3.500|+500"},
            {"Form11 quantity 1", F(Exercise::GainOfOne), 2, 1, "200|300", "guadagno di 1", "+100"},
            {"Form11 loss", F(Exercise::GainOfOne), 3, 3, "1.500|900", "guadagno di 1",
             "-600|-200|+-200"}};
        for (const auto& [name, form, article, quantity, given, text4Name, answers] : rows)
            QTest::newRow(name) << form << article << quantity << given << text4Name << answers;
    }
    void answersCellByCell() {
        QFETCH(ScreenId, form);
        QFETCH(int, article);
        QFETCH(int, quantity);
        QFETCH(QString, answers);
        TestServices s;
        s.setCatalogue(Shop);
        pose(s, 4, article, quantity);
        auto* screen = qobject_cast<TableScreen*>(openScreen(form));
        const QString name = screen->Label3->text();
        const quint32 colour = screen->background();
        QTEST(screen->Label4->text() + "|" + screen->Label5->text(), "given");
        QCOMPARE(screen->Label8->text(), QStringLiteral(" %1").arg(quantity));
        QCOMPARE(screen->Label8->accessibleName(), QStringLiteral("quantità: %1").arg(quantity));
        QTEST(screen->Text4->accessibleName(), "text4Name");
        if (screen->Text2)
            QCOMPARE(screen->Text2->accessibleName(), QStringLiteral("spesa di %1").arg(quantity));

        const QList<ui::AnswerBox*> boxes = boxesOf(screen);
        QStringList done;
        int right = 0;
        int wrong = 0;
        for (const QString& answer : answers.split(u'|')) {
            const int step = int(done.size());
            checkStep(screen, step);
            QCOMPARE(screen->Label3->text(), name);
            QCOMPARE(screen->background(), colour);
            for (int i = 0; i < step; ++i)
                QCOMPARE(boxes[i]->text(), done[i]);
            ui::AnswerBox* box = boxes[step];
            if (answer == u"R") {
                pupil::choose(screen->MenuAzzera);
                right = wrong = 0;
            } else {
                QString typed = answer.mid(1);
                pupil::answer(box, typed);
                if (box == screen->Text1)
                    typed.replace(u'.', u' ');
                if (answer.startsWith(u'+')) {
                    ++right;
                    done << typed;
                } else {
                    ++wrong;
                    QCOMPARE(box->text(), typed);
                }
            }
            QCOMPARE(counts(), QStringLiteral("%1/%2").arg(right).arg(wrong));
            if (done.size() == boxes.size())
                break;
        }
        // The last right answer drew a new table.
        QVERIFY(screen->background() != colour);
        for (ui::AnswerBox* box : boxes)
            QCOMPARE(box->text(), "");
        checkStep(screen, 0);
        QVERIFY(s.messages.errors.isEmpty());
    }

    // A quantity of 0 is drawn again where the gain of one item could only be
    // had by dividing by it; elsewhere 0 is a problem like any other.
    void quantityOfZero_data() {
        QTest::addColumn<ScreenId>("form");
        QTest::addColumn<int>("redrawn");   // the second draw, from 1 to 10; 0 for none
        QTest::addColumn<QString>("shown"); // quantity|Label4|Label5
        QTest::addColumn<QString>("gain");
        QTest::newRow("Form10 keeps 0")
            << ScreenId(Exercise::GainOfSeveral) << 0 << " 0|1.000|1.500"
            << "0";
        QTest::newRow("Form11 draws again")
            << ScreenId(Exercise::GainOfOne) << 4 << " 4|4.000|6.000"
            << "500";
    }
    void quantityOfZero() {
        QFETCH(ScreenId, form);
        QFETCH(int, redrawn);
        QFETCH(QString, gain);
        TestServices s;
        s.setCatalogue(Shop);
        pose(s, 4, 1, 0);
        if (redrawn)
            s.random.values << TestServices::drawing(redrawn, 10);
        auto* screen = qobject_cast<TableScreen*>(openScreen(form));
        QTEST(screen->Label8->text() + "|" + screen->Label4->text() + "|" + screen->Label5->text(),
              "shown");
        pupil::answer(screen->Text4, gain);
        QCOMPARE(counts(), "1/0");
    }

    // The largest prices the catalogue accepts, at the largest quantity, and
    // with the gain at its most negative, stay inside the range of an amount.
    void largestPricesDoNotOverflow() {
        const QString largest = QStringLiteral("100000000000");
        const auto records =
            parseCatalogue("\"oro\"," + largest + ",-" + largest + "\n", "lista").records;
        for (const QString& over : {largest + ".0001", "-" + largest + "1"}) {
            try {
                parseCatalogue("oro," + over + ",1\n", "lista");
                QFAIL(qPrintable(over));
            } catch (const ProgramError& error) {
                QVERIFY2(error.text().contains(over + " è troppo grande"),
                         qPrintable(error.text()));
            }
        }
        TestServices s;
        s.setCatalogue({{"", 0, 0}});
        testLesson().load(
            {&Currency::lire(), {{"", records[0].buyingPrice, records[0].sellingPrice}}, {}});
        pose(s, 1, 1, 10);
        auto* screen = qobject_cast<TableScreen*>(openScreen(ScreenId(Exercise::FourCellTable)));
        QCOMPARE(screen->Label5->text(), "-100.000.000.000");
        for (const char* answer :
             {"-200000000000", "1000000000000", "-1000000000000", "-2000000000000"})
            pupil::answer(boxesOf(screen)[testLesson().NumeroEsatti.value()], answer);
        QCOMPARE(counts(), "4/0");
        QVERIFY(s.messages.errors.isEmpty());
    }
};

QTEST_MAIN(TestTables)
#include "test_tables.moc"

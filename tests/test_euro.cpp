// Euro with cents: amounts written and read, answers on the screens. The
// catalogue's euro prices are checked end to end, through --controlla.

#include "exercises/PurchaseScreen.h"
#include "model/AnswerReading.h"
#include "shell/Modulo1.h"
#include "support/TestServices.h"

#include <QTest>
#include <memory>

using namespace Modulo1;

class TestEuro : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpItalianProgram(); }

    // Amounts as the pupil sees them written, and as the pupil may type them.
    void amounts_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("cents");
        QTest::addColumn<bool>("right");
        QTest::newRow("written: cents only") << "0,40" << 40 << true;
        QTest::newRow("written: whole euros") << "12,00" << 1200 << true;
        QTest::newRow("written: thousands") << "1.250,50" << 125050 << true;
        QTest::newRow("written: a loss") << "-3,20" << -320 << true;
        QTest::newRow("a point") << "4.40" << 440 << true;
        QTest::newRow("one decimal") << "4,4" << 440 << true;
        QTest::newRow("whole euros") << "4" << 400 << true;
        QTest::newRow("a grouping point") << "1.250" << 125000 << true;
        QTest::newRow("three decimals, the last a zero") << "4,400" << 440 << true;
        QTest::newRow("three decimals are never thousands") << "4,400" << 440000 << false;
        QTest::newRow("half a euro with three decimals") << "0,500" << 50 << true;
        QTest::newRow("a fraction of a cent") << "4,405" << 440 << false;
        QTest::newRow("a fraction of a cent is no thousands") << "4,405" << 440500 << false;
        QTest::newRow("a space after the comma") << "4, 40" << 440 << true;
        QTest::newRow("spaces around the comma") << " 4 , 40" << 440 << true;
        QTest::newRow("pasted with the symbol") << "4,40 €" << 440 << true;
        QTest::newRow("pasted with the word") << "4,40 euro" << 440 << true;
        QTest::newRow("spaces join digits") << "4 40" << 44000 << true;
        QTest::newRow("a point before three digits groups") << "4.405" << 440500 << true;
        QTest::newRow("grouped, with cents") << "1.250.000,5" << 125000050 << true;
        QTest::newRow("two commas") << "1,250,50" << 125050 << false;
    }
    void amounts() {
        QFETCH(QString, typed);
        QFETCH(int, cents);
        QFETCH(bool, right);
        if (QByteArray(QTest::currentDataTag()).startsWith("written"))
            QCOMPARE(Currency::euro().amountText(Money::fromWhole(cents)), typed);
        const bool read = answerMatches(typed, Money::fromWhole(cents), Currency::euro());
        QCOMPARE(read, right);
    }

    // Form1 asks the total of 4 pencils at 0,50; Form4 how many were bought.
    void answersOnTheScreens_data() {
        QTest::addColumn<int>("form");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("right");
        QTest::newRow("Form1, a comma") << 1 << "2,00" << true;
        QTest::newRow("Form4, a quantity") << 4 << "4" << true;
        QTest::newRow("Form4, not an amount") << 4 << "4,00" << false;
        QTest::newRow("Form4, a comma in a count") << 4 << "0,04" << false;
    }
    void answersOnTheScreens() {
        QFETCH(int, form);
        QFETCH(QString, typed);
        QFETCH(bool, right);
        TestServices t;
        t.writeFile("lista.txt", "Valuta : EURO\r\nmatita,0.3,\"0,5\"\r\n");
        CaricaLista(testLesson());
        t.random.values << TestServices::drawing(4, 18) << 0.0 << TestServices::drawing(4, 11);
        std::unique_ptr<PurchaseScreen> screen(static_cast<PurchaseScreen*>(
            form == 1 ? newForm1(testLesson()) : newForm4(testLesson())));
        screen->Form_Load();
        screen->show();
        QCOMPARE(screen->Label4->text(), form == 1 ? "0,50" : "2,00");
        pupil::answer(screen->Text1, typed);
        QCOMPARE(screen->EtichettaEsatti->text(), right ? " 1" : "0");
    }
};

QTEST_MAIN(TestEuro)
#include "test_euro.moc"

// The four purchase screens: two of unit cost, quantity and total cost are
// shown, the third is asked.

#include "app/AllScreens.h"
#include "exercises/PurchaseScreen.h"
#include "shell/Lesson.h"
#include "shell/Modulo1.h"
#include "support/TestServices.h"
#include "ui/Twips.h"

#include <QTest>
#include <cmath>
#include <memory>

Q_DECLARE_METATYPE(PurchaseScreen::Rect)

namespace {

using Factory = ui::Screen* (*)(Lesson&);
const Factory Forms[] = {nullptr, newForm1, newForm2, newForm3, newForm4};

// Scripts the draws of one problem: colour, article, quantity, and on Form3
// the kind of question (1 total, 2 unit cost).
void pose(TestServices& s, int article, int quantity, int tipo = 0) {
    const int articles = qMax(1, int(testLesson().NumeroArticoli().value()));
    s.random.values << TestServices::drawing(4, 18) << TestServices::drawing(article, articles)
                    << TestServices::drawing(quantity, 11);
    if (tipo)
        s.random.values << TestServices::drawing(tipo, 2);
}

// A right answer draws a sound before the next problem.
void poseAfterRight(TestServices& s, int article, int quantity, int tipo = 0) {
    s.random.values << TestServices::drawing(1, 4);
    pose(s, article, quantity, tipo);
}

std::unique_ptr<PurchaseScreen> open(int form) {
    std::unique_ptr<PurchaseScreen> screen(static_cast<PurchaseScreen*>(Forms[form](testLesson())));
    screen->Form_Load();
    screen->show();
    return screen;
}

QRect rectOf(const PurchaseScreen::Rect& r) {
    return ui::twipsRect(r.left, r.top, r.width, r.height);
}

const QList<std::tuple<QString, int, int>> Shop = {
    {"matita", 200, 300}, {"quaderno", 1000, 1500}, {"gomma", 100, 250}};

} // namespace

class TestPurchase : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpItalianProgram(); }

    void showsTwoAndAsksTheThird_data() {
        QTest::addColumn<int>("form");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("label4");
        QTest::addColumn<QString>("label5");
        QTest::addColumn<QString>("right");
        QTest::addColumn<QStringList>("wrong");
        // "quaderno" at 1,500 lire, 11 of them: 16,500.
        QTest::newRow("Form1 asks the total") << 1 << 0 << "1.500"
                                              << " 11"
                                              << "16.500" << QStringList{"1.500", "11", "16.501"};
        QTest::newRow("Form2 asks the unit cost") << 2 << 0 << "16.500"
                                                  << " 11"
                                                  << "1500" << QStringList{"16.500", "11", "1.501"};
        QTest::newRow("Form3 asks the total") << 3 << 1 << "1.500"
                                              << " 11"
                                              << "16500" << QStringList{"1.500", "11"};
        QTest::newRow("Form3 asks the unit cost") << 3 << 2 << "16.500"
                                                  << " 11"
                                                  << "1.500" << QStringList{"16.500", "11"};
        QTest::newRow("Form4 asks the quantity")
            << 4 << 0 << "16.500"
            << "1.500"
            << "11" << QStringList{"16.500", "1.500", "10", "12"};
    }
    void showsTwoAndAsksTheThird() {
        QFETCH(int, form);
        QFETCH(int, tipo);
        QFETCH(QString, label4);
        QFETCH(QString, label5);
        QFETCH(QString, right);
        QFETCH(QStringList, wrong);
        TestServices s;
        s.setCatalogue(Shop);
        pose(s, 2, 11, tipo);
        auto screen = open(form);

        QCOMPARE(screen->Label3->text(), "quaderno");
        QCOMPARE(screen->Label4->text(), label4);
        QCOMPARE(screen->Label5->text(), label5);
        QCOMPARE(screen->Text1->text(), "");
        for (const QString& answer : wrong) {
            pupil::answer(screen->Text1, answer);
            QCOMPARE(screen->Label4->text(), label4);
        }
        QCOMPARE(int(testLesson().NumeroErrati.value()), int(wrong.size()));
        QCOMPARE(testLesson().NumeroEsatti.value(), 0);

        poseAfterRight(s, 1, 3, tipo);
        pupil::answer(screen->Text1, right);
        QCOMPARE(testLesson().NumeroEsatti.value(), 1);
        QCOMPARE(screen->EtichettaEsatti->text(), " 1");
        QCOMPARE(screen->Label3->text(), "matita");
        QCOMPARE(screen->Label5->text(), form == 4 ? "300" : " 3");
        QCOMPARE(screen->Text1->text(), "");
        QVERIFY(s.random.values.isEmpty());
    }

    void eitherQuestionMovesTheAnswerBox() {
        TestServices s;
        s.setCatalogue(Shop);
        pose(s, 1, 4, 1);
        auto screen = open(3);
        const QRect unitRow = ui::twipsRect(2880, 1920, 4575, 615);
        const QRect totalRow = ui::twipsRect(2880, 3600, 4575, 615);

        // 1 after the stored layout of 2, then each kind after itself and after the other.
        const int tipi[] = {1, 1, 2, 2, 1};
        for (int i = 0; i < 5; ++i) {
            const int tipo = tipi[i];
            const QString unitCost = i % 2 ? "1.500" : "300";
            const QString totalCost = i % 2 ? "6.000" : "1.200";
            QCOMPARE(screen->Label5->text(), " 4");
            if (tipo == 1) {
                QCOMPARE(screen->Text1->geometry(), totalRow);
                QCOMPARE(screen->Label4->geometry(), unitRow);
                QCOMPARE(screen->Label4->text(), unitCost);
                QCOMPARE(screen->Text1->accessibleName(), "costo totale");
            } else {
                QCOMPARE(screen->Text1->geometry(), unitRow);
                QCOMPARE(screen->Label4->geometry(), totalRow);
                QCOMPARE(screen->Label4->text(), totalCost);
                QCOMPARE(screen->Text1->accessibleName(), "costo unitario");
            }
            // The captions never move.
            QCOMPARE(screen->Label6[1]->geometry(), ui::twipsRect(1320, 2040, 1335, 375));
            QCOMPARE(screen->Label6[3]->geometry(), ui::twipsRect(1560, 3720, 1095, 375));

            // Answering the other amount is wrong and keeps the question.
            pupil::answer(screen->Text1, tipo == 1 ? unitCost : totalCost);
            QCOMPARE(screen->Text1->accessibleName(),
                     tipo == 1 ? "costo totale" : "costo unitario");
            if (i + 1 < 5)
                poseAfterRight(s, i % 2 ? 1 : 2, 4, tipi[i + 1]);
            pupil::answer(screen->Text1, tipo == 1 ? totalCost : unitCost);
            QCOMPARE(testLesson().NumeroEsatti.value(), i + 1);
            QCOMPARE(screen->focusWidget(), screen->Text1);
        }
        QCOMPARE(testLesson().NumeroErrati.value(), 5);
    }

    void drawsReachBothEnds() {
        TestServices s;
        QList<std::tuple<QString, int, int>> full;
        for (int k = 1; k <= 500; ++k)
            full << std::tuple(QStringLiteral("articolo %1").arg(k), k, k * 10);
        s.setCatalogue(full);
        const double justBelowOne = std::nextafter(1.0, 0.0);
        s.random.values << 0.0 << 0.0 << 0.0;
        auto screen = open(1);
        QCOMPARE(screen->Label3->text(), "articolo 1");
        QCOMPARE(screen->Label4->text(), "10");
        QCOMPARE(screen->Label5->text(), " 1");

        s.random.values << 0.0 << justBelowOne << justBelowOne << justBelowOne;
        pupil::answer(screen->Text1, "10");
        QCOMPARE(testLesson().NumeroEsatti.value(), 1);
        QCOMPARE(screen->Label3->text(), "articolo 500");
        QCOMPARE(screen->Label4->text(), "5.000");
        QCOMPARE(screen->Label5->text(), " 11");
        pupil::answer(screen->Text1, "55.000");
        QCOMPARE(testLesson().NumeroEsatti.value(), 2);
        QVERIFY(s.messages.errors.isEmpty());
    }

    void emptyCatalogue_data() {
        QTest::addColumn<int>("form");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<bool>("emptyIsRight");
        QTest::newRow("Form1") << 1 << 0 << true;
        QTest::newRow("Form2") << 2 << 0 << true;
        QTest::newRow("Form3 total") << 3 << 1 << true;
        QTest::newRow("Form3 unit cost") << 3 << 2 << true;
        QTest::newRow("Form4") << 4 << 0 << false;
    }
    void emptyCatalogue() {
        QFETCH(int, form);
        QFETCH(int, tipo);
        QFETCH(bool, emptyIsRight);
        TestServices s;
        s.setCatalogue({});
        s.random.values << 0.3 << 0.99 << TestServices::drawing(5, 11);
        if (tipo)
            s.random.values << TestServices::drawing(tipo, 2);
        auto screen = open(form);

        QCOMPARE(screen->Label3->text(), "");
        QCOMPARE(screen->Label4->text(), "0");
        QCOMPARE(screen->Label5->text(), form == 4 ? "0" : " 5");
        pupil::enter(screen->Text1);
        QCOMPARE(screen->EtichettaEsatti->text(), emptyIsRight ? " 1" : "0");
        QCOMPARE(screen->EtichettaErrati->text(), emptyIsRight ? "0" : " 1");
        QVERIFY(s.messages.errors.isEmpty());
    }

    void fractionalPriceCannotBeMatched_data() {
        QTest::addColumn<int>("form");
        QTest::newRow("Form1") << 1;
        QTest::newRow("Form2") << 2;
    }
    void fractionalPriceCannotBeMatched() {
        QFETCH(int, form);
        TestServices s;
        s.setCatalogue({{"spago", 1, 2}});
        testLesson().load(
            {&Currency::lire(), {{"spago", lire(1), Money::fromRaw(15005)}}, {}}); // 1.5005 lire
        pose(s, 1, 2);
        auto screen = open(form);
        QCOMPARE(screen->Label4->text(), form == 1 ? "2" : "3");

        const QStringList answers = {"", "1", "2", "3", "15005", "30010", "1,5005", "3.001"};
        for (const QString& answer : answers)
            pupil::answer(screen->Text1, answer);
        QCOMPARE(int(testLesson().NumeroErrati.value()), int(answers.size()));
        QCOMPARE(testLesson().NumeroEsatti.value(), 0);
    }

    void layoutInTwips_data() {
        using Rect = PurchaseScreen::Rect;
        QTest::addColumn<int>("form");
        QTest::addColumn<Rect>("label3");
        QTest::addColumn<Rect>("label4");
        QTest::addColumn<Rect>("label5");
        QTest::addColumn<Rect>("text1");
        QTest::addColumn<Rect>("heading0");
        QTest::addColumn<Rect>("heading3");
        QTest::addColumn<int>("text1Pixels");
        QTest::newRow("Form1") << 1 << Rect{2880, 1320, 4575, 495} << Rect{2880, 1920, 4575, 495}
                               << Rect{6240, 2520, 1215, 495} << Rect{2880, 3960, 4575, 615}
                               << Rect{840, 1320, 1815, 375} << Rect{1440, 4080, 1095, 375} << 32;
        QTest::newRow("Form2") << 2 << Rect{2880, 1200, 4575, 615} << Rect{2880, 3840, 4575, 615}
                               << Rect{6240, 2640, 1215, 495} << Rect{2880, 1920, 4575, 615}
                               << Rect{480, 1320, 1815, 375} << Rect{1080, 3960, 1095, 375} << 19;
        QTest::newRow("Form3") << 3 << Rect{2880, 1200, 4575, 615} << Rect{2880, 3600, 4575, 615}
                               << Rect{6240, 2640, 1215, 615} << Rect{2880, 1920, 4575, 615}
                               << Rect{840, 1440, 1815, 375} << Rect{1560, 3720, 1095, 375} << 19;
        QTest::newRow("Form4") << 4 << Rect{2760, 1200, 4695, 615} << Rect{2760, 3840, 4695, 615}
                               << Rect{2760, 2040, 4695, 615} << Rect{5520, 2880, 1935, 615}
                               << Rect{720, 1440, 1815, 375} << Rect{1320, 4080, 1095, 375} << 19;
    }
    void layoutInTwips() {
        using Rect = PurchaseScreen::Rect;
        QFETCH(int, form);
        QFETCH(Rect, label3);
        QFETCH(Rect, label4);
        QFETCH(Rect, label5);
        QFETCH(Rect, text1);
        QFETCH(Rect, heading0);
        QFETCH(Rect, heading3);
        QFETCH(int, text1Pixels);
        // As stored, before any problem moves a control.
        std::unique_ptr<PurchaseScreen> screen(
            static_cast<PurchaseScreen*>(Forms[form](testLesson())));

        QCOMPARE(screen->Label3->geometry(), rectOf(label3));
        QCOMPARE(screen->Label4->geometry(), rectOf(label4));
        QCOMPARE(screen->Label5->geometry(), rectOf(label5));
        QCOMPARE(screen->Text1->geometry(), rectOf(text1));
        QCOMPARE(screen->Label6[0]->geometry(), rectOf(heading0));
        QCOMPARE(screen->Label6[3]->geometry(), rectOf(heading3));
        QCOMPARE(screen->Text1->font().pixelSize(), text1Pixels);
        QVERIFY(screen->Text1->font().bold());
        for (ui::Label* value : {screen->Label3, screen->Label4, screen->Label5}) {
            QCOMPARE(value->font().pixelSize(), 19); // 14.25 pt
            QVERIFY(value->alignment() & Qt::AlignRight);
        }
        const QStringList headings = {"articolo acquistato", "costo unitario", "quantità",
                                      "costo totale"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(screen->Label6[i]->text(), headings[i]);
            QCOMPARE(screen->Label6[i]->font().pixelSize(), 13); // 9.75 pt
        }
    }
};

QTEST_MAIN(TestPurchase)
#include "test_purchase.moc"

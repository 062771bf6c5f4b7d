// The profit screens: of spesa, ricavo and guadagno two are shown and the third
// asked; the mixed screen draws which one at every problem.

#include "app/AllScreens.h"
#include "exercises/ProfitScreen.h"
#include "shell/Lesson.h"
#include "shell/Modulo1.h"
#include "support/TestServices.h"

#include <QTest>
#include <memory>

namespace {

// Scripts the draws of one problem: colour, article, and on Form8 the kind.
void pose(TestServices& s, int form, int article, int tipo) {
    const int articles = qMax(1, int(testLesson().NumeroArticoli().value()));
    s.random.values << TestServices::drawing(7, 18) << TestServices::drawing(article, articles);
    if (form == 8)
        s.random.values << TestServices::drawing(tipo, 3);
}

std::unique_ptr<ProfitScreen> open(int form) {
    const std::array forms = {newForm5, newForm6, newForm7, newForm8};
    std::unique_ptr<ProfitScreen> screen(static_cast<ProfitScreen*>(forms[form - 5](testLesson())));
    screen->Form_Load();
    screen->show();
    return screen;
}

// The nearest heading over a box, found by the places alone.
QString headingOver(const ProfitScreen& screen, const QWidget* box) {
    const ui::Label* nearest = nullptr;
    for (const ui::Label* heading : screen.Label6) {
        const QRect r = heading->geometry();
        if (r.bottom() < box->y() && r.center().x() > box->x() &&
            r.center().x() < box->geometry().right() &&
            (!nearest || r.bottom() > nearest->geometry().bottom()))
            nearest = heading;
    }
    return nearest ? nearest->text() : QString();
}

// The captions over Label4, Label5 and Text1, their contents, and Text1's name.
QStringList seen(const ProfitScreen& screen) {
    return {headingOver(screen, screen.Label4),
            headingOver(screen, screen.Label5),
            headingOver(screen, screen.Text1),
            screen.Label3->text(),
            screen.Label4->text(),
            screen.Label5->text(),
            screen.Text1->accessibleName()};
}

const QStringList Kinds[] = {{"Spesa", "Guadagno", "Ricavo"},
                             {"Spesa", "Ricavo", "Guadagno"},
                             {"Ricavo", "Guadagno", "Spesa"}};

} // namespace

class TestProfit : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpItalianProgram(); }

    void showsTwoAndAsksTheThird_data() {
        QTest::addColumn<int>("form");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QStringList>("shown"); // captions left to right, article, amounts
        QTest::addColumn<QStringList>("right");
        QTest::addColumn<QStringList>("wrong");
        const auto row = [](const char* name, int form, int tipo, QStringList captions,
                            QStringList shown, QStringList right, QStringList wrong) {
            QTest::newRow(name) << form << tipo << captions + shown << right << wrong;
        };
        // "quaderno": spesa 1,000, ricavo 2,500, guadagno 1,500; "zaino": a loss of 2,500.
        const QString q = "quaderno", z = "zaino";
        row("Form5", 5, 2, {"spesa", "ricavo", "guadagno"}, {q, "1.000", "2.500"},
            {"1500", "1.500"}, {"1.000", "2.500", "1.501"});
        row("Form5, a loss", 5, 2, {"spesa", "ricavo", "guadagno"}, {z, "12.000", "9.500"},
            {"-2500", "- 2.500"}, {"2.500", "2-500"});
        row("Form6", 6, 1, {"spesa", "guadagno", "ricavo"}, {q, "1.000", "1.500"},
            {"2500", "2.500"}, {"1.000", "1.500", "2.501"});
        row("Form6, a loss", 6, 1, {"spesa", "guadagno", "ricavo"}, {z, "12.000", "-2.500"},
            {"9.500"}, {"-2.500", "12.000"});
        row("Form7", 7, 3, {"ricavo", "guadagno", "spesa"}, {q, "2.500", "1.500"},
            {"1000", "1.000"}, {"2.500", "1.500", "4.000"});
        row("Form8, kind 1", 8, 1, Kinds[0], {q, "1.000", "1.500"}, {"2500", "2.500"},
            {"1.000", "1.500"});
        row("Form8, kind 2", 8, 2, Kinds[1], {q, "1.000", "2.500"}, {"1500", "1.500"},
            {"1.000", "2.500"});
        row("Form8, kind 2, a loss", 8, 2, Kinds[1], {z, "12.000", "9.500"}, {"-2.500"},
            {"2.500", "12.000"});
        row("Form8, kind 3", 8, 3, Kinds[2], {q, "2.500", "1.500"}, {"1000", "1.000"},
            {"2.500", "1.500"});
        // A minus counts only before a guadagno, which may be a loss.
        row("Form6, a minus", 6, 1, {"spesa", "guadagno", "ricavo"}, {q, "1.000", "1.500"},
            {"-2.500"}, {"-1.500"});
        row("Form7, a minus", 7, 3, {"ricavo", "guadagno", "spesa"}, {q, "2.500", "1.500"},
            {"-1.000"}, {"-1.500"});
        row("Form8, kind 1, a minus", 8, 1, Kinds[0], {q, "1.000", "1.500"}, {"-2.500"},
            {"-1.500"});
        row("Form8, kind 2, a minus", 8, 2, Kinds[1], {q, "1.000", "2.500"}, {"1500"}, {"-1.500"});
        row("Form8, kind 3, a minus", 8, 3, Kinds[2], {q, "2.500", "1.500"}, {"-1.000"},
            {"-2.500"});
    }
    void showsTwoAndAsksTheThird() {
        QFETCH(int, form);
        QFETCH(int, tipo);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, right);
        QFETCH(QStringList, wrong);
        TestServices s;
        s.setCatalogue({{"matita", 200, 300}, {"quaderno", 1000, 2500}, {"zaino", 12000, 9500}});
        const int article = shown[3] == "zaino" ? 3 : 2;
        const QStringList problem = shown + QStringList{shown[2]};
        pose(s, form, article, tipo);
        auto screen = open(form);
        QCOMPARE(seen(*screen), problem);
        QCOMPARE(screen->focusWidget(), screen->Text1);
        QVERIFY(screen->Label3->alignment() & Qt::AlignHCenter);
        QVERIFY(screen->Label5->alignment() & Qt::AlignRight);

        // A wrong answer keeps the problem, the kind and the captions.
        for (const QString& answer : wrong) {
            pupil::answer(screen->Text1, answer);
            QCOMPARE(seen(*screen), problem);
        }
        QCOMPARE(int(testLesson().NumeroErrati.value()), int(wrong.size()));
        QCOMPARE(testLesson().NumeroEsatti.value(), 0);

        // A right answer draws anew: here the same problem until the last.
        const int next = tipo % 3 + 1;
        for (int i = 0; i < right.size(); ++i) {
            const bool last = i + 1 == right.size();
            s.random.values << TestServices::drawing(2, 4);
            pose(s, form, last ? 1 : article, last ? next : tipo);
            pupil::answer(screen->Text1, right[i]);
            QCOMPARE(testLesson().NumeroEsatti.value(), i + 1);
            QCOMPARE(screen->Text1->text(), "");
        }
        QCOMPARE(screen->Label3->text(), "matita");
        QCOMPARE(seen(*screen).mid(0, 3), form == 8 ? Kinds[next - 1] : shown.mid(0, 3));
        QCOMPARE(screen->Text1->accessibleName(), seen(*screen)[2]);
        QVERIFY(s.random.values.isEmpty());
    }

    // Equal prices, or an empty catalogue: Enter on the empty box is right.
    void emptyBoxIsRightForZero_data() {
        QTest::addColumn<int>("form");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<bool>("empty");
        QTest::newRow("Form5, equal prices") << 5 << 2 << false;
        QTest::newRow("Form8 kind 2, equal prices") << 8 << 2 << false;
        for (int form = 5; form <= 7; ++form)
            QTest::addRow("Form%d, no articles", form) << form << 1 << true;
        for (int tipo = 1; tipo <= 3; ++tipo)
            QTest::addRow("Form8 kind %d, no articles", tipo) << 8 << tipo << true;
    }
    void emptyBoxIsRightForZero() {
        QFETCH(int, form);
        QFETCH(int, tipo);
        QFETCH(bool, empty);
        TestServices s;
        s.setCatalogue({{"penna", 500, 500}});
        if (empty)
            s.setCatalogue({});
        pose(s, form, 1, tipo);
        auto screen = open(form);
        QCOMPARE(seen(*screen).mid(3, 3),
                 empty ? QStringList({"", "0", "0"}) : QStringList({"penna", "500", "500"}));
        pupil::enter(screen->Text1);
        QCOMPARE(screen->EtichettaEsatti->text(), " 1");
        QCOMPARE(screen->EtichettaErrati->text(), "0");
    }
};

QTEST_MAIN(TestProfit)
#include "test_profit.moc"

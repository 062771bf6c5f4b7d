// The number pad at the board: taps type into the focused box as keys would,
// "invio" judges once per tap, the pad never takes the focus nor joins Tab.

#include "app/AllScreens.h"
#include "frame/ExerciseScreen.h"
#include "model/Catalogue.h"
#include "shell/Modulo1.h"
#include "shell/ScreenChain.h"
#include "support/TestServices.h"

#include <QPointingDevice>
#include <QTest>

Q_DECLARE_METATYPE(ScreenId)

namespace {

QPointingDevice* finger = nullptr;

// quaderno at 1.500 lire (1,50 euro); colla sells at a loss, 500 for 300. The
// first problem: quaderno, 11 on Form1, 7 on Form9; colla on Form5; on Form13
// a cost of 10.000 and a gain of 1.000.
ExerciseScreen* open(TestServices& s, ScreenId form, bool euro) {
    const int unit = euro ? 1 : 10;
    testLesson().load({euro ? &Currency::euro() : &Currency::lire(),
                       {{"quaderno", Money::fromWhole(100 * unit), Money::fromWhole(150 * unit)},
                        {"colla", Money::fromWhole(50 * unit), Money::fromWhole(30 * unit)}},
                       {}});
    const QMap<ScreenId, QList<double>> draws = {
        {ScreenId(Exercise::TotalCost), {0.2, 0.2, 0.99}},
        {ScreenId(Exercise::Gain), {0.2, 0.9}},
        {ScreenId(Exercise::FourCellTable), {0.2, 0.2, 7.5 / 11}},
        {ScreenId(Exercise::PayingWithMoney), {0.02, 0.2, 0.9, 0.2}}};
    s.random.values = draws.value(form);
    return static_cast<ExerciseScreen*>(openScreen(form, nullptr));
}

// Taps the keys named; "tieni-cancella" holds "cancella" down a while, "Tab"
// is the key, "box" a tap at the left end of the focused box.
void tap(ExerciseScreen* screen, const QString& names) {
    for (const QString& name : names.split(u' ', Qt::SkipEmptyParts)) {
        if (name == u"Tab") {
            QTest::keyClick(screen->focusWidget(), Qt::Key_Tab);
            continue;
        }
        if (name == u"box") {
            QWidget* box = screen->focusWidget();
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(3, box->height() / 2));
            continue;
        }
        const bool held = name == u"tieni-cancella";
        QPushButton* key = screen->numberPad()->key(held ? QStringLiteral("cancella") : name);
        QVERIFY2(key, qPrintable(name));
        const QPoint middle = key->mapTo(key->window(), key->rect().center());
        QTest::touchEvent(key->window(), finger).press(0, middle);
        if (held)
            QTest::qWait(800);
        QTest::touchEvent(key->window(), finger).release(0, middle);
    }
}

// The controls Tab reaches from the focus until it comes back.
QStringList tabWalk(ExerciseScreen* screen) {
    QStringList walk;
    for (QWidget* start = screen->focusWidget(); walk.size() < 40;) {
        QTest::keyClick(screen->focusWidget(), Qt::Key_Tab);
        walk << screen->focusWidget()->accessibleName();
        if (screen->focusWidget() == start)
            break;
    }
    return walk;
}

} // namespace

class TestNumberPad : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        setUpItalianProgram();
        finger = QTest::createTouchDevice(QInputDevice::DeviceType::TouchScreen);
    }
    void cleanup() {
        closeAllWindows();
        ui::NumberPad::choose(ui::NumberPad::Choice::Automatic);
    }

    // Beside digits, "cancella" and "invio": a comma where an amount with
    // cents is asked, a minus only where a gain may be a loss. On a touch screen the
    // pad shows by itself, every key a fingertip wide, beside the screen. F9
    // hides it, the window narrows by its strip, Tab walks the same controls,
    // and the next screen opens without it.
    void keysOfEachScreen_data() {
        QTest::addColumn<ScreenId>("form");
        QTest::addColumn<QString>("lireAndEuro");
        QTest::newRow("Form1 total") << ScreenId(Exercise::TotalCost) << "|virgola ";
        QTest::newRow("Form2 unit cost") << ScreenId(Exercise::UnitCost) << "|virgola ";
        QTest::newRow("Form3 either cost") << ScreenId(Exercise::UnitOrTotalCost) << "|virgola ";
        QTest::newRow("Form4 quantity") << ScreenId(Exercise::NumberOfItems) << "|";
        QTest::newRow("Form5 gain") << ScreenId(Exercise::Gain) << "meno |virgola meno ";
        QTest::newRow("Form6 revenue") << ScreenId(Exercise::Revenue) << "|virgola ";
        QTest::newRow("Form7 expense") << ScreenId(Exercise::Expense) << "|virgola ";
        QTest::newRow("Form8 any of the three")
            << ScreenId(Exercise::MixedProfit) << "meno |virgola meno ";
        QTest::newRow("Form9 table") << ScreenId(Exercise::FourCellTable) << "meno |virgola meno ";
        QTest::newRow("Form10 gain of several")
            << ScreenId(Exercise::GainOfSeveral) << "meno |virgola meno ";
        QTest::newRow("Form11 gain of one")
            << ScreenId(Exercise::GainOfOne) << "meno |virgola meno ";
        QTest::newRow("Form12 gain or loss") << ScreenId(Exercise::GainOrLoss) << "|virgola ";
        QTest::newRow("Form13 money") << ScreenId(Exercise::PayingWithMoney) << "|virgola ";
    }
    void keysOfEachScreen() {
        QFETCH(ScreenId, form);
        QFETCH(QString, lireAndEuro);
        for (bool euro : {false, true}) {
            TestServices s;
            ExerciseScreen* screen = open(s, form, euro);
            const ui::NumberPad* pad = screen->numberPad();
            QVERIFY(pad->isVisible());
            QVERIFY(!pad->geometry().intersects(screen->client()->geometry()));
            for (const QPushButton* key : pad->findChildren<QPushButton*>())
                QVERIFY(key->width() >= 48 && key->height() >= 48);
            QCOMPARE(pad->keyNames().join(' '), QString("1 2 3 4 5 6 7 8 9 0 %1cancella invio")
                                                    .arg(lireAndEuro.section('|', euro, euro)));
            const int width = screen->width();
            const QStringList walk = tabWalk(screen);
            QVERIFY(QTest::qWaitForWindowActive(screen)); // for the window's shortcut
            QTest::keyClick(screen->focusWidget(), Qt::Key_F9);
            QVERIFY(!pad->isVisible());
            QCOMPARE(screen->width(), width - pad->designedSize().width());
            QCOMPARE(tabWalk(screen), walk);
            QVERIFY(!open(s, form, euro)->numberPad()->isVisible());
            ui::NumberPad::choose(ui::NumberPad::Choice::Automatic);
            closeAllWindows();
        }
    }

    // A purchase screen, a table and the money board: the focused box's name
    // and text, and the counts (one judgement per "invio").
    void tapsTypeIntoTheAskedBox_data() {
        QTest::addColumn<ScreenId>("form");
        QTest::addColumn<bool>("euro");
        QTest::addColumn<QString>("taps");
        QTest::addColumn<QString>("seen"); // focused box: text, right/wrong
        const auto F1 = ScreenId(Exercise::TotalCost), F5 = ScreenId(Exercise::Gain),
                   F9 = ScreenId(Exercise::FourCellTable);
        const auto F13 = ScreenId(Exercise::PayingWithMoney);
        QTest::newRow("cancella; right: a new problem")
            << F1 << false << "1 6 5 9 cancella 0 0 invio"
            << "costo totale: 1/0";
        QTest::newRow("euro with virgola") << F1 << true << "1 6 virgola 5 invio"
                                           << "costo totale: 1/0";
        QTest::newRow("euro cents wrong: the text kept") << F1 << true << "1 6 virgola 4 invio"
                                                         << "costo totale: 16,4 0/1";
        QTest::newRow("a loss with meno") << F5 << false << "meno 2 0 0 invio"
                                          << "guadagno: 1/0";
        QTest::newRow("a gain with meno is a loss: wrong") << F9 << false << "meno 5 0 0 invio"
                                                           << "guadagno di 1: -500 0/1";
        QTest::newRow("table: the next cell") << F9 << false << "5 0 0 invio 7 0 0"
                                              << "spesa di 7: 700 1/0";
        QTest::newRow("board: pieces have the focus") << F13 << false << "1 1 0 0 0 invio 5"
                                                      << ": 0/0";
        QTest::newRow("board: a wrong revenue") << F13 << false << "1 1 0 0 invio"
                                                << "ricavo: 1100 0/1";
        // Retrying: a wrong answer is replaced by the next digit, shortened by
        // "cancella", emptied by holding it; "invio" on it unchanged judges nothing.
        QTest::newRow("after a wrong answer a digit starts anew") << F1 << false << "1 2 3 invio 4"
                                                                  << "costo totale: 4 0/1";
        QTest::newRow("cancella after a wrong answer") << F1 << false << "1 2 3 invio cancella"
                                                       << "costo totale: 12 0/1";
        QTest::newRow("invio again on the same wrong answer") << F1 << false << "1 2 3 invio invio"
                                                              << "costo totale: 123 0/1";
        QTest::newRow("invio again once changed") << F1 << false << "1 2 3 invio cancella invio"
                                                  << "costo totale: 12 0/2";
        QTest::newRow("cancella held empties the box") << F1 << false << "1 2 3 tieni-cancella"
                                                       << "costo totale: 0/0";
        QTest::newRow("one comma in an answer") << F1 << true << "1 virgola virgola 5"
                                                << "costo totale: 1,5 0/0";
        QTest::newRow("one minus in an answer") << F9 << false << "meno meno 5"
                                                << "guadagno di 1: -5 0/0";
        QTest::newRow("a tap in the box: digits still at the end") << F1 << false << "1 2 box 3"
                                                                   << "costo totale: 123 0/0";
        QTest::newRow("after Tab to the face the keys type in the box")
            << F1 << false << "invio Tab 5"
            << "costo totale: 5 0/1";
    }
    void tapsTypeIntoTheAskedBox() {
        QFETCH(ScreenId, form);
        QFETCH(bool, euro);
        QFETCH(QString, taps);
        QFETCH(QString, seen);
        TestServices s;
        ExerciseScreen* screen = open(s, form, euro);
        tap(screen, taps);
        const auto* box = qobject_cast<ui::AnswerBox*>(screen->focusWidget());
        QCOMPARE(QStringLiteral("%1: %2 %3/%4")
                     .arg(box ? box->accessibleName() : "", box ? box->text() : "")
                     .arg(testLesson().NumeroEsatti.value())
                     .arg(testLesson().NumeroErrati.value())
                     .simplified(),
                 seen);
    }
};

QTEST_MAIN(TestNumberPad)
#include "test_number_pad.moc"

// The number pad at the interactive board: taps type into the box that has the
// focus as keys would, "invio" judges once per tap, and the pad never takes
// the focus nor joins the Tab order.

#include "app/AllScreens.h"
#include "exercises/MoneyScreen.h"
#include "exercises/TableScreen.h"
#include "frame/ExerciseScreen.h"
#include "model/Catalogue.h"
#include "shell/Lesson.h"
#include "shell/Modulo1.h"
#include "shell/ScreenChain.h"
#include "support/TestServices.h"

#include <QPointingDevice>
#include <QTest>

Q_DECLARE_METATYPE(ScreenId)

namespace {

QPointingDevice* touchScreen = nullptr;

// quaderno 1.500 lire, colla sells at a loss: 500 bought, 300 sold.
void stock(TestServices& s, const Currency& currency) {
    s.setCatalogue({});
    Catalogue catalogue;
    catalogue.currency = &currency;
    const int unit = currency.minorDigits() > 0 ? 1 : 10; // 1,50 euro or 1.500 lire
    catalogue.records = {{"quaderno", Money::fromWhole(100 * unit), Money::fromWhole(150 * unit)},
                         {"colla", Money::fromWhole(50 * unit), Money::fromWhole(30 * unit)}};
    lesson().load(catalogue);
}

// The draws of each screen's first problem: quaderno, 11 of them on Form1, 7
// on Form9; colla on Form5; a cost of 10.000 and a gain of 1.000 on Form13.
void pose(TestServices& s, ScreenId form) {
    auto& draws = s.random.values;
    switch (form) {
    case ScreenId::Form1:
        draws << TestServices::drawing(4, 18) << TestServices::drawing(1, 2)
              << TestServices::drawing(11, 11);
        break;
    case ScreenId::Form5:
        draws << TestServices::drawing(7, 18) << TestServices::drawing(2, 2);
        break;
    case ScreenId::Form9:
        draws << TestServices::drawing(4, 18) << TestServices::drawing(1, 2) << 7.5 / 11;
        break;
    default:
        draws << 0.5 / 20 << 0.5 / 2 << TestServices::drawing(3, 3) << TestServices::drawing(4, 18);
    }
}

ExerciseScreen* open(ScreenId form) {
    auto* screen = static_cast<ExerciseScreen*>(openScreen(form, nullptr));
    if (!QTest::qWaitForWindowExposed(screen))
        qWarning("the screen was not exposed");
    return screen;
}

// A finger on the key's middle, and off again.
void tap(QWidget* key) {
    const QPoint middle = key->mapTo(key->window(), key->rect().center());
    QTest::touchEvent(key->window(), touchScreen).press(0, middle);
    QTest::touchEvent(key->window(), touchScreen).release(0, middle);
}

void tapAll(const ExerciseScreen* screen, const QString& names) {
    for (const QString& name : names.split(u' ', Qt::SkipEmptyParts)) {
        QPushButton* key = screen->numberPad()->key(name);
        QVERIFY2(key, qPrintable(name));
        tap(key);
    }
}

// The controls Tab reaches from the focus, in order, until it comes back.
QStringList tabWalk(ExerciseScreen* screen) {
    QStringList walk;
    QWidget* start = screen->focusWidget();
    for (int step = 0; step < 40; ++step) {
        QTest::keyClick(screen->focusWidget(), Qt::Key_Tab);
        QWidget* now = screen->focusWidget();
        walk << now->accessibleName();
        if (now == start)
            break;
    }
    return walk;
}

QString counts() {
    return QStringLiteral("%1/%2")
        .arg(Modulo1::NumeroEsatti.value())
        .arg(Modulo1::NumeroErrati.value());
}

} // namespace

class TestNumberPad : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        setUpItalianProgram();
        touchScreen = QTest::createTouchDevice(QInputDevice::DeviceType::TouchScreen);
    }
    void cleanup() {
        closeAllWindows();
        ui::NumberPad::choose(ui::NumberPad::Choice::Automatic);
    }

    // The keys beside the digits, "cancella" and "invio": a comma where an
    // amount with cents is asked, a minus where a gain may be a loss.
    void keysOfEachScreen_data() {
        QTest::addColumn<ScreenId>("form");
        QTest::addColumn<QString>("lire");
        QTest::addColumn<QString>("euro");
        QTest::newRow("Form1 total cost") << ScreenId::Form1 << ""
                                          << "virgola";
        QTest::newRow("Form3 either cost") << ScreenId::Form3 << ""
                                           << "virgola";
        QTest::newRow("Form4 quantity") << ScreenId::Form4 << ""
                                        << "";
        QTest::newRow("Form5 gain") << ScreenId::Form5 << "meno"
                                    << "virgola meno";
        QTest::newRow("Form6 revenue") << ScreenId::Form6 << "meno"
                                       << "virgola meno";
        QTest::newRow("Form9 table") << ScreenId::Form9 << "meno"
                                     << "virgola meno";
        QTest::newRow("Form12 gain or loss") << ScreenId::Form12 << ""
                                             << "virgola";
        QTest::newRow("Form13 money") << ScreenId::Form13 << ""
                                      << "virgola";
    }
    void keysOfEachScreen() {
        QFETCH(ScreenId, form);
        QFETCH(QString, lire);
        QFETCH(QString, euro);
        const QStringList always = {"1", "2", "3", "4", "5",        "6",
                                    "7", "8", "9", "0", "cancella", "invio"};
        for (const Currency* currency : {&Currency::lire(), &Currency::euro()}) {
            TestServices s;
            stock(s, *currency);
            pose(s, form);
            ExerciseScreen* screen = open(form);
            const ui::NumberPad* pad = screen->numberPad();
            QVERIFY(pad->isVisible()); // a touch screen is present
            QStringList extras = pad->keyNames();
            for (const QString& name : always)
                QVERIFY(extras.removeOne(name));
            QCOMPARE(extras.join(u' '), currency->minorDigits() > 0 ? euro : lire);
            for (const QString& name : pad->keyNames()) {
                const QPushButton* key = pad->key(name);
                QVERIFY(key->width() >= 48 && key->height() >= 48);
                // Nothing of the screen lies under the pad.
                QVERIFY(!key->geometry()
                             .translated(pad->pos())
                             .intersects(screen->client()->geometry()));
            }
            closeAllWindows();
        }
    }

    // Taps on a purchase screen, a table and the money board: what the box
    // shows, the counts (one judgement per "invio"), and the focus, which
    // stays in the box the screen asks.
    void tapsTypeIntoTheAskedBox_data() {
        QTest::addColumn<ScreenId>("form");
        QTest::addColumn<bool>("euro");
        QTest::addColumn<QString>("taps");
        QTest::addColumn<QString>("shown");  // the focused box's text
        QTest::addColumn<QString>("judged"); // right/wrong
        QTest::addColumn<QString>("focus");
        QTest::newRow("Form1 right, then a new problem")
            << ScreenId::Form1 << false << "1 6 5 0 0 invio"
            << ""
            << "1/0"
            << "costo totale";
        QTest::newRow("Form1 wrong keeps the text") << ScreenId::Form1 << false << "1 6 5 0 invio"
                                                    << "1650"
                                                    << "0/1"
                                                    << "costo totale";
        QTest::newRow("Form1 cancella takes back the last")
            << ScreenId::Form1 << false << "1 6 5 9 cancella 0 0 invio"
            << ""
            << "1/0"
            << "costo totale";
        QTest::newRow("Form1 in euro with the comma")
            << ScreenId::Form1 << true << "1 6 virgola 5 invio"
            << ""
            << "1/0"
            << "costo totale";
        QTest::newRow("Form1 in euro, cents wrong")
            << ScreenId::Form1 << true << "1 6 virgola 4 invio"
            << "16,4"
            << "0/1"
            << "costo totale";
        QTest::newRow("Form5 a loss with meno") << ScreenId::Form5 << false << "meno 2 0 0 invio"
                                                << ""
                                                << "1/0"
                                                << "guadagno";
        QTest::newRow("Form5 the loss without meno is wrong")
            << ScreenId::Form5 << false << "2 0 0 invio"
            << "200"
            << "0/1"
            << "guadagno";
        QTest::newRow("Form9 the next cell is typed into")
            << ScreenId::Form9 << false << "5 0 0 invio 7 0 0"
            << "700"
            << "1/0"
            << "spesa di 7";
        QTest::newRow("Form13 the revenue, then the board has the focus")
            << ScreenId::Form13 << false << "1 1 0 0 0 invio 5"
            << ""
            << "0/0"
            << "";
        QTest::newRow("Form13 a wrong revenue") << ScreenId::Form13 << false << "1 1 0 0 invio"
                                                << "1100"
                                                << "0/1"
                                                << "ricavo";
    }
    void tapsTypeIntoTheAskedBox() {
        QFETCH(ScreenId, form);
        QFETCH(bool, euro);
        QFETCH(QString, taps);
        QFETCH(QString, shown);
        QFETCH(QString, judged);
        QFETCH(QString, focus);
        TestServices s;
        stock(s, euro ? Currency::euro() : Currency::lire());
        pose(s, form);
        ExerciseScreen* screen = open(form);
        tapAll(screen, taps);
        auto* box = qobject_cast<ui::AnswerBox*>(screen->focusWidget());
        QCOMPARE(box ? box->accessibleName() : QString(), focus);
        if (box)
            QCOMPARE(box->text(), shown);
        QCOMPARE(counts(), judged);
    }

    // The pad shown or hidden, Tab walks the same controls; F9 hides it and
    // the next screen opens without it, as --senza-tastierino would.
    void tabOrderAndToggleKey_data() {
        QTest::addColumn<ScreenId>("form");
        QTest::newRow("Form1") << ScreenId::Form1;
        QTest::newRow("Form9") << ScreenId::Form9;
        QTest::newRow("Form13") << ScreenId::Form13;
    }
    void tabOrderAndToggleKey() {
        QFETCH(ScreenId, form);
        TestServices s;
        stock(s, Currency::euro());
        pose(s, form);
        ExerciseScreen* screen = open(form);
        const QSize withPad = screen->size();
        const QStringList walk = tabWalk(screen);
        QVERIFY(!walk.contains("invio"));
        QTest::keyClick(screen->focusWidget(), Qt::Key_F9);
        QVERIFY(!screen->numberPad()->isVisible());
        QCOMPARE(screen->width(), withPad.width() - screen->numberPad()->designedSize().width());
        QCOMPARE(tabWalk(screen), walk);
        pose(s, form);
        QVERIFY(!open(form)->numberPad()->isVisible());
    }
};

QTEST_MAIN(TestNumberPad)
#include "test_number_pad.moc"

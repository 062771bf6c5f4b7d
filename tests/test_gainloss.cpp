// The gain-or-loss screen: the choice between "guadagno" and "perdita" first,
// then the amount, with the mouse and with the keyboard.

#include "app/AllScreens.h"
#include "exercises/GainLossScreen.h"
#include "shell/FormMenu.h"
#include "shell/Modulo1.h"
#include "shell/ScreenChain.h"
#include "support/TestServices.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

namespace {

// Opens the screen from the menu on a problem of the one record. Draws: the
// menu's colour, the screen's colour, the article, which button is right.
GainLossScreen* openOn(TestServices& s, std::tuple<QString, int, int> record, int scelta) {
    s.setCatalogue({record});
    s.random.values << 0.2 << 0.2 << 0.5 << TestServices::drawing(scelta + 1, 2);
    auto* menu = static_cast<FormMenu*>(openScreen(ScreenId::Menu));
    QTest::mouseClick(menu->Command.value(13), Qt::LeftButton);
    QApplication::setActiveWindow(currentScreen());
    return qobject_cast<GainLossScreen*>(currentScreen());
}

bool choosing(const GainLossScreen* screen) {
    return screen->Command1[0]->isEnabled() && screen->Command1[1]->isEnabled() &&
           !screen->Text1->isEnabled() && screen->Text1->text().isEmpty() &&
           screen->Label10->text().isEmpty();
}

bool answering(const GainLossScreen* screen, int scelta) {
    const QString word = scelta ? "perdita" : "guadagno";
    return !screen->Command1[0]->isEnabled() && !screen->Command1[1]->isEnabled() &&
           screen->Text1->isEnabled() && screen->focusWidget() == screen->Text1 &&
           screen->Label10->text() == word && screen->Text1->accessibleName() == word &&
           QFontMetrics(screen->Label10->font()).horizontalAdvance(word) <=
               screen->Label10->contentsRect().width();
}

QString counts(const GainLossScreen* screen) {
    return screen->EtichettaEsatti->text() + "|" + screen->EtichettaErrati->text();
}

// A key as the X server sends it, with its server time, to the focus.
void sendKey(QEvent::Type type, int key, quint64 time, bool marked = false) {
    QKeyEvent event(type, key, Qt::NoModifier, key == Qt::Key_Space ? " " : "\r", marked);
    event.setTimestamp(time);
    QApplication::sendEvent(QApplication::focusWidget(), &event);
}

} // namespace

class TestGainLoss : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpItalianProgram(); }
    void cleanup() { closeAllWindows(); }

    // Spesa and ricavo trade places with the drawn choice. Enter does nothing
    // while the choice is open; a wrong choice counts and keeps it open, the
    // right one counts nothing and opens the answer box; a reset keeps the step.
    void chooseThenAnswer_data() {
        QTest::addColumn<int>("buying");
        QTest::addColumn<int>("selling");
        QTest::addColumn<int>("scelta");
        QTest::addColumn<QString>("spesa");
        QTest::addColumn<QString>("ricavo");
        QTest::addColumn<QString>("right");
        QTest::newRow("gain") << 30000 << 45000 << 0 << "30.000"
                              << "45.000"
                              << "15.000";
        QTest::newRow("loss") << 30000 << 45000 << 1 << "45.000"
                              << "30.000"
                              << "15000";
        QTest::newRow("equal, as a gain") << 200 << 200 << 0 << "200"
                                          << "200"
                                          << "";
        QTest::newRow("equal, as a loss") << 200 << 200 << 1 << "200"
                                          << "200"
                                          << "";
        // Sold below its buying price: the shown amounts still agree with the
        // right button, and the difference of the two is asked.
        QTest::newRow("selling below, as a gain") << 500 << 300 << 0 << "300"
                                                  << "500"
                                                  << "200";
        QTest::newRow("selling below, as a loss") << 500 << 300 << 1 << "500"
                                                  << "300"
                                                  << "200";
        // The amount after the word is its size: a minus before it is dropped.
        QTest::newRow("loss, with a minus") << 30000 << 45000 << 1 << "45.000"
                                            << "30.000"
                                            << "-15.000";
        QTest::newRow("gain, with a minus") << 30000 << 45000 << 0 << "30.000"
                                            << "45.000"
                                            << "-15000";
    }
    void chooseThenAnswer() {
        QFETCH(int, buying);
        QFETCH(int, selling);
        QFETCH(int, scelta);
        QFETCH(QString, right);
        TestServices s;
        GainLossScreen* screen = openOn(s, {"zaino", buying, selling}, scelta);
        QCOMPARE(screen->Label3->text(), "zaino");
        QTEST(screen->Label4->text(), "spesa");
        QTEST(screen->Label5->text(), "ricavo");
        QVERIFY(choosing(screen));
        QCOMPARE(screen->focusWidget(), screen->Command1[0]);
        pupil::enter(screen->Text1);
        QCOMPARE(counts(screen), "0|0");

        QTest::mouseClick(screen->Command1[1 - scelta], Qt::LeftButton);
        QCOMPARE(counts(screen), "0| 1");
        QVERIFY(choosing(screen));
        QTest::mouseClick(screen->Command1[scelta], Qt::LeftButton);
        QVERIFY(answering(screen, scelta));
        QCOMPARE(counts(screen), "0| 1");
        QCOMPARE(s.sounds.played.size(), 1);
        QVERIFY(screen->ComandoIconaNo->isVisible());

        pupil::answer(screen->Text1, "2-01");
        QCOMPARE(counts(screen), "0| 2");
        pupil::choose(screen->MenuAzzera);
        QVERIFY(answering(screen, scelta));
        QCOMPARE(screen->Text1->text(), "2-01");
        pupil::answer(screen->Text1, right);
        QCOMPARE(counts(screen), " 1|0");
        QVERIFY(choosing(screen));
        QCOMPARE(screen->focusWidget(), screen->Command1[0]);
    }

    // Tab reaches the second button; Enter and the space bar press a button
    // once, held or not, and never judge the box the choice opens.
    void choosingWithTheKeyboard_data() {
        QTest::addColumn<int>("scelta");
        QTest::addColumn<int>("tabs");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("repeats");
        QTest::addColumn<QString>("after");
        QTest::newRow("Enter on guadagno") << 0 << 0 << int(Qt::Key_Return) << 0 << "0|0";
        QTest::newRow("Enter held on guadagno") << 0 << 0 << int(Qt::Key_Return) << 6 << "0|0";
        QTest::newRow("space held on perdita") << 1 << 1 << int(Qt::Key_Space) << 6 << "0|0";
        QTest::newRow("Enter held on the wrong one")
            << 1 << 0 << int(Qt::Key_Return) << 6 << "0| 1";
    }
    void choosingWithTheKeyboard() {
        QFETCH(int, scelta);
        QFETCH(int, tabs);
        QFETCH(int, key);
        QFETCH(int, repeats);
        TestServices s;
        GainLossScreen* screen = openOn(s, {"niente", 0, 0}, scelta); // 0 is right when judged
        for (int i = 0; i < tabs; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), screen->Command1[tabs]);

        static quint64 time = 100000;
        time += 10000;
        sendKey(QEvent::KeyPress, key, time);
        for (int i = 0; i < repeats; ++i, time += 40) {
            sendKey(QEvent::KeyRelease, key, time + 660);
            sendKey(QEvent::KeyPress, key, time + 660);
        }
        sendKey(QEvent::KeyRelease, key, time + 700);
        QTEST(counts(screen), "after");
        QVERIFY(tabs == scelta ? answering(screen, scelta) : choosing(screen));

        // The pupil's next Enter chooses or judges.
        sendKey(QEvent::KeyPress, Qt::Key_Return, time + 2000);
        sendKey(QEvent::KeyRelease, Qt::Key_Return, time + 2100);
        QCOMPARE(screen->EtichettaEsatti->text(), tabs == scelta ? " 1" : "0");
    }
};

QTEST_MAIN(TestGainLoss)
#include "test_gainloss.moc"

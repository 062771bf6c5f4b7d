// Enter and the space bar as a child's finger gives them: held down, repeated
// by the platform with or without the repeat mark, pressed on one window and
// released on the next. Only a press the control saw acts, and once.

#include "app/AllScreens.h"
#include "exercises/GainLossScreen.h"
#include "exercises/TableScreen.h"
#include "frame/ArticleScreen.h"
#include "frame/ExerciseScreen.h"
#include "platform/PlatformServices.h"
#include "shell/FormMenu.h"
#include "shell/Modulo1.h"
#include "shell/ScreenChain.h"
#include "support/TestServices.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

// A key event as the X server sends it: with its server time, and marked as a
// repeat or not.
void send(QWidget* to, QEvent::Type type, int key, quint64 time, bool marked = false) {
    const QString text = key == Qt::Key_Space ? QStringLiteral(" ") : QStringLiteral("\r");
    QKeyEvent event(type, key, Qt::NoModifier, text, marked);
    event.setTimestamp(time);
    QApplication::sendEvent(to, &event);
}

// Holding a key: one press, then `repeats` press/release pairs at the repeat
// rate, each pair carrying one time, then the final release.
void hold(QWidget* to, int key, quint64 start, int repeats, bool marked) {
    send(to, QEvent::KeyPress, key, start);
    quint64 time = start + 660;
    for (int i = 0; i < repeats; ++i, time += 40) {
        send(to, QEvent::KeyRelease, key, time, marked);
        send(to, QEvent::KeyPress, key, time, marked);
    }
    send(to, QEvent::KeyRelease, key, time + 15);
}

// Label4 and Label5, the two given amounts, on the screens that show them.
QList<ui::Label*> givenLabels(ui::Screen* screen) {
    if (auto* article = dynamic_cast<ArticleScreen*>(screen))
        return {article->Label4, article->Label5};
    if (auto* table = dynamic_cast<TableScreen*>(screen))
        return {table->Label4, table->Label5};
    auto* gainLoss = dynamic_cast<GainLossScreen*>(screen);
    return {gainLoss->Label4, gainLoss->Label5};
}

quint64 serverTime = 100000; // server time moves on from test to test

} // namespace

class TestKeys : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpItalianProgram(); }
    void cleanup() {
        closeAllWindows();
        serverTime += 10000;
    }

    void holdingEnterJudgesOnce_data() {
        QTest::addColumn<bool>("marked");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("esatti");
        QTest::addColumn<QString>("errati");
        QTest::newRow("wrong, repeats unmarked") << false << "7"
                                                 << "0"
                                                 << " 1";
        QTest::newRow("wrong, repeats marked") << true << "7"
                                               << "0"
                                               << " 1";
        QTest::newRow("right, repeats unmarked") << false << "500"
                                                 << " 1"
                                                 << "0";
    }
    void holdingEnterJudgesOnce() {
        QFETCH(bool, marked);
        QFETCH(QString, typed);
        TestServices s;
        s.setCatalogue({{"matita", 300, 500}});
        s.random.fallback = 0.0; // quantity 1
        auto* screen = qobject_cast<ExerciseScreen*>(openScreen(ScreenId(Exercise::TotalCost)));
        pupil::type(screen->Text1, typed);
        hold(screen->Text1, Qt::Key_Return, serverTime, 5, marked);
        QTEST(screen->EtichettaEsatti->text(), "esatti");
        QTEST(screen->EtichettaErrati->text(), "errati");

        // A second, separate press judges again.
        pupil::type(screen->Text1, "9");
        hold(screen->Text1, Qt::Key_Return, serverTime + 5000, 0, false);
        QCOMPARE(s.sounds.played.size(), 2);
    }

    // Enter on a menu button opens the exercise at once; the release of that
    // same Enter, and its repeats if the finger stays down, land on the new
    // screen's answer box and must not count.
    void enterFromTheMenuCountsNothing_data() {
        QTest::addColumn<int>("repeats");
        QTest::newRow("tapped") << 0;
        QTest::newRow("held") << 6;
    }
    void enterFromTheMenuCountsNothing() {
        QFETCH(int, repeats);
        TestServices s;
        s.setCatalogue({{"niente", 0, 0}}); // an expected answer of 0 would even count right
        auto* menu = static_cast<FormMenu*>(openScreen(ScreenId::Menu));
        ui::Button* form1Button = menu->Command.value(6);
        form1Button->setFocus();
        send(form1Button, QEvent::KeyPress, Qt::Key_Return, serverTime);
        QVERIFY(currentScreen() == menu); // the button acts on the release
        send(form1Button, QEvent::KeyRelease, Qt::Key_Return, serverTime + 300);
        auto* screen = qobject_cast<ExerciseScreen*>(currentScreen());
        QVERIFY(screen);
        QCOMPARE(screen->focusWidget(), screen->Text1);

        // A finger still down: the platform's repeats reach the new box.
        quint64 time = serverTime + 960;
        for (int i = 0; i < repeats; ++i, time += 40) {
            send(screen->Text1, QEvent::KeyRelease, Qt::Key_Return, time);
            send(screen->Text1, QEvent::KeyPress, Qt::Key_Return, time, i % 2 == 1);
        }
        if (repeats)
            send(screen->Text1, QEvent::KeyRelease, Qt::Key_Return, time + 15);
        QCOMPARE(screen->EtichettaEsatti->text(), "0");
        QCOMPARE(screen->EtichettaErrati->text(), "0");
        QVERIFY(s.sounds.played.isEmpty());
    }

    // A message box takes the press of Enter; its release lands on the screen.
    void enterOnAMessageBoxCountsNothing() {
        TestServices s;
        s.setCatalogue({{"matita", 300, 500}});
        auto* screen = qobject_cast<ExerciseScreen*>(openScreen(ScreenId(Exercise::TotalCost)));
        pupil::type(screen->Text1, "7");
        QMessageBox box(QMessageBox::Information, "La mercanzola", "x", QMessageBox::Ok, screen);
        box.show();
        send(box.button(QMessageBox::Ok), QEvent::KeyPress, Qt::Key_Return, serverTime);
        QVERIFY(!box.isVisible());
        send(screen->Text1, QEvent::KeyRelease, Qt::Key_Return, serverTime + 200);
        QCOMPARE(screen->EtichettaErrati->text(), "0");
        QCOMPARE(screen->Text1->text(), "7");
    }

    // Held on a button, Enter and the space bar act once, on the release; a key
    // held since before the button had the focus does nothing to it.
    void aButtonActsOncePerPress_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("marked");
        QTest::newRow("space, unmarked repeats") << int(Qt::Key_Space) << false;
        QTest::newRow("space, marked repeats") << int(Qt::Key_Space) << true;
        QTest::newRow("Enter, unmarked repeats") << int(Qt::Key_Return) << false;
        QTest::newRow("keypad Enter, marked repeats") << int(Qt::Key_Enter) << true;
    }
    void aButtonActsOncePerPress() {
        QFETCH(int, key);
        QFETCH(bool, marked);
        ui::Button button("Ok", QFont());
        int clicks = 0;
        connect(&button, &QPushButton::clicked, [&] { ++clicks; });
        button.show();
        button.setFocus();
        hold(&button, key, serverTime, 5, marked);
        QCOMPARE(clicks, 1);

        // Repeats of a key pressed elsewhere: release and press with one time.
        for (quint64 t = serverTime + 3000; t < serverTime + 3200; t += 40) {
            send(&button, QEvent::KeyRelease, key, t);
            send(&button, QEvent::KeyPress, key, t);
        }
        send(&button, QEvent::KeyRelease, key, serverTime + 3300);
        QCOMPARE(clicks, 1);
    }

    // The count labels say their value to a screen reader, kept current.
    void countsAreHeardWithTheirValue() {
        TestServices s;
        s.setCatalogue({{"matita", 300, 500}});
        auto* screen = qobject_cast<ExerciseScreen*>(openScreen(ScreenId(Exercise::TotalCost)));
        QCOMPARE(screen->EtichettaEsatti->accessibleName(), "Esatti: 0");
        pupil::answer(screen->Text1, "1");
        pupil::answer(screen->Text1, "2");
        QCOMPARE(screen->EtichettaErrati->accessibleName(), "Errati: 2");
        pupil::choose(screen->MenuAzzera);
        QCOMPARE(screen->EtichettaErrati->accessibleName(), "Errati: 0");
    }

    // A box opened from the screen's menu with Alt and the arrows, closed with
    // the keyboard: the keyboard comes back to the answer box, the typed text
    // and the counts as they were.
    void theKeyboardComesBackAfterAMenuBox_data() {
        QTest::addColumn<int>("item"); // how many times Right after Alt
        QTest::addColumn<QList<int>>("closingKeys");
        QTest::newRow("Informazioni, OK") << 1 << QList<int>{Qt::Key_Return};
        QTest::newRow("Esci, No") << 2 << QList<int>{Qt::Key_Tab, Qt::Key_Return};
    }
    void theKeyboardComesBackAfterAMenuBox() {
        QFETCH(int, item);
        QFETCH(QList<int>, closingKeys);
        TestServices s;
        s.setCatalogue({{"matita", 300, 500}});
        platform::QtMessageBoxes realBoxes;
        platform::services().messages = &realBoxes;
        auto* screen = qobject_cast<ExerciseScreen*>(openScreen(ScreenId(Exercise::TotalCost)));
        QVERIFY(QTest::qWaitForWindowActive(screen));
        pupil::type(screen->Text1, "7");

        // The pupil's keys go to the box once it has the keyboard.
        bool boxSeen = false;
        QTimer pupilAtTheBox;
        connect(&pupilAtTheBox, &QTimer::timeout, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box || !box->isAncestorOf(QApplication::focusWidget()))
                return;
            pupilAtTheBox.stop();
            boxSeen = true;
            for (int key : closingKeys)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        });
        pupilAtTheBox.start(10);
        QTest::keyClick(screen->Text1, Qt::Key_Alt);
        QCOMPARE(QApplication::focusWidget(), screen->menuBar());
        for (int i = 0; i < item; ++i)
            QTest::keyClick(screen->menuBar(), Qt::Key_Right);
        QTest::keyClick(screen->menuBar(), Qt::Key_Return);
        QVERIFY(boxSeen);

        QTRY_COMPARE(QApplication::focusWidget(), screen->Text1);
        QCOMPARE(screen->Text1->text(), "7");
        QCOMPARE(screen->EtichettaErrati->text(), "0");
        QCOMPARE(currentScreen(), screen);
    }

    // Alt pressed and released alone opens the menu bar, and Escape gives the
    // keyboard back to the box where the pupil is, also when an Enter typed
    // before arrives late, as a screen reader's accessibility bridge hands keys
    // on (posted events): between Alt's press and release, or once the bar is
    // open. Alt with a key of the pupil's own is not for the bar.
    void altAloneOpensTheMenuBar_data() {
        QTest::addColumn<QString>("enter");
        QTest::addColumn<bool>("opened");
        QTest::newRow("no Enter") << "" << true;
        QTest::newRow("late, between press and release") << "between" << true;
        QTest::newRow("late, once the bar is open") << "after" << true;
        QTest::newRow("the pupil's own, with Alt") << "own" << false;
    }
    void altAloneOpensTheMenuBar() {
        QFETCH(QString, enter);
        QFETCH(bool, opened);
        TestServices s;
        s.setCatalogue({{"matita", 300, 500}});
        auto* screen = qobject_cast<TableScreen*>(openScreen(ScreenId(Exercise::FourCellTable)));
        QVERIFY(QTest::qWaitForWindowActive(screen));
        pupil::type(screen->Text1, "200");
        auto lateEnter = [screen] {
            for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QKeyEvent handedOn(type, Qt::Key_Return, Qt::NoModifier, "\r");
                QCoreApplication::sendEvent(screen->Text1, &handedOn);
            }
        };
        QTest::keyPress(screen->Text1, Qt::Key_Alt, Qt::AltModifier);
        if (enter == u"between")
            lateEnter();
        if (enter == u"own")
            QTest::keyClick(screen->Text1, Qt::Key_Return, Qt::AltModifier);
        QTest::keyRelease(screen->Text1, Qt::Key_Alt);
        if (enter == u"after")
            lateEnter();
        QTRY_COMPARE(QApplication::focusWidget() == screen->menuBar(), opened);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), enter.isEmpty() ? screen->Text1 : screen->Text2);
    }

    // A value label is heard with the heading it stands under, following the
    // question when the headings or the rows change.
    void valueLabelsSayWhatTheyShow_data() {
        QTest::addColumn<ScreenId>("form");
        QTest::addColumn<QList<double>>("draws"); // after the colour and the article
        QTest::addColumn<QStringList>("heard");   // Label4, then Label5
        QTest::newRow("Form1") << ScreenId(Exercise::TotalCost) << QList<double>{0.5}
                               << QStringList{"costo unitario: 500", "quantità: 6"};
        QTest::newRow("Form3, the unit cost asked")
            << ScreenId(Exercise::UnitOrTotalCost) << QList<double>{0.5, 0.9}
            << QStringList{"costo totale: 3.000", "quantità: 6"};
        QTest::newRow("Form8, the spesa asked")
            << ScreenId(Exercise::MixedProfit) << QList<double>{0.9}
            << QStringList{"ricavo: 500", "guadagno: 200"};
        QTest::newRow("Form11, seven items")
            << ScreenId(Exercise::GainOfOne) << QList<double>{0.65}
            << QStringList{"spesa di 7: 2.100", "ricavo di 7: 3.500"};
        QTest::newRow("Form12") << ScreenId(Exercise::GainOrLoss) << QList<double>{0.1}
                                << QStringList{"spesa: 300", "ricavo: 500"};
    }
    void valueLabelsSayWhatTheyShow() {
        QFETCH(ScreenId, form);
        QFETCH(QList<double>, draws);
        QFETCH(QStringList, heard);
        TestServices s;
        s.setCatalogue({{"matita", 300, 500}});
        s.random.values = QList<double>{0.1, 0.1} + draws;
        ui::Screen* screen = openScreen(form);
        QStringList names;
        for (ui::Label* label : givenLabels(screen))
            names << QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
        QCOMPARE(names, heard);
    }

    // Each screen of the chain opens at the centre of the display.
    void screensOpenCentred() {
        TestServices s;
        s.setCatalogue({{"matita", 300, 500}});
        const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
        for (ScreenId id :
             {ScreenId(ScreenId::Avvio), ScreenId(ScreenId::Menu), ScreenId(Exercise::TotalCost)}) {
            ui::Screen* screen = openScreen(id, currentScreen());
            // The window's frame, if any, is what is centred.
            QVERIFY((screen->geometry().center() - centre).manhattanLength() <= 8);
        }
    }
};

QTEST_MAIN(TestKeys)
#include "test_keys.moc"

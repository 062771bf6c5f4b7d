// The exercise screen frame, driven on Form1 ("trova il costo totale"): counts,
// faces, sounds, the key filter, the reading of the answer and the screen menu.

#include "app/AllScreens.h"
#include "exercises/PurchaseScreen.h"
#include "model/AnswerReading.h"
#include "shell/FormMenu.h"
#include "shell/Lesson.h"
#include "shell/Modulo1.h"
#include "shell/ModuloColoriSuoni.h"
#include "shell/ScreenChain.h"
#include "support/TestServices.h"
#include "ui/LevelStars.h"
#include "ui/Speech.h"
#include "ui/Twips.h"

#include <QKeyEvent>
#include <QMenuBar>
#include <QPointer>
#include <QStandardPaths>
#include <QTest>
#include <memory>

using ModuloColoriSuoni::Colori;

namespace {

// Scripts the draws of one problem: colour, article, quantity.
void pose(TestServices& s, int colour, int article, int quantity) {
    const int articles = qMax(1, int(testLesson().NumeroArticoli().value()));
    s.random.values << TestServices::drawing(colour, 18) << TestServices::drawing(article, articles)
                    << TestServices::drawing(quantity, 11);
}

// The draw of one of the four right-answer sounds, si1 to si4.
void rightSound(TestServices& s, int which) {
    s.random.values << TestServices::drawing(which, 4);
}

std::unique_ptr<PurchaseScreen> openForm1() {
    std::unique_ptr<PurchaseScreen> screen(static_cast<PurchaseScreen*>(newForm1(testLesson())));
    screen->Form_Load();
    screen->show();
    return screen;
}

// What the pupil sees of the problem on show.
QStringList problemOf(const PurchaseScreen* screen) {
    return {screen->Label3->text(), screen->Label4->text(), screen->Label5->text(),
            QString::number(screen->background(), 16)};
}

void sendKey(QWidget* to, QEvent::Type type, int key, bool autoRepeat) {
    QKeyEvent event(type, key, Qt::NoModifier, type == QEvent::KeyPress ? "\r" : "", autoRepeat);
    QCoreApplication::sendEvent(to, &event);
}

// What the voice hears, one text per action of the pupil.
struct HeardVoice : ui::Voice {
    void hear(const QString& text) override { heard << text; }
    QStringList heard;
};

// The right total of the problem on Form1, as the pupil works it out from
// the unit cost and the quantity shown.
QString rightTotal(const PurchaseScreen* screen) {
    return QString::number(digitsOf(screen->Label4->text()).toLongLong() *
                           screen->Label5->text().trimmed().toLongLong());
}

// The stars' level, 0 when there are none.
int starsShown(const ui::Screen* screen) {
    const auto* stars = screen->findChild<ui::LevelStars*>();
    return stars && stars->isVisible() ? stars->level() : 0;
}

} // namespace

class TestFrame : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpItalianProgram(); }

    void loadingShowsZeroCountsAndNoFace() {
        TestServices s;
        s.setCatalogue({{"matita", 300, 500}});
        pose(s, 5, 1, 4);
        std::unique_ptr<PurchaseScreen> screen(
            static_cast<PurchaseScreen*>(newForm1(testLesson())));
        screen->Form_Load();
        QCOMPARE(screen->EtichettaEsatti->text(), "0");
        QCOMPARE(screen->EtichettaErrati->text(), "0");
        screen->show();

        QVERIFY(!screen->ComandoIconaSi->isVisible());
        QVERIFY(!screen->ComandoIconaNo->isVisible());
        QCOMPARE(screen->background(), Colori[5]);
        QCOMPARE(screen->Label5->text(), " 4");
        QCOMPARE(screen->focusWidget(), screen->Text1);
        QVERIFY(s.sounds.played.isEmpty());

        QCOMPARE(screen->Text1->accessibleName(), "costo totale");
        QCOMPARE(screen->ComandoIconaSi->accessibleName(), "risposta esatta");
        QCOMPARE(screen->ComandoIconaNo->accessibleName(), "risposta sbagliata");
        QCOMPARE(screen->MenuAzzera->text(), "Azzera conteggio              ");
        QCOMPARE(screen->MenuInformazioni->text(), "Informazioni             ");
        QCOMPARE(screen->mnuEsci->text(), "Esci");
        QCOMPARE(screen->menuBar()->actions(),
                 QList<QAction*>({screen->MenuAzzera, screen->MenuInformazioni, screen->mnuEsci}));

        QCOMPARE(screen->client()->size(),
                 QSize(ui::twipsToPixels(10815), ui::twipsToPixels(9030)));
        QCOMPARE(screen->ComandoIconaSi->geometry(), ui::twipsRect(720, 240, 855, 750));
        QCOMPARE(screen->ComandoIconaNo->geometry(), ui::twipsRect(720, 240, 855, 750));
        QCOMPARE(screen->EtichettaEsatti->geometry(), ui::twipsRect(2715, 360, 975, 615));
        QCOMPARE(screen->EtichettaErrati->geometry(), ui::twipsRect(4995, 360, 855, 615));
        QCOMPARE(screen->Label1->text(), "Esatti");
        QCOMPARE(screen->Label2->text(), "Errati");
        QCOMPARE(screen->EtichettaEsatti->font().pixelSize(), 24); // 18 pt
        QCOMPARE(screen->Label1->font().pixelSize(), 16);          // 12 pt
    }

    void rightAnswerDrawsTheNextProblem() {
        TestServices s;
        s.setCatalogue({{"matita", 300, 500}, {"quaderno", 1000, 1500}});
        pose(s, 3, 2, 11);
        auto screen = openForm1();
        QCOMPARE(screen->Label3->text(), "quaderno");

        rightSound(s, 3);
        pose(s, 9, 1, 2);
        pupil::type(screen->Text1, "16500");
        pupil::enter(screen->Text1);

        QVERIFY(screen->ComandoIconaSi->isVisible());
        QVERIFY(!screen->ComandoIconaNo->isVisible());
        QCOMPARE(screen->EtichettaEsatti->text(), " 1");
        QCOMPARE(screen->EtichettaErrati->text(), "0");
        QCOMPARE(testLesson().NumeroEsatti.value(), 1);
        QCOMPARE(s.sounds.played, QStringList{s.folder.filePath("suoni/si3.wav")});
        QCOMPARE(screen->background(), Colori[9]);
        QCOMPARE(screen->Label3->text(), "matita");
        QCOMPARE(screen->Label5->text(), " 2");
        QCOMPARE(screen->Text1->text(), "");
        QCOMPARE(screen->focusWidget(), screen->Text1);
        QVERIFY(s.random.values.isEmpty());

        rightSound(s, 1);
        pose(s, 2, 2, 1);
        pupil::answer(screen->Text1, "1000");
        QCOMPARE(screen->EtichettaEsatti->text(), " 2");
        QCOMPARE(s.sounds.last(), "si1.wav");
        QCOMPARE(screen->Label3->text(), "quaderno");
    }

    void wrongAnswerKeepsTheProblem() {
        TestServices s;
        s.setCatalogue({{"matita", 300, 500}, {"quaderno", 1000, 1500}});
        pose(s, 3, 2, 11);
        auto screen = openForm1();
        const QStringList problem = problemOf(screen.get());
        s.random.values << 0.99; // must stay undrawn

        pupil::type(screen->Text1, "1.650");
        pupil::enter(screen->Text1);

        QVERIFY(!screen->ComandoIconaSi->isVisible());
        QVERIFY(screen->ComandoIconaNo->isVisible());
        QCOMPARE(screen->EtichettaErrati->text(), " 1");
        QCOMPARE(screen->EtichettaEsatti->text(), "0");
        QCOMPARE(testLesson().NumeroErrati.value(), 1);
        QCOMPARE(s.sounds.played, QStringList{s.folder.filePath("suoni/no.wav")});
        QCOMPARE(problemOf(screen.get()), problem);
        QCOMPARE(screen->Text1->text(), "1 650");
        QCOMPARE(screen->focusWidget(), screen->Text1);
        QCOMPARE(s.random.values.size(), 1);

        // The pupil mends the answer in place: the sad face gives way to the laughing one.
        pupil::enter(screen->Text1);
        QCOMPARE(screen->EtichettaErrati->text(), " 2");
        s.random.values.clear();
        rightSound(s, 2);
        screen->Text1->end(false);
        pupil::type(screen->Text1, "0");
        pupil::enter(screen->Text1);
        QCOMPARE(screen->EtichettaEsatti->text(), " 1");
        QCOMPARE(screen->EtichettaErrati->text(), " 2");
        QVERIFY(screen->ComandoIconaSi->isVisible());
        QVERIFY(!screen->ComandoIconaNo->isVisible());
    }

    void keyFilterAndReading_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("inTheBox");
        QTest::addColumn<int>("price");
        QTest::addColumn<bool>("right");
        QTest::newRow("dot becomes a space") << "1.500"
                                             << "1 500" << 1500 << true;
        QTest::newRow("comma stays") << "1,500"
                                     << "1,500" << 1500 << true;
        QTest::newRow("decimal comma dropped") << "12,5"
                                               << "12,5" << 125 << true;
        QTest::newRow("minus dropped") << "-40"
                                       << "-40" << 40 << true;
        QTest::newRow("letters dropped") << "ab7cd"
                                         << "ab7cd" << 7 << true;
        QTest::newRow("leading zeros") << "007"
                                       << "007" << 7 << true;
        QTest::newRow("empty reads 0") << ""
                                       << "" << 0 << true;
        QTest::newRow("empty is not 5") << ""
                                        << "" << 5 << false;
        QTest::newRow("letters only read 0") << "abc"
                                             << "abc" << 0 << true;
        QTest::newRow("digits joined") << "1 5"
                                       << "1 5" << 15 << true;
        QTest::newRow("one digit too many") << "1.5000"
                                            << "1 5000" << 1500 << false;
    }
    void keyFilterAndReading() {
        QFETCH(QString, typed);
        QFETCH(QString, inTheBox);
        QFETCH(int, price);
        QFETCH(bool, right);
        TestServices s;
        s.setCatalogue({{"x", 0, price}});
        pose(s, 1, 1, 1);
        auto screen = openForm1();

        pupil::type(screen->Text1, typed);
        QCOMPARE(screen->Text1->text(), inTheBox);
        pupil::enter(screen->Text1);
        QCOMPARE(screen->EtichettaEsatti->text(), right ? " 1" : "0");
        QCOMPARE(screen->EtichettaErrati->text(), right ? "0" : " 1");
        QCOMPARE(screen->Text1->text(), right ? "" : inTheBox);
    }

    void onlyTheReleaseOfEnterJudges() {
        TestServices s;
        s.setCatalogue({{"matita", 300, 500}});
        pose(s, 3, 1, 2);
        auto screen = openForm1();
        const QStringList problem = problemOf(screen.get());
        pupil::type(screen->Text1, "7");

        pupil::pressEnter(screen->Text1);
        for (Qt::Key key : {Qt::Key_A, Qt::Key_Space, Qt::Key_Period, Qt::Key_Escape, Qt::Key_Shift,
                            Qt::Key_Tab, Qt::Key_Right})
            QTest::keyRelease(screen->Text1, key);
        QCOMPARE(screen->EtichettaEsatti->text(), "0");
        QCOMPARE(screen->EtichettaErrati->text(), "0");
        QVERIFY(s.sounds.played.isEmpty());
        QVERIFY(!screen->ComandoIconaSi->isVisible());
        QVERIFY(!screen->ComandoIconaNo->isVisible());
        QCOMPARE(problemOf(screen.get()), problem);

        // Either Enter key judges, whatever modifier is held with it.
        const QList<std::pair<Qt::Key, Qt::KeyboardModifiers>> enters = {
            {Qt::Key_Return, Qt::NoModifier},
            {Qt::Key_Enter, Qt::KeypadModifier},
            {Qt::Key_Return, Qt::ShiftModifier},
            {Qt::Key_Return, Qt::ControlModifier}};
        int wrong = 0;
        for (const auto& [key, modifiers] : enters) {
            QTest::keyClick(screen->Text1, key, modifiers);
            QCOMPARE(screen->EtichettaErrati->text(), numberText(++wrong));
        }
        QCOMPARE(s.sounds.played.size(), wrong);
        QCOMPARE(screen->Text1->text(), "7");
    }

    void holdingEnterJudgesOnce() {
        TestServices s;
        s.setCatalogue({{"matita", 300, 500}});
        pose(s, 3, 1, 2);
        auto screen = openForm1();
        rightSound(s, 4);
        pose(s, 6, 1, 3);
        s.random.values << 0.5; // would be drawn by a second judgement

        pupil::type(screen->Text1, "1000");
        sendKey(screen->Text1, QEvent::KeyPress, Qt::Key_Return, false);
        for (int i = 0; i < 5; ++i) {
            sendKey(screen->Text1, QEvent::KeyRelease, Qt::Key_Return, true);
            sendKey(screen->Text1, QEvent::KeyPress, Qt::Key_Return, true);
        }
        QCOMPARE(screen->EtichettaEsatti->text(), "0");
        sendKey(screen->Text1, QEvent::KeyRelease, Qt::Key_Return, false);

        QCOMPARE(screen->EtichettaEsatti->text(), " 1");
        QCOMPARE(screen->EtichettaErrati->text(), "0");
        QCOMPARE(s.sounds.played.size(), 1);
        QCOMPARE(screen->Label5->text(), " 3");
        QCOMPARE(s.random.values, QList<double>{0.5});
    }

    void resetClearsOnlyTheCounts() {
        TestServices s;
        s.setCatalogue({{"matita", 300, 500}});
        pose(s, 3, 1, 2);
        auto screen = openForm1();
        rightSound(s, 1);
        pose(s, 7, 1, 5);
        pupil::answer(screen->Text1, "1000");
        pupil::answer(screen->Text1, "99");
        const QStringList problem = problemOf(screen.get());
        const int sounds = s.sounds.played.size();

        pupil::choose(screen->MenuAzzera);

        QCOMPARE(screen->EtichettaEsatti->text(), "0");
        QCOMPARE(screen->EtichettaErrati->text(), "0");
        QCOMPARE(testLesson().NumeroEsatti.value(), 0);
        QCOMPARE(testLesson().NumeroErrati.value(), 0);
        QVERIFY(!screen->ComandoIconaSi->isVisible());
        QVERIFY(screen->ComandoIconaNo->isVisible());
        QCOMPARE(problemOf(screen.get()), problem);
        QCOMPARE(screen->Text1->text(), "99");
        QCOMPARE(s.sounds.played.size(), sounds);

        // Counting starts again from one.
        pupil::enter(screen->Text1);
        QCOMPARE(screen->EtichettaErrati->text(), " 1");
    }

    void informationLeavesTheProblem() {
        TestServices s;
        s.setCatalogue({{"matita", 300, 500}});
        pose(s, 3, 1, 2);
        auto screen = openForm1();
        pupil::type(screen->Text1, "12");
        const QStringList problem = problemOf(screen.get());

        pupil::choose(screen->MenuInformazioni);

        QCOMPARE(s.messages.informed.size(), 1);
        QVERIFY(s.messages.asked.isEmpty());
        QCOMPARE(problemOf(screen.get()), problem);
        QCOMPARE(screen->Text1->text(), "12");
        QCOMPARE(screen->EtichettaEsatti->text(), "0");
    }

    void activationDrawsOnlyOnce() {
        TestServices s;
        s.setCatalogue({{"matita", 300, 500}, {"quaderno", 1000, 1500}});
        pose(s, 3, 1, 2);
        auto screen = openForm1();
        pupil::type(screen->Text1, "4");
        const QStringList problem = problemOf(screen.get());
        pose(s, 8, 2, 9);

        screen->hide();
        screen->show();
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(screen.get(), &activate);
        pupil::choose(screen->MenuInformazioni);
        pupil::choose(screen->mnuEsci); // answered No

        QCOMPARE(problemOf(screen.get()), problem);
        QCOMPARE(screen->Text1->text(), "4");
        QCOMPARE(s.random.values.size(), 3);
    }

    void exitAnsweredNoChangesNothing() {
        TestServices s;
        s.setCatalogue({{"matita", 300, 500}});
        pose(s, 3, 1, 2);
        auto screen = openForm1();
        pupil::answer(screen->Text1, "5");
        pupil::type(screen->Text1, "0");
        const QStringList problem = problemOf(screen.get());
        s.messages.answers << platform::Answer::No;

        pupil::choose(screen->mnuEsci);

        QCOMPARE(s.messages.asked, QStringList{"Vuoi tornare al menù?"});
        QVERIFY(screen->isVisible());
        QCOMPARE(problemOf(screen.get()), problem);
        QCOMPARE(screen->Text1->text(), "50");
        QCOMPARE(screen->EtichettaErrati->text(), " 1");
        QCOMPARE(testLesson().NumeroErrati.value(), 1);
    }

    void exitAnsweredYesOpensTheMenu() {
        TestServices s;
        s.setCatalogue({{"matita", 300, 500}});
        QPointer<ui::Screen> form = openScreen(ScreenId(Exercise::TotalCost));
        auto* purchase = qobject_cast<PurchaseScreen*>(form.data());
        QVERIFY(purchase);
        pupil::answer(purchase->Text1, "1");
        QCOMPARE(purchase->EtichettaErrati->text(), " 1");
        s.messages.answers << platform::Answer::Yes;

        pupil::choose(purchase->mnuEsci);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QVERIFY(form.isNull());
        auto* menu = qobject_cast<FormMenu*>(currentScreen());
        QVERIFY(menu);
        QVERIFY(menu->isVisible());

        // Opened again from the menu, the screen counts from 0.
        menu->Command.value(6)->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        auto* again = qobject_cast<PurchaseScreen*>(currentScreen());
        QVERIFY(again);
        QCOMPARE(again->EtichettaErrati->text(), "0");
        QCOMPARE(testLesson().NumeroErrati.value(), 0);
        again->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void countsStopAtTheirLargest() {
        TestServices s;
        s.setCatalogue({{"matita", 300, 500}, {"quaderno", 1000, 1500}});
        pose(s, 3, 1, 2);
        auto screen = openForm1();
        testLesson().NumeroEsatti = Count(32767);
        testLesson().NumeroErrati = Count(32767);
        rightSound(s, 2);
        pose(s, 4, 2, 3);

        pupil::answer(screen->Text1, "1000");
        QCOMPARE(testLesson().NumeroEsatti.value(), 32767);
        QCOMPARE(screen->EtichettaEsatti->text(), " 32767");
        QCOMPARE(s.sounds.last(), "si2.wav");
        QCOMPARE(screen->Label3->text(), "quaderno");

        pupil::answer(screen->Text1, "1");
        QCOMPARE(testLesson().NumeroErrati.value(), 32767);
        QCOMPARE(screen->EtichettaErrati->text(), " 32767");
        QCOMPARE(s.sounds.last(), "no.wav");
        QVERIFY(screen->ComandoIconaNo->isVisible());

        QVERIFY(s.messages.errors.isEmpty());
        QVERIFY(s.endCodes.isEmpty());
        QVERIFY(screen->isVisible());
    }

    void negativeExpectedAnswer() {
        TestServices s;
        s.setCatalogue({{"x", 100, -300}});
        pose(s, 3, 1, 3);
        auto screen = openForm1();
        QCOMPARE(screen->Label4->text(), "-300");

        pupil::answer(screen->Text1, "900");
        QCOMPARE(screen->EtichettaErrati->text(), " 1");
        pupil::answer(screen->Text1, "90-0");
        QCOMPARE(screen->EtichettaErrati->text(), " 2");
        rightSound(s, 1);
        pose(s, 3, 1, 3);
        pupil::answer(screen->Text1, "-900");
        QCOMPARE(screen->EtichettaEsatti->text(), " 1");
        rightSound(s, 1);
        pose(s, 3, 1, 3);
        pupil::answer(screen->Text1, "-.900");
        QCOMPARE(screen->EtichettaEsatti->text(), " 2");
        QVERIFY(s.messages.errors.isEmpty());
    }

    void answerMatchesReadsOnlyDigits_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint64>("expectedRaw");
        QTest::addColumn<bool>("matches");
        const qint64 lira = Money::Scale;
        QTest::newRow("plain") << "16500" << 16500 * lira << true;
        QTest::newRow("grouped") << "16 500" << 16500 * lira << true;
        QTest::newRow("nothing is 0") << "" << qint64(0) << true;
        QTest::newRow("nothing is not 1") << "" << lira << false;
        QTest::newRow("minus dropped for a positive amount") << "-40" << 40 * lira << true;
        QTest::newRow("minus before a negative amount") << "-900" << -900 * lira << true;
        QTest::newRow("minus after a letter") << "a-900" << -900 * lira << true;
        QTest::newRow("no minus for a negative amount") << "900" << -900 * lira << false;
        QTest::newRow("minus after the first digit") << "9-00" << -900 * lira << false;
        QTest::newRow("fraction never matched") << "2" << qint64(15005) << false;
        QTest::newRow("fraction digits never matched") << "15005" << qint64(15005) << false;
        QTest::newRow("hundreds of nines") << QString(400, u'9') << 999 * lira << false;
        QTest::newRow("hundreds of nines are not 0") << QString(400, u'9') << qint64(0) << false;
        QTest::newRow("nineteen nines are not 0") << QString(19, u'9') << qint64(0) << false;
        QTest::newRow("hundreds of zeros are 0") << QString(400, u'0') << qint64(0) << true;
        QTest::newRow("hundreds of leading zeros") << QString(300, u'0') + "7" << 7 * lira << true;
    }
    void answerMatchesReadsOnlyDigits() {
        QFETCH(QString, typed);
        QFETCH(qint64, expectedRaw);
        QFETCH(bool, matches);
        QCOMPARE(answerMatches(typed, Money::fromRaw(expectedRaw), Currency::lire()), matches);
    }

    void pastedDigitStringIsWrong() {
        TestServices s;
        s.setCatalogue({}); // expects 0, which an unreadable string must not pass for
        pose(s, 3, 1, 2);
        auto screen = openForm1();
        const QString pasted(600, u'9');

        screen->Text1->setText(pasted);
        pupil::enter(screen->Text1);

        QCOMPARE(screen->EtichettaErrati->text(), " 1");
        QCOMPARE(screen->EtichettaEsatti->text(), "0");
        QCOMPARE(screen->Text1->text(), pasted);
        QVERIFY(s.messages.errors.isEmpty());
        QVERIFY(s.endCodes.isEmpty());
    }

    // Levels on Form1, the pupil answering right (R) and wrong (W): the stars
    // he sees, what he hears when the level changes, the quantity of the next
    // problem (drawn at the top of each range), and the level auto keeps for
    // the next time the screen opens.
    void levels_data() {
        QTest::addColumn<QString>("chosen"); // as in livello.conf; empty for none
        QTest::addColumn<QString>("answers");
        QTest::addColumn<int>("stars");        // 0: none shown
        QTest::addColumn<QStringList>("said"); // level changes, in order
        QTest::addColumn<QString>("quantity"); // of the problem on show at the end
        QTest::addColumn<int>("reopened");     // the stars of the screen opened again
        QTest::newRow("no level") << ""
                                  << "RRRRRWWW" << 0 << QStringList() << " 11" << 0;
        QTest::newRow("level 1") << "1"
                                 << "RRRRRR" << 1 << QStringList() << " 5" << 1;
        QTest::newRow("level 3 draws as none") << "3"
                                               << "RR" << 3 << QStringList() << " 11" << 3;
        QTest::newRow("auto: four right stay") << "auto"
                                               << "RRRR" << 1 << QStringList() << " 5" << 1;
        QTest::newRow("auto: five right go up")
            << "auto"
            << "RRRRR" << 2 << QStringList{"Bravo! Passi al livello 2."} << " 9" << 2;
        // A wrong answer keeps its problem: the next one is drawn at the new level.
        QTest::newRow("auto: up, then three wrong go down")
            << "auto"
            << "RRRRRWWWR" << 1 << QStringList{"Bravo! Passi al livello 2.", "Torni al livello 1."}
            << " 5" << 1;
        QTest::newRow("auto: to the top")
            << "auto"
            << "RRRRRRRRRRRRRRR" << 3
            << QStringList{"Bravo! Passi al livello 2.", "Bravo! Passi al livello 3."} << " 11"
            << 3;
    }
    void levels() {
        QFETCH(QString, chosen);
        QFETCH(QString, answers);
        QFETCH(int, stars);
        QFETCH(QStringList, said);
        QFETCH(QString, quantity);
        QFETCH(int, reopened);
        QStandardPaths::setTestModeEnabled(true);
        QFile::remove(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                      QStringLiteral("/mercanzola/livelli.conf"));
        TestServices s;
        s.setCatalogue({{"matita", 300, 500},
                        {"quaderno", 12345, 15678},
                        {"gomma", 250, 400},
                        {"righello", 800, 1200}});
        const LevelSettings settings =
            readLevelSettings(chosen.isEmpty() ? QString() : "livello = " + chosen, 13);
        auto choose = [&] {
            testLesson().chooseLevels(
                std::vector<LevelChoice>(13, levelFor(1, std::nullopt, settings, {})));
        };
        choose();
        s.random.fallback = 0.999;
        auto screen = openForm1();
        HeardVoice voice;
        screen->setVoice(&voice);
        for (QChar answer : answers)
            pupil::answer(screen->Text1, answer == u'R' ? rightTotal(screen.get()) : "1");
        QCOMPARE(starsShown(screen.get()), stars);
        QStringList changes;
        for (const QString& text : voice.heard)
            for (const QString& sentence :
                 {QStringLiteral("Bravo! Passi al livello 2."),
                  QStringLiteral("Bravo! Passi al livello 3."),
                  QStringLiteral("Torni al livello 1."), QStringLiteral("Torni al livello 2.")})
                if (text.contains(sentence))
                    changes << sentence;
        QCOMPARE(changes, said);
        QCOMPARE(screen->Label5->text(), quantity);
        if (stars == 0 || stars == 3)
            QCOMPARE(screen->Label3->text(), "righello"); // the last article, as ever
        else
            QVERIFY(screen->Label3->text() != "quaderno"); // too many digits for 1 and 2
        screen.reset();

        choose();
        auto again = openForm1();
        QCOMPARE(starsShown(again.get()), reopened);
    }
};

QTEST_MAIN(TestFrame)
#include "test_frame.moc"

// The start screen, the main menu and the way from one screen to the next.

#include "app/AllScreens.h"
#include "frame/ExerciseScreen.h"
#include "shell/FormAvvio.h"
#include "shell/FormMenu.h"
#include "shell/ScreenChain.h"
#include "support/TestServices.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QFontInfo>
#include <QPointer>
#include <QTest>

namespace {

// Colour table entries as the pupil sees them (RGB), by their number in the table.
const QColor Orange(0xFF, 0x80, 0x00);     // entry 5
const QColor Yellow(0xFF, 0xFF, 0x00);     // entry 7
const QColor LightGreen(0x80, 0xFF, 0x80); // entry 9
const QColor Blue(0x00, 0x00, 0xFF);       // entry 17
// The face drawn where the screens ask for Arial.
const QString StandInForArial = QStringLiteral("Liberation Sans");

double colour(int entry) {
    return TestServices::drawing(entry, 18);
}

QList<ui::Screen*> visibleScreens() {
    QList<ui::Screen*> screens;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* s = qobject_cast<ui::Screen*>(w); s && s->isVisible())
            screens << s;
    return screens;
}

// The menu's exercise buttons by number (Command1 is "Esci"), and what each opens.
const std::pair<int, ScreenId> MenuButtons[] = {
    {6, Exercise::TotalCost},       {2, Exercise::UnitCost},    {3, Exercise::UnitOrTotalCost},
    {4, Exercise::NumberOfItems},   {5, Exercise::Gain},        {7, Exercise::Revenue},
    {8, Exercise::Expense},         {9, Exercise::MixedProfit}, {10, Exercise::FourCellTable},
    {11, Exercise::GainOfSeveral},  {12, Exercise::GainOfOne},  {13, Exercise::GainOrLoss},
    {14, Exercise::PayingWithMoney}};

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QColor backgroundOf(QWidget* screen) {
    return screen->palette().color(QPalette::Window);
}

// Notes how many screens are on show at the moment the watched one closes.
class CloseWatcher : public QObject {
public:
    explicit CloseWatcher(QWidget* screen) { screen->installEventFilter(this); }
    int visibleAtClose = -1;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Close)
            visibleAtClose = int(visibleScreens().size());
        return false;
    }
};

// A screen standing in for an exercise, to see which one a menu button opens.
class StubScreen : public ui::Screen {
public:
    explicit StubScreen(ScreenId id) : ui::Screen(1500, 1500), id(id) {}
    const ScreenId id;
};

} // namespace

Q_DECLARE_METATYPE(ScreenId)

class ChainTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        setUpToolkit();
        registerAllScreens(testLesson());
    }
    void cleanup() {
        for (ui::Screen* s : visibleScreens())
            s->close();
        flushDeletes();
        QCOMPARE(currentScreen(), nullptr);
    }

    void startScreenLooksAsDrawn() {
        TestServices services;
        services.random.values = {colour(7)};
        auto* avvio = qobject_cast<FormAvvio*>(openScreen(ScreenId::Avvio));
        QVERIFY(avvio);
        QCOMPARE(currentScreen(), avvio);

        QCOMPARE(avvio->windowTitle(), QStringLiteral("la mercanzola"));
        QCOMPARE(avvio->client()->size(), QSize(845, 541)); // 12,675 x 8,115 twips
        QCOMPARE(avvio->size(), avvio->client()->size());   // no menu bar
        QVERIFY(!avvio->windowIcon().isNull());
        QCOMPARE(backgroundOf(avvio), Yellow);

        ui::Label* title = avvio->Label2[0];
        ui::Label* heading = avvio->Label2[1];
        QCOMPARE(heading->text(), QStringLiteral("Esercitazioni matematiche"));
        QCOMPARE(heading->geometry(), ui::twipsRect(2400, 240, 4935, 855));
        QCOMPARE(heading->font().pixelSize(), 24); // 18 pt
        QVERIFY(heading->alignment() & Qt::AlignLeft);
        QCOMPARE(title->text(), QStringLiteral("la mercanzola"));
        QCOMPARE(title->geometry(), ui::twipsRect(0, 1200, 10335, 3735));
        QCOMPARE(title->font().pixelSize(), 64); // 48 pt
        QCOMPARE(title->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
        for (ui::Label* label : avvio->Label2) {
            QCOMPARE(QFontInfo(label->font()).family(), StandInForArial);
            QVERIFY(label->font().bold());
            QVERIFY(!label->autoFillBackground()); // the screen's colour shows through
            QCOMPARE(label->palette().color(QPalette::WindowText),
                     QApplication::palette().color(QPalette::WindowText));
        }

        ui::Button* avvioButton = avvio->Command1;
        QCOMPARE(avvioButton->text(), QStringLiteral("Avvio"));
        QCOMPARE(avvioButton->geometry(), ui::twipsRect(2760, 5040, 4425, 1305));
        QCOMPARE(avvioButton->font().pixelSize(), 32); // 24 pt
        QVERIFY(avvioButton->font().bold());
        QVERIFY(!avvioButton->icon().isNull());
        QCOMPARE(avvioButton->iconSize(), QSize(32, 32));

        // The button is the only control that takes the focus: Tab keeps it there.
        QCOMPARE(avvio->focusWidget(), avvioButton);
        QTest::keyClick(avvioButton, Qt::Key_Tab);
        QCOMPARE(avvio->focusWidget(), avvioButton);
        QVERIFY(services.messages.asked.isEmpty());
    }

    void avvioOpensTheMenu_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("space bar") << int(Qt::Key_Space);
    }
    void avvioOpensTheMenu() {
        QFETCH(int, key);
        TestServices services;
        services.random.values = {colour(7), colour(17)};
        QPointer<ui::Screen> avvio = openScreen(ScreenId::Avvio);
        auto* avvioButton = static_cast<FormAvvio*>(avvio.data())->Command1;
        CloseWatcher watcher(avvio);

        QTest::keyClick(avvioButton, Qt::Key(key));
        // The menu was already on show when the start screen closed, so the
        // program never runs out of windows on the way.
        QCOMPARE(watcher.visibleAtClose, 2);
        auto* menu = qobject_cast<FormMenu*>(currentScreen());
        QVERIFY(menu);
        QCOMPARE(visibleScreens(), QList<ui::Screen*>{menu});
        flushDeletes();
        QVERIFY(avvio.isNull());
        QCOMPARE(backgroundOf(menu), Blue);
        QCOMPARE(menu->focusWidget(), menu->Command.value(1));
        QVERIFY(services.messages.asked.isEmpty());
    }

    void menuLooksAsDrawn_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        const struct {
            int number;
            const char* caption;
            int left, top;
        } grid[] = {
            {6, "trova il costo totale", 240, 240},
            {8, "trova la spesa", 3960, 240},
            {2, "trova il costo unitario", 240, 1080},
            {9, "spesa - guadagno - ricavo ", 3960, 1080},
            {3, "trova il costo unitario/totale", 240, 1920},
            {10, "tabelle    1", 3960, 1920},
            {4, "trova il numero degli articoli", 240, 2760},
            {11, "tabelle    2", 3960, 2760},
            {14, "usa il denaro", 240, 3600},
            {12, "tabelle    3", 3960, 3600},
            {5, "trova il guadagno", 240, 4440},
            {13, "guadagno - perdita", 3960, 4440},
            {7, "trova il ricavo", 240, 5280},
            {1, "Esci", 3960, 5280},
        };
        for (const auto& b : grid)
            QTest::addRow("Command%d", b.number)
                << b.number << QString::fromUtf8(b.caption) << b.left << b.top;
    }
    void menuLooksAsDrawn() {
        QFETCH(int, number);
        QFETCH(QString, caption);
        QFETCH(int, left);
        QFETCH(int, top);
        TestServices services;
        auto* menu = qobject_cast<FormMenu*>(openScreen(ScreenId::Menu));
        QVERIFY(menu);
        QCOMPARE(menu->windowTitle(), QStringLiteral("la mercanzola"));
        QCOMPARE(menu->client()->size(), QSize(640, 480)); // 9,600 x 7,200 twips
        QCOMPARE(menu->size(), menu->client()->size());

        ui::Button* button = menu->Command.value(number);
        QVERIFY(button);
        QCOMPARE(button->text(), caption); // spaces and all
        QCOMPARE(button->geometry(), ui::twipsRect(left, top, 3500, 735));
        QCOMPARE(QFontInfo(button->font()).family(), StandInForArial);
        QCOMPARE(button->font().pixelSize(), 13); // 9.75 pt
        QVERIFY(button->font().bold());
        QVERIFY(button->isVisible());
    }

    void menuTabOrderStartsAtEsci() {
        TestServices services;
        auto* menu = qobject_cast<FormMenu*>(openScreen(ScreenId::Menu));
        ui::Button* esci = menu->Command.value(1);
        QCOMPARE(menu->focusWidget(), esci);

        QList<int> order;
        QWidget* w = esci;
        do {
            if (auto* b = qobject_cast<ui::Button*>(w))
                order << menu->Command.key(b);
            w = w->nextInFocusChain();
        } while (w != esci && order.size() <= 14);
        QCOMPARE(order, (QList<int>{1, 6, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13, 14}));

        // The pupil's Tab from "Esci" reaches the first exercise.
        QTest::keyClick(esci, Qt::Key_Tab);
        QCOMPARE(menu->focusWidget(), menu->Command.value(6));
    }

    void menuEsciAsksToQuit_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("yes");
        QTest::newRow("Enter, No") << int(Qt::Key_Return) << false;
        QTest::newRow("space bar, No") << int(Qt::Key_Space) << false;
        QTest::newRow("Enter, Yes") << int(Qt::Key_Return) << true;
        QTest::newRow("space bar, Yes") << int(Qt::Key_Space) << true;
    }
    void menuEsciAsksToQuit() {
        QFETCH(int, key);
        QFETCH(bool, yes);
        TestServices services;
        services.random.values = {colour(9)};
        auto* menu = qobject_cast<FormMenu*>(openScreen(ScreenId::Menu));
        services.messages.answers = {yes ? platform::Answer::Yes : platform::Answer::No};

        QTest::keyClick(menu->Command.value(1), Qt::Key(key));
        QCOMPARE(services.messages.asked,
                 QStringList{QStringLiteral("Vuoi uscire dal programma?")});
        QCOMPARE(services.endCodes, yes ? QList<int>{0} : QList<int>{});
        if (!yes) {
            // The menu stays exactly as it was.
            QCOMPARE(currentScreen(), menu);
            QCOMPARE(visibleScreens(), QList<ui::Screen*>{menu});
            QCOMPARE(backgroundOf(menu), LightGreen);
            QCOMPARE(menu->focusWidget(), menu->Command.value(1));
        }
    }

    void onlyBuiltExercisesCanBeOpened() {
        const auto& buttons = MenuButtons;
        TestServices services;
        auto* menu = qobject_cast<FormMenu*>(openScreen(ScreenId::Menu));
        QVERIFY(menu->Command.value(1)->isEnabled());
        for (const auto& [number, form] : buttons) {
            QCOMPARE(menu->Command.value(number)->isEnabled(), isScreenAvailable(form));
            if (!isScreenAvailable(form)) {
                QTest::mouseClick(menu->Command.value(number), Qt::LeftButton);
                QCOMPARE(currentScreen(), menu);
            }
        }
        for (ScreenId built :
             {ScreenId(Exercise::TotalCost), ScreenId(Exercise::UnitCost),
              ScreenId(Exercise::UnitOrTotalCost), ScreenId(Exercise::NumberOfItems)})
            QVERIFY(isScreenAvailable(built));
    }

    void exerciseButtonReplacesTheMenu_data() {
        QTest::addColumn<int>("number");
        QTest::newRow("Command6") << 6;
        QTest::newRow("Command2") << 2;
        QTest::newRow("Command3") << 3;
        QTest::newRow("Command4") << 4;
    }
    void exerciseButtonReplacesTheMenu() {
        QFETCH(int, number);
        TestServices services;
        services.setCatalogue({{QStringLiteral("quaderno"), 800, 1000}});
        services.random.values = {colour(9), colour(5)};
        services.random.fallback = 0.5;
        QPointer<ui::Screen> menu = openScreen(ScreenId::Menu);
        CloseWatcher watcher(menu);

        QTest::mouseClick(static_cast<FormMenu*>(menu.data())->Command.value(number),
                          Qt::LeftButton);
        QCOMPARE(watcher.visibleAtClose, 2);
        auto* exercise = qobject_cast<ExerciseScreen*>(currentScreen());
        QVERIFY(exercise);
        QCOMPARE(visibleScreens(), QList<ui::Screen*>{exercise});
        flushDeletes();
        QVERIFY(menu.isNull());
        QCOMPARE(backgroundOf(exercise), Orange);
        QCOMPARE(exercise->EtichettaEsatti->text(), QStringLiteral("0"));
        QCOMPARE(exercise->EtichettaErrati->text(), QStringLiteral("0"));
        QCOMPARE(exercise->focusWidget(), exercise->Text1);
    }

    // The exercise screen's "Esci": No keeps everything, Yes brings back a fresh
    // menu, and the exercise opened again starts its counts at 0.
    void exerciseEsciGoesBackToAFreshMenu() {
        TestServices services;
        services.setCatalogue({{QStringLiteral("quaderno"), 800, 1000}});
        // Menu, then Form1's problem: colour, article, quantity 3.
        services.random.values = {colour(9), colour(5), 0.5, TestServices::drawing(3, 11)};
        QPointer<ui::Screen> firstMenu = openScreen(ScreenId::Menu);
        QTest::keyClick(static_cast<FormMenu*>(firstMenu.data())->Command.value(6), Qt::Key_Return);
        QPointer<ExerciseScreen> form1 = qobject_cast<ExerciseScreen*>(currentScreen());
        QVERIFY(form1);
        pupil::answer(form1->Text1, QStringLiteral("12.5"));
        QCOMPARE(form1->EtichettaErrati->text(), QStringLiteral(" 1"));

        services.messages.answers = {platform::Answer::No};
        pupil::choose(form1->mnuEsci);
        QCOMPARE(services.messages.asked, QStringList{QStringLiteral("Vuoi tornare al menù?")});
        QCOMPARE(currentScreen(), form1.data());
        QCOMPARE(visibleScreens(), QList<ui::Screen*>{form1.data()});
        QCOMPARE(form1->Text1->text(), QStringLiteral("12 5"));
        QCOMPARE(form1->EtichettaErrati->text(), QStringLiteral(" 1"));
        QCOMPARE(backgroundOf(form1), Orange);

        services.messages.answers = {platform::Answer::Yes};
        services.random.values = {colour(17)};
        pupil::choose(form1->mnuEsci);
        auto* menu = qobject_cast<FormMenu*>(currentScreen());
        QVERIFY(menu);
        QCOMPARE(visibleScreens(), QList<ui::Screen*>{menu});
        flushDeletes();
        QVERIFY(form1.isNull());
        QVERIFY(firstMenu.isNull());
        QCOMPARE(backgroundOf(menu), Blue);
        QCOMPARE(menu->focusWidget(), menu->Command.value(1));
        QVERIFY(services.endCodes.isEmpty());

        QTest::keyClick(menu->Command.value(6), Qt::Key_Space);
        auto* again = qobject_cast<ExerciseScreen*>(currentScreen());
        QVERIFY(again);
        QCOMPARE(again->EtichettaEsatti->text(), QStringLiteral("0"));
        QCOMPARE(again->EtichettaErrati->text(), QStringLiteral("0"));
        QCOMPARE(again->Text1->text(), QString());
    }

    void closingTheOpenWindowAsksNothing_data() {
        QTest::addColumn<int>("screens"); // how far along the chain
        QTest::newRow("start screen") << 1;
        QTest::newRow("menu") << 2;
        QTest::newRow("exercise") << 3;
    }
    void closingTheOpenWindowAsksNothing() {
        QFETCH(int, screens);
        TestServices services;
        services.setCatalogue({{QStringLiteral("quaderno"), 800, 1000}});
        services.random.fallback = 0.5;
        ui::Screen* open = openScreen(ScreenId::Avvio);
        if (screens > 1)
            QTest::keyClick(static_cast<FormAvvio*>(open)->Command1, Qt::Key_Return);
        if (screens > 2)
            QTest::keyClick(qobject_cast<FormMenu*>(currentScreen())->Command.value(6),
                            Qt::Key_Return);
        open = currentScreen();
        QCOMPARE(visibleScreens(), QList<ui::Screen*>{open});

        QVERIFY(open->close());
        flushDeletes();
        QVERIFY(visibleScreens().isEmpty());
        QCOMPARE(currentScreen(), nullptr);
        QVERIFY(services.messages.asked.isEmpty());
        QVERIFY(services.endCodes.isEmpty());
    }

    // Runs last: it puts stand-ins in place of the exercise screens for good.
    void eachButtonOpensItsScreen_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<ScreenId>("opens");
        for (const auto& [number, form] : MenuButtons)
            QTest::addRow("Command%d", number) << number << form;
    }
    void eachButtonOpensItsScreen() {
        QFETCH(int, number);
        QFETCH(ScreenId, opens);
        for (const ExerciseInfo& row : ExerciseTable)
            registerScreen(row.exercise, [id = row.exercise] { return new StubScreen(id); });
        TestServices services;
        QPointer<ui::Screen> menu = openScreen(ScreenId::Menu);

        QTest::mouseClick(static_cast<FormMenu*>(menu.data())->Command.value(number),
                          Qt::LeftButton);
        auto* opened = dynamic_cast<StubScreen*>(currentScreen());
        QVERIFY(opened);
        QCOMPARE(opened->id, opens);
        QCOMPARE(visibleScreens(), QList<ui::Screen*>{opened});
        flushDeletes();
        QVERIFY(menu.isNull());
    }
};

QTEST_MAIN(ChainTest)
#include "test_chain.moc"

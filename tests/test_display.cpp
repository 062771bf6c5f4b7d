// The screens on a classroom display: drawn larger to fill a larger window,
// full screen kept from one screen to the next, and text that reads on every
// background colour.

#include "app/AllScreens.h"
#include "exercises/MoneyScreen.h"
#include "exercises/PurchaseScreen.h"
#include "shell/FormAvvio.h"
#include "shell/FormMenu.h"
#include "shell/ModuloColoriSuoni.h"
#include "shell/ScreenChain.h"
#include "support/TestServices.h"
#include "ui/CaptionedPictureButton.h"
#include "ui/Contrast.h"
#include "ui/PictureSlot.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QMenuBar>
#include <QTest>

namespace {

// The school's monitor, as the offscreen platform is told in main() below.
const QSize Monitor(1920, 1080);

PurchaseScreen* openForm1(TestServices& services, int colourEntry = 5) {
    services.setCatalogue({{QStringLiteral("quaderno"), 800, 1000}});
    services.random.values = {TestServices::drawing(colourEntry, 18), 0.5,
                              TestServices::drawing(3, 11)};
    return qobject_cast<PurchaseScreen*>(openScreen(ScreenId(Exercise::TotalCost)));
}

// Pixels differ from the designed ones by the factor, give or take the rounding.
bool follows(int actual, double designed, double factor) {
    return std::abs(actual - designed * factor) <= 1.0;
}

// A control's place in twips, drawn at the factor, give or take the rounding.
bool placedAt(const QWidget* control, const ui::TwipsRect& place, double factor) {
    const double pixel = 15.0; // twips at the designed size
    return follows(control->x(), place.left / pixel, factor) &&
           follows(control->y(), place.top / pixel, factor) &&
           follows(control->width(), place.width / pixel, factor) &&
           follows(control->height(), place.height / pixel, factor);
}

// The colours a widget paints, as the pupil would see them.
QSet<QRgb> paintedColours(QWidget* widget) {
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y) | 0xFF000000);
    return colours;
}

} // namespace

class DisplayTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpItalianProgram(); }
    void cleanup() {
        closeAllWindows();
        ui::Screen::chooseFullScreen(false);
    }

    // A window manager makes the window larger: the content and the menu bar
    // follow by one factor, centred, and the background colour fills what is left.
    void contentFollowsTheWindow_data() {
        QTest::addColumn<QSize>("room"); // below the menu bar as designed, drawn larger
        QTest::addColumn<double>("factor");
        QTest::newRow("as designed") << QSize(721, 602) << 1.0;
        QTest::newRow("half as large again") << QSize(1082, 903) << 1.5;
        QTest::newRow("wider than tall") << QSize(1600, 903) << 1.5;
        QTest::newRow("taller than wide") << QSize(1442, 1500) << 2.0;
    }
    void contentFollowsTheWindow() {
        QFETCH(QSize, room);
        QFETCH(double, factor);
        TestServices services;
        PurchaseScreen* screen = openForm1(services);
        const int menuHeight = screen->menuBar()->height();
        const QSize window(room.width(), room.height() + qRound(menuHeight * factor));
        screen->resize(window);
        QTRY_COMPARE(screen->size(), window);

        // The bar's edges grow less than its text: the content a little more.
        QVERIFY(follows(screen->menuBar()->font().pixelSize(), 11, factor));
        QVERIFY(screen->contentScale() >= factor && screen->contentScale() < factor + 0.01);
        factor = screen->contentScale();
        room.setHeight(window.height() - screen->menuBar()->height());
        const QRect client = screen->client()->geometry();
        QVERIFY(follows(client.width(), 721, factor));
        QVERIFY(follows(client.height(), 602, factor));
        // Centred in the room below the menu bar.
        QVERIFY(std::abs(client.center().x() - (room.width() - 1) / 2.0) <= 1.0);
        QVERIFY(std::abs(client.center().y() - (room.height() - 1) / 2.0) <= 1.0);

        const struct {
            QWidget* control;
            ui::TwipsRect place;
            int designedPixels; // font
        } probes[] = {
            {screen->Label1, {1875, 480, 735, 375}, 16},
            {screen->EtichettaEsatti, {2715, 360, 975, 615}, 24},
            {screen->Text1, {2880, 3960, 4575, 615}, 32},
        };
        for (const auto& probe : probes) {
            QVERIFY2(placedAt(probe.control, probe.place, factor),
                     qPrintable(probe.control->accessibleName()));
            if (probe.designedPixels)
                QVERIFY(follows(probe.control->font().pixelSize(), probe.designedPixels, factor));
        }

        // Beside the content, the background colour.
        const QImage shot = screen->grab().toImage();
        const QPoint corner(room.width() - 1, screen->height() - 1);
        QCOMPARE(QColor(shot.pixel(corner)), screen->palette().color(QPalette::Window));
    }

    // Controls placed or moved later, and fonts set later, are in designed
    // units at any scale; back at the designed size all is as designed.
    void laterPlacesAndFontsFollowTheScale() {
        TestServices services;
        PurchaseScreen* screen = openForm1(services);
        const int menuHeight = screen->menuBar()->height();
        screen->resize(721 * 2, (602 + menuHeight) * 2);
        QTRY_COMPARE(screen->contentScale(), 2.0);

        auto* label =
            screen->place(new ui::Label(QStringLiteral("nuovo"), {}), 150, 300, 1500, 450);
        QCOMPARE(label->geometry(), QRect(20, 40, 200, 60));
        QCOMPARE(label->font().pixelSize(), 26); // 9.75 pt drawn twice as large
        ui::Screen::placeAt(label, 300, 600, 750, 450);
        QCOMPARE(label->geometry(), QRect(40, 80, 100, 60));
        label->setFont(ui::screenFont(QStringLiteral("Arial"), 18));
        QCOMPARE(label->font().pixelSize(), 48);

        screen->resize(721, 602 + menuHeight);
        QTRY_COMPARE(screen->contentScale(), 1.0);
        QCOMPARE(label->geometry(), ui::twipsRect(300, 600, 750, 450));
        QCOMPARE(label->font().pixelSize(), 24);
        QCOMPARE(screen->Label1->geometry(), ui::twipsRect(1875, 480, 735, 375));
        QCOMPARE(screen->Label1->font().pixelSize(), 16);
        QCOMPARE(screen->client()->geometry(), QRect(0, 0, 721, 602));
    }

    void buttonPicturesFollowTheScale() {
        TestServices services;
        auto* avvio = qobject_cast<FormAvvio*>(openScreen(ScreenId::Avvio));
        QCOMPARE(avvio->Command1->iconSize(), QSize(32, 32));
        avvio->resize(845 * 2, 541 * 2);
        QTRY_COMPARE(avvio->contentScale(), 2.0);
        QCOMPARE(avvio->Command1->iconSize(), QSize(64, 64));
        QCOMPARE(avvio->Command1->font().pixelSize(), 64);

        PurchaseScreen* form1 = openForm1(services);
        form1->resize(721 * 2, (602 + form1->menuBar()->height()) * 2);
        QTRY_COMPARE(form1->contentScale(), 2.0);
        pupil::answer(form1->Text1, QStringLiteral("1"));
        const QSize face = form1->ComandoIconaNo->iconSize();
        QVERIFY2(face.width() >= 2 * 42, qPrintable(QString::number(face.width())));
    }

    // The board laid out on a screen already full screen: each piece's slot
    // takes its size at the screen's scale, and the hand on "Ricomincia" grows.
    void moneyBoardFollowsTheScale() {
        TestServices services;
        // Cost 10 (10,000 lire), gain 1, scale 1000: a banknote and a coin.
        services.random.values = {0.5 / 20, 0.5 / 2, TestServices::drawing(3, 3),
                                  TestServices::drawing(4, 18)};
        ui::Screen::chooseFullScreen(true);
        auto* form13 = qobject_cast<MoneyScreen*>(openScreen(ScreenId(Exercise::PayingWithMoney)));
        QVERIFY(form13);
        const double factor = form13->contentScale();
        QVERIFY(factor > 1.6); // below a menu bar a fingertip high

        const struct {
            int slot;
            ui::TwipsRect place;
        } pieces[] = {{0, {120, 1560, 1450, 850}}, {1, {1680, 1560, 800, 800}}};
        for (const auto& piece : pieces) {
            ui::PictureSlot* slot = form13->Image1[piece.slot];
            QVERIFY(slot->hasPicture());
            QVERIFY(placedAt(slot, piece.place, factor));
            // Drawn at the size shown, not stretched from the designed size.
            QCOMPARE(slot->shownPicture().size(), slot->size() * slot->devicePixelRatioF());
        }
        QVERIFY(follows(form13->Command3D1->iconSize().width(), 32, factor));

        // Back at the designed size, the coin's slot is as designed.
        QVERIFY(QTest::qWaitForWindowActive(form13));
        QTest::keyClick(form13->focusWidget(), Qt::Key_F11);
        QTRY_COMPARE(form13->contentScale(), 1.0);
        QCOMPARE(form13->Image1[1]->geometry(), ui::twipsRect(1680, 1560, 800, 800));
        QCOMPARE(form13->Image1[1]->shownPicture().size(), QSize(53, 53));
        QCOMPARE(form13->Command3D1->iconSize(), QSize(32, 32));
    }

    // F11 on any screen; the choice holds as the pupil goes from screen to screen.
    void fullScreenHoldsAcrossTheChain() {
        TestServices services;
        services.setCatalogue({{QStringLiteral("quaderno"), 800, 1000}});
        services.random.fallback = 0.5;
        auto* avvio = qobject_cast<FormAvvio*>(openScreen(ScreenId::Avvio));
        QCOMPARE(avvio->size(), QSize(845, 541));

        QVERIFY(QTest::qWaitForWindowActive(avvio));
        QTest::keyClick(avvio->Command1, Qt::Key_F11);
        QVERIFY(avvio->isFullScreen());
        QTRY_COMPARE(avvio->size(), Monitor);
        QCOMPARE(avvio->contentScale(), 1080.0 / 541);

        QTest::keyClick(avvio->Command1, Qt::Key_Return);
        auto* menu = qobject_cast<FormMenu*>(currentScreen());
        QVERIFY(menu);
        QVERIFY(menu->isFullScreen());
        QTRY_COMPARE(menu->size(), Monitor);
        QCOMPARE(menu->contentScale(), 1080.0 / 480);
        QCOMPARE(menu->focusWidget(), menu->Command.value(1));

        QTest::mouseClick(menu->Command.value(6), Qt::LeftButton);
        auto* form1 = qobject_cast<PurchaseScreen*>(currentScreen());
        QVERIFY(form1);
        QVERIFY(form1->isFullScreen());
        QTRY_COMPARE(form1->size(), Monitor);
        QCOMPARE(form1->focusWidget(), form1->Text1);

        // Back to a window, held down: it switches once, to the designed size.
        QVERIFY(QTest::qWaitForWindowActive(form1));
        QTest::keyPress(form1->Text1, Qt::Key_F11);
        QTest::simulateEvent(form1->Text1, true, Qt::Key_F11, Qt::NoModifier, {}, true);
        QTest::keyRelease(form1->Text1, Qt::Key_F11);
        QVERIFY(!form1->isFullScreen());
        QTRY_COMPARE(form1->client()->size(), QSize(721, 602));
        QCOMPARE(form1->contentScale(), 1.0);
        QCOMPARE(form1->focusWidget(), form1->Text1);

        services.messages.answers = {platform::Answer::Yes};
        pupil::choose(form1->mnuEsci);
        auto* menuAgain = qobject_cast<FormMenu*>(currentScreen());
        QVERIFY(menuAgain);
        QVERIFY(!menuAgain->isFullScreen());
        QCOMPARE(menuAgain->size(), QSize(640, 480));
    }

    // The command line's choice: the very first screen opens full screen.
    void fullScreenFromTheStart() {
        TestServices services;
        ui::Screen::chooseFullScreen(true);
        auto* avvio = qobject_cast<FormAvvio*>(openScreen(ScreenId::Avvio));
        QVERIFY(avvio->isFullScreen());
        QTRY_COMPARE(avvio->size(), Monitor);
        QCOMPARE(avvio->focusWidget(), avvio->Command1);
        QVERIFY(QTest::qWaitForWindowActive(avvio));
        QTest::keyClick(avvio->Command1, Qt::Key_F11);
        QTRY_COMPARE(avvio->size(), QSize(845, 541));
    }

    void contrastRatioIsWcags_data() {
        QTest::addColumn<QColor>("a");
        QTest::addColumn<QColor>("b");
        QTest::addColumn<double>("ratio");
        // Reference values from the WCAG 2.1 formula.
        QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
        QTest::newRow("same colour") << QColor(0x80, 0x40, 0x20) << QColor(0x80, 0x40, 0x20) << 1.0;
        QTest::newRow("#777 on white") << QColor(0x77, 0x77, 0x77) << QColor(Qt::white) << 4.48;
        QTest::newRow("blue on white") << QColor(Qt::blue) << QColor(Qt::white) << 8.59;
        QTest::newRow("white on red") << QColor(Qt::white) << QColor(Qt::red) << 4.0;
    }
    void contrastRatioIsWcags() {
        QFETCH(QColor, a);
        QFETCH(QColor, b);
        QFETCH(double, ratio);
        QVERIFY(std::abs(ui::contrastRatio(a, b) - ratio) < 0.01);
        QVERIFY(std::abs(ui::contrastRatio(b, a) - ratio) < 0.01);
    }

    // Every entry of the colour table, as the pupil sees it: the text straight
    // on the background reads, in black wherever black does.
    void textReadsOnEveryBackground_data() {
        QTest::addColumn<int>("entry");
        for (int entry = 1; entry <= 18; ++entry)
            QTest::addRow("entry %d", entry) << entry;
    }
    void textReadsOnEveryBackground() {
        QFETCH(int, entry);
        const QColor background = ui::colourFromBgr(ModuloColoriSuoni::Colori[entry]);
        const bool blackReads = ui::contrastRatio(Qt::black, background) >= 4.5;
        const QColor text = blackReads ? QColor(Qt::black) : QColor(Qt::white);
        QVERIFY(ui::contrastRatio(text, background) >= 4.5);

        TestServices services;
        services.random.values = {TestServices::drawing(entry, 18)};
        auto* avvio = qobject_cast<FormAvvio*>(openScreen(ScreenId::Avvio));
        PurchaseScreen* form1 = openForm1(services, entry);
        QCOMPARE(form1->palette().color(QPalette::Window), background);
        QList<QWidget*> onBackground = {avvio->Label2[0],       avvio->Label2[1],
                                        form1->Label1,          form1->Label2,
                                        form1->EtichettaEsatti, form1->EtichettaErrati};
        for (ui::Label* heading : form1->Label6)
            onBackground << heading;
        for (QWidget* label : onBackground) {
            const QSet<QRgb> painted = paintedColours(label);
            QVERIFY2(painted.contains(text.rgb()), qPrintable(static_cast<QLabel*>(label)->text()));
            QVERIFY(!painted.contains((blackReads ? QColor(Qt::white) : QColor(Qt::black)).rgb()));
        }
        // The white boxes keep black text.
        for (QWidget* own : QList<QWidget*>{form1->Label3, form1->Label4, form1->Label5}) {
            const QSet<QRgb> painted = paintedColours(own);
            QVERIFY(painted.contains(QColor(Qt::black).rgb()));
        }
        QCOMPARE(form1->Text1->palette().color(QPalette::Text), QColor(Qt::black));
        QCOMPARE(form1->Text1->palette().color(QPalette::Base), QColor(Qt::white));
    }
};

int main(int argc, char* argv[]) {
    if (!useOffscreenDisplay(Monitor))
        return 1;
    QApplication app(argc, argv);
    DisplayTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_display.moc"

// Every caption must fit its box at the size the screens ask for, with the
// faces that stand in for Arial and MS Sans Serif.
#include "app/AllScreens.h"
#include "exercises/GainLossScreen.h"
#include "exercises/MoneyScreen.h"
#include "exercises/ProfitScreen.h"
#include "exercises/PurchaseScreen.h"
#include "exercises/TableScreen.h"
#include "platform/PlatformServices.h"
#include "shell/FormAvvio.h"
#include "shell/FormMenu.h"
#include "shell/Lesson.h"
#include "shell/Modulo1.h"
#include "shell/ScreenChain.h"
#include "support/TestServices.h"
#include "ui/LevelStars.h"
#include "ui/NumberPad.h"
#include "ui/Twips.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

// The display this run of the test stands for: the school's, or one given
// to a run of its own by the table of displays below.
QSize testDisplay() {
    const QList<QByteArray> size = qgetenv("MERCANZOLA_TEST_DISPLAY").split('x');
    return size.size() == 2 ? QSize(size[0].toInt(), size[1].toInt()) : QSize(1366, 768);
}

QRect onDisplay(const QWidget* widget) {
    return {widget->mapToGlobal(QPoint()), widget->size()};
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

    // Drawn at the designed size, or scaled up to fill a window of the given factor.
    static void checkCaptionsFit(ui::Screen* screen, double factor = 1.0) {
        screen->show();
        if (factor != 1.0) {
            screen->resize(screen->size() * factor);
            QTRY_VERIFY(screen->contentScale() >= factor - 0.01);
        }
        for (QLabel* label : screen->findChildren<QLabel*>()) {
            const QFontMetrics metrics(label->font());
            const QRect room = label->contentsRect();
            QVERIFY2(metrics.horizontalAdvance(label->text()) <= room.width() &&
                         metrics.height() <= room.height(),
                     qPrintable(label->text()));
        }
        for (QPushButton* button : screen->findChildren<QPushButton*>()) {
            const QFontMetrics metrics(button->font());
            const int iconRoom = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
            QVERIFY2(metrics.horizontalAdvance(button->text()) + iconRoom + 8 <= button->width(),
                     qPrintable(button->text()));
        }
        screen->close();
    }

    // Every control of the screen on the display, the pad beside the content
    // or below it on a display taller than wide, nothing over anything else;
    // in full screen content and pad together in the middle, and the menu
    // bar and the question a fingertip high at the screen's factor.
    static void checkEveryKeyOnDisplay(ui::Screen* screen, bool fullScreen, bool withStars,
                                       const QString& what) {
        const QRect display =
            fullScreen ? screen->screen()->geometry() : screen->screen()->availableGeometry();
        QTRY_VERIFY2(display.contains(screen->frameGeometry()), qPrintable(what));
        for (const QWidget* control : screen->findChildren<QWidget*>())
            if (control->isVisible() && !control->isWindow())
                QVERIFY2(display.contains(onDisplay(control)),
                         qPrintable(what + ": " + control->accessibleName()));
        const double factor = qMax(1.0, screen->contentScale());
        const QRect content = onDisplay(screen->client());
        QRect whole = content;
        if (const ui::NumberPad* pad = screen->numberPad(); pad && pad->isVisible()) {
            const QRect strip = onDisplay(pad);
            QVERIFY2(!strip.intersects(content), qPrintable(what));
            if (display.height() > display.width())
                QVERIFY2(strip.top() == content.bottom() + 1, qPrintable(what + ": below"));
            else
                QVERIFY2(strip.left() == content.right() + 1, qPrintable(what + ": beside"));
            whole |= strip;
        }
        if (fullScreen)
            QVERIFY2(std::abs(whole.center().x() - display.center().x()) <= display.width() / 20,
                     qPrintable(what + ": centred"));
        const bool byFinger =
            fullScreen || (screen->numberPad() && screen->numberPad()->isVisible());
        if (QMenuBar* bar = screen->menuBar(); bar && byFinger)
            for (QAction* item : bar->actions())
                QVERIFY2(bar->actionGeometry(item).height() >= int(48 * factor * 0.98),
                         qPrintable(what + ": " + item->text()));
        // The level's stars, on an exercise screen with levels on: in the menu
        // bar's corner, on the display, over none of its items, the content or the pad.
        const auto* stars = screen->findChild<ui::LevelStars*>();
        QCOMPARE(stars && stars->isVisible(), withStars);
        if (withStars) {
            const QRect place = onDisplay(stars);
            QVERIFY2(display.contains(place) && onDisplay(screen->menuBar()).contains(place),
                     qPrintable(what + ": stars"));
            QVERIFY2(!place.intersects(whole) && place.height() >= 8, qPrintable(what + ": stars"));
            for (QAction* item : screen->menuBar()->actions())
                QVERIFY2(!place.intersects(screen->menuBar()->actionGeometry(item).translated(
                             screen->menuBar()->mapToGlobal(QPoint()))),
                         qPrintable(what + ": stars over " + item->text()));
        }
        if (!screen->menuBar())
            return;
        QList<QRect> buttons; // "Sì" and "No" of the question
        QTimer::singleShot(0, [&buttons] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            for (const QAbstractButton* button : box->buttons())
                buttons << onDisplay(button);
            box->reject();
        });
        platform::QtMessageBoxes().ask(screen, QStringLiteral("Vuoi tornare al menù?"));
        QCOMPARE(buttons.size(), 2);
        for (const QRect& button : buttons)
            QVERIFY2(button.height() >= int(48 * factor) && display.contains(button),
                     qPrintable(what + ": Sì/No"));
    }

private slots:
    void initTestCase() { setUpItalianProgram(); }

    // The displays of real tablets, laptops and boards; each runs the test
    // again on a display of that size, in a window and in full screen, with
    // the pad and without.
    void everyKeyOnDisplay_data() {
        QTest::addColumn<QSize>("display");
        QTest::newRow("tablet upright") << QSize(800, 1280);
        QTest::newRow("old board") << QSize(1024, 768);
        QTest::newRow("tablet") << QSize(1280, 800);
        QTest::newRow("laptop") << QSize(1366, 768);
        QTest::newRow("board") << QSize(1920, 1080);
        QTest::newRow("4K board") << QSize(3840, 2160);
    }
    void everyKeyOnDisplay() {
        QFETCH(QSize, display);
        if (display != testDisplay()) {
            QProcess run;
            run.setProcessChannelMode(QProcess::MergedChannels);
            qputenv("MERCANZOLA_TEST_DISPLAY",
                    QStringLiteral("%1x%2").arg(display.width()).arg(display.height()).toLatin1());
            run.start(QCoreApplication::applicationFilePath(),
                      {QStringLiteral("everyKeyOnDisplay:") + QTest::currentDataTag()});
            QVERIFY2(run.waitForFinished(60000) && run.exitCode() == 0, run.readAll().constData());
            return;
        }
        TestServices services;
        services.setCatalogue({{QStringLiteral("penna a sfera"), 400, 600}});
        for (bool fullScreen : {false, true})
            for (bool pad : {false, true}) {
                ui::Screen::chooseFullScreen(fullScreen);
                ui::NumberPad::choose(pad ? ui::NumberPad::Choice::Shown
                                          : ui::NumberPad::Choice::Hidden);
                // Levels on, with the pad or in full screen alone.
                const bool levels = pad != fullScreen;
                testLesson().chooseLevels(
                    std::vector<LevelChoice>(ExerciseCount, {levels ? 2 : 0, false}));
                for (ScreenId id : startAndExerciseScreens()) {
                    ui::Screen* screen = openScreen(id, nullptr);
                    checkEveryKeyOnDisplay(screen, fullScreen, levels && id.exercise().has_value(),
                                           QStringLiteral("%1%2, %3")
                                               .arg(fullScreen ? "full screen" : "window",
                                                    pad ? " with the pad" : "",
                                                    screen->accessibleName()));
                    closeAllWindows();
                }
            }
        ui::Screen::chooseFullScreen(false);
        ui::NumberPad::choose(ui::NumberPad::Choice::Automatic);
    }

    void arialResolvesToAMetricCompatibleFace() {
        for (const char* family : {"Arial", "MS Sans Serif"})
            QCOMPARE(QFontInfo(QFont(QString::fromLatin1(family))).family(),
                     QStringLiteral("Liberation Sans"));
    }

    void captionsFitTheirBoxes_data() {
        QTest::addColumn<double>("factor");
        QTest::newRow("as designed") << 1.0;
        QTest::newRow("a whiteboard") << 1.6;
        QTest::newRow("full HD") << 2.25;
    }
    void captionsFitTheirBoxes() {
        QFETCH(double, factor);
        TestServices services;
        // The widest name of the default catalogue, with an amount wider than any price.
        QFile shipped(QStringLiteral(MERCANZOLA_SOURCE_DIR "/data/lista.txt"));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        services.writeFile(QStringLiteral("lista.txt"), shipped.readAll());
        Modulo1::CaricaLista(testLesson());
        const QFontMetrics metrics(ui::screenFont(QStringLiteral("Arial"), 14.25));
        QString widest;
        for (const CatalogueRecord& record : testLesson().catalogue().records)
            if (metrics.horizontalAdvance(record.name) > metrics.horizontalAdvance(widest))
                widest = record.name;
        services.setCatalogue({{widest, 1, 9999999}});
        services.random.fallback = 0.999;
        checkCaptionsFit(new FormAvvio, factor);
        checkCaptionsFit(new FormMenu, factor);
        for (auto make : {newForm1, newForm2, newForm3, newForm4, newForm5, newForm6, newForm7,
                          newForm8, newForm9, newForm10, newForm11, newForm12, newForm13}) {
            ui::Screen* screen = make(testLesson());
            screen->Form_Load();
            checkCaptionsFit(screen, factor);
        }
    }

    // A catalogue at the largest prices either way: the widest amounts fit
    // their boxes whole, minus sign and all, as would the same amounts in euro.
    void widestAmountsFitTheirBoxes_data() {
        QTest::addColumn<bool>("typed"); // in Form10's answer box, or else shown on Form11
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("inEuro");
        QTest::newRow("a price times 10") << false << "-1.000.000.000.000"
                                          << "-10.000.000.000,00";
        QTest::newRow("a difference times 10, typed and judged right")
            << true << "-2.000.000.000.000"
            << "-20.000.000.000,00";
    }
    void widestAmountsFitTheirBoxes() {
        QFETCH(bool, typed);
        QFETCH(QString, shown);
        QFETCH(QString, inEuro);
        TestServices services;
        services.writeFile(QStringLiteral("lista.txt"), "oro,100000000000,-100000000000\r\n");
        Modulo1::CaricaLista(testLesson());
        services.random.fallback = 0.999; // as many of it as can be
        auto* table = static_cast<TableScreen*>((typed ? newForm10 : newForm11)(testLesson()));
        table->Form_Load();
        table->show();
        QWidget* box = typed ? static_cast<QWidget*>(table->Text4) : table->Label5;
        if (typed)
            pupil::type(table->Text4, shown);
        QCOMPARE(typed ? table->Text4->text() : table->Label5->text(), shown);
        // Inside a label's frame and margin, or an answer box's edge and Qt's margin.
        const int room =
            box->contentsRect().width() - 2 * (typed ? 1 + 2 : table->Label5->margin());
        for (const QString& text : {shown, inEuro})
            QVERIFY2(QFontMetrics(box->font()).horizontalAdvance(text) <= room, qPrintable(text));
        if (typed) {
            pupil::enter(table->Text4);
            QCOMPARE(table->EtichettaEsatti->text(), " 1");
        }
        table->close();
    }
};

int main(int argc, char* argv[]) {
    if (!useOffscreenDisplay(testDisplay()))
        return 1;
    QApplication app(argc, argv);
    LayoutTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_layout.moc"

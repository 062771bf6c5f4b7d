// What the pupil sees on every background of the colour table: the focused
// button's ring and the value labels' boxes stand out from the background on
// all four sides. And what a screen reader says of a value label.

#include "app/AllScreens.h"
#include "frame/ExerciseScreen.h"
#include "shell/ModuloColoriSuoni.h"
#include "shell/ScreenChain.h"
#include "support/TestServices.h"
#include "ui/Twips.h"

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <cmath>
#include <functional>

namespace {

double luminance(QRgb pixel) {
    auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(pixel)) + 0.7152 * channel(qGreen(pixel)) +
           0.0722 * channel(qBlue(pixel));
}

// The contrast ratio of two colours, 1 to 21; 3 is what a line needs to be seen.
double contrast(QRgb a, QRgb b) {
    const double la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

constexpr double SeenContrast = 3.0;

// The control and a band of `around` pixels of what lies behind it, as drawn.
QImage drawnWithSurroundings(QWidget* control, int around) {
    QWidget* window = control->window();
    const QRect place(control->mapTo(window, QPoint()), control->size());
    return window->grab(place.adjusted(-around, -around, around, around)).toImage();
}

// One side of a control's edge, walked from one end to the other: the point on
// the edge and the step that leads inwards.
struct Side {
    const char* name;
    QPoint start, along, inwards;
    int length;
};

QList<Side> sidesOf(QSize size) {
    const int w = size.width(), h = size.height();
    return {{"top", {0, 0}, {1, 0}, {0, 1}, w},
            {"bottom", {0, h - 1}, {1, 0}, {0, -1}, w},
            {"left", {0, 0}, {0, 1}, {1, 0}, h},
            {"right", {w - 1, 0}, {0, 1}, {-1, 0}, h}};
}

// Whether, all along every side, something on the edge stands out from the
// background behind the control: one of the `depth` outermost lines, or what
// lies `inside` pixels in. Corners are skipped: rounding belongs to the style.
QString firstUnseenEdge(QWidget* control, int depth, int inside) {
    constexpr int Around = 2;
    const QImage drawn = drawnWithSurroundings(control, Around);
    const QPoint offset(Around, Around);
    for (const Side& side : sidesOf(control->size())) {
        for (int i = 3; i < side.length - 3; ++i) {
            const QPoint edge = offset + side.start + side.along * i;
            const QRgb behind = drawn.pixel(edge - side.inwards * Around);
            double best = contrast(drawn.pixel(edge + side.inwards * inside), behind);
            for (int d = 0; d < depth; ++d)
                best = qMax(best, contrast(drawn.pixel(edge + side.inwards * d), behind));
            if (best < SeenContrast)
                return QStringLiteral("%1 side, pixel %2: contrast %3")
                    .arg(side.name)
                    .arg(i)
                    .arg(best, 0, 'f', 2);
        }
    }
    return QString();
}

} // namespace

class TestLooks : public QObject {
    Q_OBJECT

    // Opens the start screen, the menu and every exercise built so far, one at
    // a time, on the background `bgr` with the laughing face shown, and hands
    // each to `look`.
    static void eachScreenOn(quint32 bgr,
                             const std::function<void(const QString&, ui::Screen*)>& look) {
        TestServices s;
        s.setCatalogue({{"matita", 300, 500}});
        const std::vector<ScreenId> screens = startAndExerciseScreens();
        for (int id = 0; id < int(screens.size()); ++id) {
            if (!isScreenAvailable(screens[id]))
                continue;
            ui::Screen* screen = openScreen(screens[id]);
            screen->setBackground(bgr);
            if (auto* exercise = qobject_cast<ExerciseScreen*>(screen)) {
                exercise->ComandoIconaSi->show();
                exercise->ComandoIconaNo->hide();
            }
            QVERIFY(QTest::qWaitForWindowActive(screen));
            look(QStringLiteral("screen %1").arg(id), screen);
            closeAllWindows();
            if (QTest::currentTestFailed())
                return;
        }
    }

    static void backgrounds() {
        QTest::addColumn<quint32>("bgr");
        QSet<quint32> seen;
        for (std::size_t i = 1; i < ModuloColoriSuoni::Colori.size(); ++i) {
            const quint32 bgr = ModuloColoriSuoni::Colori[i];
            if (!seen.contains(bgr)) {
                seen.insert(bgr);
                QTest::newRow(qPrintable(ui::colourFromBgr(bgr).name())) << bgr;
            }
        }
    }

private slots:
    void initTestCase() { setUpItalianProgram(); }
    void cleanup() { closeAllWindows(); }

    // Every button that takes the keyboard, on the start screen, the menu and
    // each exercise (the faces shown): focused, its ring is seen against the
    // background and against the button itself.
    void focusRingStandsOut_data() { backgrounds(); }
    void focusRingStandsOut() {
        QFETCH(quint32, bgr);
        int rings = 0;
        eachScreenOn(bgr, [&](const QString& where, ui::Screen* screen) {
            for (QPushButton* button : screen->findChildren<QPushButton*>()) {
                if (!button->isVisible() || !button->isEnabled() ||
                    !(button->focusPolicy() & Qt::TabFocus))
                    continue;
                button->setFocus();
                const QString what = QStringLiteral("%1, button \"%2\" (%3)")
                                         .arg(where, button->text(), button->accessibleName());
                QVERIFY2(button->hasFocus(), qPrintable(what));
                ++rings;
                // Against the background: one of the ring's 3 lines.
                const QString unseen = firstUnseenEdge(button, 3, 0);
                QVERIFY2(unseen.isNull(), qPrintable(what + ": " + unseen));
                // Against the button: the ring's innermost line and the face.
                const QImage drawn = button->grab().toImage();
                const QRgb face = drawn.pixel(6, button->height() / 2);
                QVERIFY2(contrast(drawn.pixel(2, button->height() / 2), face) >= SeenContrast,
                         qPrintable(what));
            }
        });
        QVERIFY(rings >= 1 + 14 + 2);
    }

    // Every bordered value label of every exercise is a closed box: each side
    // is seen against the background, through its line or the white inside.
    void valueLabelsAreClosedBoxes_data() { backgrounds(); }
    void valueLabelsAreClosedBoxes() {
        QFETCH(quint32, bgr);
        int boxes = 0;
        eachScreenOn(bgr, [&](const QString& where, ui::Screen* screen) {
            for (QLabel* label : screen->findChildren<QLabel*>()) {
                if (label->frameShape() == QFrame::NoFrame || !label->isVisible())
                    continue;
                ++boxes;
                const QString unseen = firstUnseenEdge(label, 1, 4);
                QVERIFY2(
                    unseen.isNull(),
                    qPrintable(QStringLiteral("%1, \"%2\": %3").arg(where, label->text(), unseen)));
            }
        });
        QVERIFY(boxes >= 3);
    }

    // A value label is heard with its heading, and with each new value; one
    // with no heading is heard as its text; a name given to a label wins.
    void valueLabelsAreHeardWithTheirHeading() {
        ui::Label value(QStringLiteral("Label4"), {QStringLiteral("Arial"), 14.25,
                                                   Qt::AlignRight | Qt::AlignVCenter, true, true});
        QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(&value);
        QVERIFY(heard);
        QCOMPARE(heard->role(), QAccessible::StaticText);
        QCOMPARE(heard->text(QAccessible::Name), "Label4");
        value.setHeading(QStringLiteral("costo unitario"));
        value.setText(QStringLiteral("1.200"));
        QCOMPARE(heard->text(QAccessible::Name), "costo unitario: 1.200");
        value.setHeading(QStringLiteral("quantità"));
        value.setText(QStringLiteral(" 3"));
        QCOMPARE(heard->text(QAccessible::Name), "quantità: 3");
        value.setAccessibleName(QStringLiteral("Esatti: 3"));
        QCOMPARE(heard->text(QAccessible::Name), "Esatti: 3");
    }
};

QTEST_MAIN(TestLooks)
#include "test_looks.moc"

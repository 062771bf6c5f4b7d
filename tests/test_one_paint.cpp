// Each screen's window is made at its final size, and the start screen is
// painted once: no resize, and no paint again, after the window exists.
#include "app/AllScreens.h"
#include "shell/FormAvvio.h"
#include "shell/ScreenChain.h"
#include "support/TestServices.h"
#include "ui/Screen.h"

#include <QPlatformSurfaceEvent>
#include <QTest>
#include <QWindow>

namespace {

// Notes the size a widget has when its native window is made, and its paints.
class Watch : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::PlatformSurface &&
            static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() ==
                QPlatformSurfaceEvent::SurfaceCreated) {
            // Backing stores and other surfaces get the event too.
            if (auto* window = qobject_cast<QWindow*>(watched))
                sizeAtCreation[watched] = window->size();
        }
        if (event->type() == QEvent::Paint)
            ++paints[watched];
        return false;
    }
    QHash<QObject*, QSize> sizeAtCreation;
    QHash<QObject*, int> paints;
};

} // namespace

class OnePaintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        setUpToolkit();
        registerAllScreens(testLesson());
    }

    void windowsMadeAtTheirFinalSize() {
        TestServices t;
        t.setCatalogue({{QStringLiteral("matita"), 250, 400}});
        const std::vector<ScreenId> screens = startAndExerciseScreens();
        for (int id = 0; id < int(screens.size()); ++id) {
            if (!isScreenAvailable(screens[id]))
                continue;
            Watch watch;
            qApp->installEventFilter(&watch);
            ui::Screen* screen = openScreen(screens[id], currentScreen());
            QVERIFY(QTest::qWaitForWindowExposed(screen));
            qApp->removeEventFilter(&watch);
            QVERIFY2(screen->size() == screen->sizeHint(), qPrintable(QString::number(id)));
            QCOMPARE(watch.sizeAtCreation.value(screen->windowHandle()), screen->size());
        }
        currentScreen()->close();
    }

    void startScreenPaintedOnce() {
        TestServices t;
        Watch watch;
        qApp->installEventFilter(&watch);
        auto* start = static_cast<FormAvvio*>(openScreen(ScreenId::Avvio));
        QVERIFY(QTest::qWaitForWindowExposed(start));
        QTest::qWait(100);
        qApp->removeEventFilter(&watch);
        for (QWidget* control : std::initializer_list<QWidget*>{start, start->Label2[0],
                                                                start->Label2[1], start->Command1})
            QCOMPARE(watch.paints.value(control), 1);
        start->close();
    }
};

QTEST_MAIN(OnePaintTest)
#include "test_one_paint.moc"

// The small services every screen calls: colours, sounds, the two program
// dialogs, random draws, and the reporting of a failure.

#include "app/AllScreens.h"
#include "model/ProgramError.h"
#include "platform/PlatformServices.h"
#include "shell/FatalReport.h"
#include "shell/Modulo1.h"
#include "shell/ModuloColoriSuoni.h"
#include "shell/Random.h"
#include "support/TestServices.h"
#include "ui/ErrorGuard.h"
#include "ui/Screen.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

using ModuloColoriSuoni::ColoreCasuale;

namespace {

const double JustBelowOne = std::nextafter(1.0, 0.0);

// The colour table, 0x00BBGGRR, entries 1 to 18.
const quint32 Colours[19] = {0,        0xC0C0FF, 0x8080FF, 0x0000FF, 0x80C0FF, 0x0080FF, 0xC0FFFF,
                             0x00FFFF, 0x0040C0, 0x80FF80, 0x00C000, 0xFFFFC0, 0xFFFF00, 0xFFC0C0,
                             0xFFC0FF, 0xFFC0FF, 0xE0E0E0, 0xFF0000, 0xFF00FF};

// A message box service whose error box itself runs into another failure.
class FailingAgainMessages : public FakeMessages {
public:
    void reportError(const QString& text) override {
        FakeMessages::reportError(text);
        reportFatalError(QStringLiteral("seconda"));
    }
};

} // namespace

class TestServicesSpine : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void colourTableEntries();
    void coloursOverManyDraws();
    void rightSound_data();
    void rightSound();
    void rightSoundsEquallyLikely();
    void wrongSound();
    void draws_data();
    void draws();
    void clockRandomStaysBelowOne();
    void informationBox();
    void exitQuestion();
    void fatalReport();
    void fatalReportOnlyOnce();
    void handlerErrorsAreReported();
};

void TestServicesSpine::initTestCase() {
    setUpToolkit();
}

void TestServicesSpine::colourTableEntries() {
    TestServices t;
    for (int k = 1; k <= 18; ++k) {
        t.random.values = {TestServices::drawing(k, 18)};
        QCOMPARE(ColoreCasuale(), Colours[k]);
        QVERIFY(t.random.values.isEmpty());
    }
    t.random.values = {0.0, JustBelowOne};
    QCOMPARE(ColoreCasuale(), 0xC0C0FFu);
    QCOMPARE(ColoreCasuale(), 0xFF00FFu);
}

void TestServicesSpine::coloursOverManyDraws() {
    TestServices t;
    const int draws = 18 * 100;
    QMap<quint32, int> seen;
    for (int i = 0; i < draws; ++i) {
        t.random.values = {(i + 0.5) / draws};
        ++seen[ColoreCasuale()];
    }
    const QList<quint32> distinct(std::begin(Colours) + 1, std::end(Colours));
    QCOMPARE(seen.size(), 17);
    QVERIFY(!seen.contains(0));
    for (auto it = seen.cbegin(); it != seen.cend(); ++it) {
        QVERIFY2(distinct.contains(it.key()), qPrintable(QString::number(it.key(), 16)));
        QCOMPARE(it.value(), it.key() == 0xFFC0FF ? 200 : 100);
    }
}

void TestServicesSpine::rightSound_data() {
    QTest::addColumn<double>("r");
    QTest::addColumn<QString>("file");
    QTest::newRow("0") << 0.0 << "suoni/si1.wav";
    QTest::newRow("0.2499") << 0.2499 << "suoni/si1.wav";
    QTest::newRow("0.25") << 0.25 << "suoni/si2.wav";
    QTest::newRow("0.5") << 0.5 << "suoni/si3.wav";
    QTest::newRow("0.7499") << 0.7499 << "suoni/si3.wav";
    QTest::newRow("0.75") << 0.75 << "suoni/si4.wav";
    QTest::newRow("below 1") << JustBelowOne << "suoni/si4.wav";
}

void TestServicesSpine::rightSound() {
    QFETCH(double, r);
    QFETCH(QString, file);
    TestServices t;
    t.random.values = {r, 0.9};
    Modulo1::SuonoEsatto();
    QCOMPARE(t.sounds.played, QStringList{QDir(t.folder.path()).filePath(file)});
    QCOMPARE(t.random.values.size(), 1); // one draw taken
    QVERIFY(t.messages.informed.isEmpty() && t.messages.asked.isEmpty());
}

void TestServicesSpine::rightSoundsEquallyLikely() {
    TestServices t;
    const int draws = 400;
    for (int i = 0; i < draws; ++i) {
        t.random.values = {(i + 0.5) / draws};
        Modulo1::SuonoEsatto();
    }
    QMap<QString, int> heard;
    for (const QString& path : t.sounds.played)
        ++heard[QFileInfo(path).fileName()];
    const QMap<QString, int> expected{
        {"si1.wav", 100}, {"si2.wav", 100}, {"si3.wav", 100}, {"si4.wav", 100}};
    QCOMPARE(heard, expected);
}

void TestServicesSpine::wrongSound() {
    TestServices t;
    t.random.values = {0.0, 0.9};
    ModuloColoriSuoni::SuonoErrato();
    ModuloColoriSuoni::SuonoErrato();
    const QString no = QDir(t.folder.path()).filePath(QStringLiteral("suoni/no.wav"));
    QCOMPARE(t.sounds.played, (QStringList{no, no}));
    QCOMPARE(t.random.values.size(), 2); // draws nothing
}

void TestServicesSpine::draws_data() {
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("from1");
    QTest::addColumn<int>("below");
    QTest::newRow("0 of 18") << 0.0 << 18 << 1 << 0;
    QTest::newRow("top of 18") << JustBelowOne << 18 << 18 << 17;
    QTest::newRow("top of 11") << JustBelowOne << 11 << 11 << 10;
    QTest::newRow("half of 4") << 0.5 << 4 << 3 << 2;
    QTest::newRow("quarter of 4") << 0.25 << 4 << 2 << 1;
    QTest::newRow("just under a quarter") << 0.2499 << 4 << 1 << 0;
    QTest::newRow("one of one") << 0.7 << 1 << 1 << 0;
}

void TestServicesSpine::draws() {
    QFETCH(double, r);
    QFETCH(int, n);
    QFETCH(int, from1);
    QFETCH(int, below);
    TestServices t;
    t.random.values = {r, r};
    QCOMPARE(drawFrom1To(n), from1);
    QCOMPARE(drawBelow(n), below);
    QVERIFY(t.random.values.isEmpty());
}

void TestServicesSpine::clockRandomStaysBelowOne() {
    platform::ClockRandomSource source;
    double lowest = 1.0;
    double highest = 0.0;
    double sum = 0.0;
    const int draws = 200000;
    for (int i = 0; i < draws; ++i) {
        const double r = source.next();
        QVERIFY(r >= 0.0 && r < 1.0);
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
        sum += r;
    }
    QVERIFY(lowest < 0.001);
    QVERIFY(highest > 0.999);
    QVERIFY(std::abs(sum / draws - 0.5) < 0.01);
}

void TestServicesSpine::informationBox() {
    TestServices t;
    Modulo1::MostraInformazioni();
    QCOMPARE(t.messages.informed.size(), 1);
    const QStringList lines = t.messages.informed.first().split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 3);
    QVERIFY(!lines[0].trimmed().isEmpty());
    QCOMPARE(lines[1], QStringLiteral(" ----------------------- "));
    QCOMPARE(lines[1].size(), 25);
    QVERIFY(lines[2].startsWith(QStringLiteral("e-mail: ")));
    QVERIFY(lines[2].size() > 8);
    QVERIFY(!lines[0].contains(u'\n') && !lines[2].contains(u'\r'));
    QVERIFY(t.messages.asked.isEmpty());
    QVERIFY(t.endCodes.isEmpty());
    QVERIFY(t.sounds.played.isEmpty());
}

void TestServicesSpine::exitQuestion() {
    TestServices t;
    t.messages.answers = {platform::Answer::No};
    Modulo1::ChiediUscita();
    QCOMPARE(t.messages.asked, QStringList{"Vuoi uscire dal programma?"});
    QVERIFY(t.endCodes.isEmpty());

    t.messages.answers = {platform::Answer::Yes};
    Modulo1::ChiediUscita();
    QCOMPARE(t.messages.asked.size(), 2);
    QCOMPARE(t.messages.asked.last(), QStringLiteral("Vuoi uscire dal programma?"));
    QCOMPARE(t.endCodes, QList<int>{0});
    QVERIFY(t.messages.informed.isEmpty());
}

void TestServicesSpine::fatalReport() {
    TestServices t;
    reportFatalError(QStringLiteral("Manca qualcosa."));
    QCOMPARE(t.messages.errors, QStringList{"Manca qualcosa."});
    QCOMPARE(t.endCodes, QList<int>{1});

    const OverflowError overflow(QStringLiteral("un conteggio"));
    reportFatalError(&overflow);
    QCOMPARE(t.messages.errors.last(), overflow.text());

    const std::runtime_error unknown("boom");
    reportFatalError(&unknown);
    QVERIFY(t.messages.errors.last().contains(QStringLiteral("boom")));

    reportFatalError(nullptr);
    QVERIFY(!t.messages.errors.last().isEmpty());
    QCOMPARE(t.messages.errors.size(), 4);
    QCOMPARE(t.endCodes, (QList<int>{1, 1, 1, 1}));
}

void TestServicesSpine::fatalReportOnlyOnce() {
    TestServices t;
    FailingAgainMessages messages;
    platform::services().messages = &messages;
    reportFatalError(QStringLiteral("prima"));
    QCOMPARE(messages.errors, QStringList{"prima"});
    QCOMPARE(t.endCodes, QList<int>{1});

    // Once the first report is over, the next failure is reported again.
    platform::services().messages = &t.messages;
    reportFatalError(QStringLiteral("dopo"));
    QCOMPARE(t.messages.errors, QStringList{"dopo"});
}

void TestServicesSpine::handlerErrorsAreReported() {
    TestServices t;
    ui::Screen screen(3000, 2000);
    QAction* item = screen.addMenuItem(QStringLiteral("Prova"),
                                       [] { throw OverflowError(QStringLiteral("un conteggio")); });
    auto* button = screen.place(new QPushButton(QStringLiteral("Prova")), 100, 100, 1200, 500);
    screen.onClick(button, [] { throw std::runtime_error("boom"); });
    screen.show();

    pupil::choose(item);
    QCOMPARE(t.messages.errors, QStringList{OverflowError(QStringLiteral("un conteggio")).text()});
    QCOMPARE(t.endCodes, QList<int>{1});

    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(t.messages.errors.size(), 2);
    QVERIFY(t.messages.errors.last().contains(QStringLiteral("boom")));
    QCOMPARE(t.endCodes, (QList<int>{1, 1}));

    ui::guarded([] { throw 42; });
    QCOMPARE(t.messages.errors.size(), 3);
    QCOMPARE(t.endCodes.size(), 3);

    bool ran = false;
    ui::guarded([&] { ran = true; });
    QVERIFY(ran);
    QCOMPARE(t.messages.errors.size(), 3);
}

QTEST_MAIN(TestServicesSpine)
#include "test_services.moc"

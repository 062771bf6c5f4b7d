// Paying with money: the revenue typed, the cost paid by clicking pieces of
// money on the board, the gain typed; "Ricomincia" lays the board out again.

#include "app/AllScreens.h"
#include "exercises/MoneyScreen.h"
#include "platform/PictureLoader.h"
#include "shell/Lesson.h"
#include "shell/Modulo1.h"
#include "support/TestServices.h"
#include "ui/CaptionedPictureButton.h"
#include "ui/PictureSlot.h"
#include "ui/Twips.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <cmath>
#include <memory>
#include <numeric>

namespace {

const QString AskRevenue = QStringLiteral(" Questa è la somma che hai ricavato");
const QString AskPayment = QStringLiteral("Clicca sul denaro che avevi utilizzato per pagare");
const double JustBelowOne = std::nextafter(1.0, 0.0);

// A typed dot becomes a space.
QString asTyped(QString text) {
    return text.replace(u'.', u' ');
}

// Decodes nothing: each file gives a plain picture of the asked size, and
// counts how often it was asked for.
class FakePictures : public platform::PictureLoader {
public:
    QImage load(const QString& path, const QSize& size) override {
        const QString name = QFileInfo(path).fileName();
        ++decoded[name];
        if (missing.contains(name))
            return {};
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        return picture;
    }
    QHash<QString, int> decoded;
    QStringList missing;
};

// The program's services with a fake picture source behind the real cache.
struct Board {
    TestServices s;
    FakePictures files;
    QStringList reported;
    platform::CachingPictureLoader pictures{files,
                                            [this](const QString& line) { reported << line; }};
    std::unique_ptr<MoneyScreen> screen;

    explicit Board(const QStringList& missing = {}) {
        files.missing = missing;
        platform::services().pictures = &pictures;
    }
    // The draws of one problem: cost 10 to 29, gain, scale 1 to 3, colour.
    void pose(int cost, int gain, int scale) {
        s.random.values << (cost - 10 + 0.5) / 20 << (gain - 0.5) / (cost / 5.0)
                        << TestServices::drawing(scale, 3) << TestServices::drawing(4, 18);
    }
    MoneyScreen* open(int cost, int gain, int scale) {
        pose(cost, gain, scale);
        screen.reset(static_cast<MoneyScreen*>(newForm13(testLesson())));
        screen->Form_Load();
        screen->show();
        return screen.get();
    }
    // The values of the pieces on the board, slot by slot up to the last one.
    QList<int> pieces() const {
        QList<int> values;
        for (ui::PictureSlot* slot : screen->Image1)
            if (slot->hasPicture())
                values << screen->pieceValue(slot->index());
        return values;
    }
    void click(int slot) { QTest::mouseClick(screen->Image1[slot], Qt::LeftButton); }
    void restart() { QTest::keyClick(screen->Command3D1, Qt::Key_Return); }
    QString counts() const {
        return screen->EtichettaEsatti->text() + "|" + screen->EtichettaErrati->text();
    }
    // What the pupil sees of the three states: the instruction, which boxes
    // and slots can be used, where the keyboard is.
    QString state() const {
        const QWidget* focus = screen->focusWidget();
        return QStringLiteral("%1 %2%3%4 %5")
            .arg(screen->Label4->text() == AskRevenue ? "revenue" : "pay")
            .arg(screen->Text1->isEnabled())
            .arg(screen->Image1[0]->isEnabled())
            .arg(screen->Text2->isEnabled())
            .arg(focus == screen->Text1   ? "Text1"
                 : focus == screen->Text2 ? "Text2"
                                          : "board");
    }
    // Label4, then whether Text1, the slots and Text2 are enabled, then the focus.
    static constexpr auto RevenueQuestion = "revenue 100 Text1";
    static constexpr auto Paying = "pay 010 board";
    static constexpr auto GainQuestion = "pay 011 Text2";
};

} // namespace

class TestMoneyBoard : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpItalianProgram(); }

    void workedCases_data() {
        QTest::addColumn<QList<int>>("draws"); // cost, gain, scale
        QTest::addColumn<QString>("cost");
        QTest::addColumn<QList<int>>("pieces");
        QTest::addColumn<QString>("revenue");
        QTest::addColumn<QList<int>>("paying");
        QTest::addColumn<QString>("gain");
        QTest::newRow("10.000 + 1.000")
            << QList{10, 1, 3} << "10.000" << QList{10000, 1000} << "11.000" << QList{0} << "1000";
        QTest::newRow("25.000 + 5.000, counted apart")
            << QList{25, 5, 3} << "25.000" << QList{10000, 10000, 5000, 5000} << "30000"
            << QList{0, 1, 2} << "5.000";
        QTest::newRow("2.300 + 400")
            << QList{23, 4, 1} << "2.300" << QList{2000, 200, 200, 200, 100} << "2.700"
            << QList{4, 0, 3} << "400";
        // Neither the ricavo nor the gain of the board is ever below zero.
        QTest::newRow("a minus dropped")
            << QList{23, 4, 1} << "2.300" << QList{2000, 200, 200, 200, 100} << "-2.700"
            << QList{4, 0, 3} << "-400";
        QTest::newRow("seven pieces")
            << QList{28, 3, 3} << "28.000" << QList{10000, 10000, 5000, 2000, 2000, 1000, 1000}
            << "31.000" << QList{6, 4, 2, 1, 0} << "3.000";
    }
    void workedCases() {
        QFETCH(QList<int>, draws);
        QFETCH(QString, cost);
        QFETCH(QList<int>, pieces);
        QFETCH(QString, revenue);
        QFETCH(QList<int>, paying);
        QFETCH(QString, gain);
        Board b;
        MoneyScreen* screen = b.open(draws[0], draws[1], draws[2]);

        QCOMPARE(screen->Label5->text(), "Avevo pagato la merce £. " + cost);
        QCOMPARE(b.pieces(), pieces);
        QCOMPARE(screen->Image1[0]->size(), QSize(ui::twipsToPixels(1450), ui::twipsToPixels(850)));
        if (pieces.size() == 7) {
            QCOMPARE(screen->Image1[6]->geometry(), ui::twipsRect(1680, 2520, 800, 800));
            QCOMPARE(screen->Image1[0]->accessibleName(), "banconota da 10.000 lire");
            QCOMPARE(screen->Image1[6]->accessibleName(), "moneta da 1.000 lire");
        }
        QCOMPARE(b.state(), Board::RevenueQuestion);
        pupil::enter(screen->Text1); // empty: reads 0
        pupil::answer(screen->Text1, cost);
        QCOMPARE(b.counts(), "0| 2");
        QCOMPARE(screen->Text1->text(), asTyped(cost));

        // A right revenue: the laughing face and a sound, no count.
        b.s.sounds.played.clear();
        pupil::answer(screen->Text1, revenue);
        QCOMPARE(b.counts(), "0| 2");
        QVERIFY(screen->ComandoIconaSi->isVisibleTo(screen));
        QCOMPARE(screen->Text1->text(), asTyped(revenue));
        for (int slot : paying) {
            QCOMPARE(b.state(), Board::Paying);
            b.click(slot);
            QCOMPARE(screen->Image1[slot]->accessibleName(), "posto vuoto");
        }
        QCOMPARE(b.state(), Board::GainQuestion);
        QCOMPARE(b.s.sounds.played.size(), 2);

        pupil::enter(screen->Text2);
        QCOMPARE(b.counts(), "0| 3");
        QCOMPARE(b.state(), Board::GainQuestion);
        b.s.random.values << 0.0; // the sound
        b.pose(10, 1, 1);
        pupil::answer(screen->Text2, gain);
        QCOMPARE(b.counts(), " 1| 3");
        QCOMPARE(b.pieces(), (QList{1000, 100}));
        QCOMPARE(screen->Image1[0]->size(), QSize(ui::twipsToPixels(800), ui::twipsToPixels(800)));
        QCOMPARE(b.state(), Board::RevenueQuestion);
        QCOMPARE(screen->Text1->text(), "");
    }

    // "Ricomincia" pressed with Enter in each state: the pieces come back and
    // count again, the empty Text1 takes the focus, no answer is judged.
    void restartInEachState_data() {
        QTest::addColumn<int>("state"); // 0 revenue, 1 paying, 2 gain
        QTest::newRow("revenue question") << 0;
        QTest::newRow("paying") << 1;
        QTest::newRow("gain question") << 2;
    }
    void restartInEachState() {
        QFETCH(int, state);
        Board b;
        MoneyScreen* screen = b.open(25, 5, 3);
        pupil::type(screen->Text1, "30.000");
        if (state > 0)
            pupil::enter(screen->Text1);
        for (int slot : QList{0, 1, 2}.first(state == 2 ? 3 : state))
            b.click(slot);
        if (state == 2)
            pupil::type(screen->Text2, "7");
        const QString counts = b.counts();

        b.restart();
        QCOMPARE(b.counts(), counts);
        QCOMPARE(b.pieces(), (QList{10000, 10000, 5000, 5000}));
        QCOMPARE(screen->Text1->text(), "");
        QCOMPARE(screen->Text2->text(), state == 2 ? "7" : "");
        QCOMPARE(b.state(), state ? "pay 110 Text1" : Board::RevenueQuestion);

        // Paying straight away leaves Text1 open for the revenue.
        if (state == 0)
            pupil::answer(screen->Text1, "30.000");
        for (int slot : {3, 1, 0})
            b.click(slot);
        QCOMPARE(b.state(), state ? "pay 111 Text2" : Board::GainQuestion);
    }

    // Only a piece still on the board pays, by mouse or keyboard; once the sum
    // has jumped past the cost, only "Ricomincia" lets it meet the cost again.
    void onlyPiecesOnTheBoardPay() {
        Board b;
        MoneyScreen* screen = b.open(25, 5, 3);
        pupil::answer(screen->Text1, "30000");
        b.s.sounds.played.clear();
        QTest::keyClick(screen->Image1[0], Qt::Key_Space); // 10.000, on to the next piece
        QCOMPARE(screen->focusWidget(), screen->Image1[1]);
        QCOMPARE(screen->Label4->text(), "Hai pagato £. 10.000 di 25.000");
        QTest::keyClick(screen->Image1[0], Qt::Key_Return); // taken already
        for (int slot : {0, 4, 17, 2})                      // taken, never held, never held, 15.000
            b.click(slot);
        QVERIFY(b.s.sounds.played.isEmpty());
        QTest::keyClick(screen->Image1[1], Qt::Key_Return);
        QCOMPARE(b.state(), Board::GainQuestion);
        QTest::keyClick(screen->Text2, Qt::Key_Backtab); // past the taken pieces
        QCOMPARE(screen->focusWidget(), screen->Image1[3]);

        b.restart();
        pupil::answer(screen->Text1, "30000");
        for (int slot : {3, 2, 1, 0}) // 5.000, 10.000, 20.000, 30.000
            b.click(slot);
        QCOMPARE(b.state(), Board::Paying);
        QCOMPARE(b.counts(), "0|0");
        // Paid past the cost: written on the board too, "Ricomincia" pointed out.
        QCOMPARE(screen->Label4->text(), "Hai pagato £. 30.000: è più del costo. Premi Ricomincia");
        QVERIFY(screen->Command3D1->pointedOut());
        b.restart();
        QVERIFY(!screen->Command3D1->pointedOut());
        QCOMPARE(b.state(), "pay 110 Text1");
    }

    // Each file is read once per program run; a missing one is reported once
    // and drawn in its place, and the exercise goes on.
    void picturesReadOnceMissingDrawn() {
        Board b({"mille.jpg"});
        MoneyScreen* screen = b.open(10, 1, 3);
        const QImage drawn = screen->Image1[1]->shownPicture();
        QCOMPARE(drawn.size(), QSize(ui::twipsToPixels(800), ui::twipsToPixels(800)));
        QCOMPARE(drawn.pixelColor(0, 0).alpha(), 0); // round: the board shows around it
        QVERIFY(drawn.pixelColor(drawn.width() / 2, 4) != QColor(Qt::darkGreen));
        QCOMPARE(b.reported.size(), 1);
        QVERIFY(b.reported[0].endsWith(QDir(b.s.folder.path()).filePath("immagini/mille.jpg")));

        pupil::answer(screen->Text1, "11000");
        b.click(1);
        b.restart();
        QCOMPARE(screen->Image1[1]->shownPicture(), drawn);
        pupil::answer(screen->Text1, "11000");
        b.click(0);
        b.s.random.values << 0.0; // the sound
        b.pose(28, 3, 3);
        pupil::answer(screen->Text2, "1000");
        b.restart();
        QCOMPARE(b.pieces().size(), 7);
        QCOMPARE(b.reported.size(), 1);
        const QHash<QString, int> once = {
            {"diecimila.jpg", 1}, {"cinquemila.jpg", 1}, {"duemila.jpg", 1}, {"mille.jpg", 1}};
        QCOMPARE(b.files.decoded, once);
    }

    // Each draw at both ends of [0, 1), and the gain's ceiling for each cost.
    void drawsOverTheWholeRange() {
        const double top = JustBelowOne;
        const struct {
            double cost, gain, scale;
            int costLire, gainLire;
        } table[] = {
            {0.0, 0.0, 0.0, 1000, 100},       {0.0, top, top, 10000, 2000},     // 10: up to 2
            {1.5 / 20, top, 0.0, 1100, 300},  {5.5 / 20, top, 0.5, 7500, 1500}, // 11, 15: 3
            {6.5 / 20, top, 0.0, 1600, 400},  {10.5 / 20, top, 0.0, 2000, 400}, // 16, 20: 4
            {11.5 / 20, top, 0.0, 2100, 500}, {15.5 / 20, top, 0.0, 2500, 500}, // 21, 25: 5
            {16.5 / 20, top, 0.0, 2600, 600}, {top, top, top, 29000, 6000},     // 26, 29: 6
        };
        for (const auto& row : table) {
            Board b;
            b.s.random.values << row.cost << row.gain << row.scale;
            b.screen.reset(static_cast<MoneyScreen*>(newForm13(testLesson())));
            b.screen->show();
            QCOMPARE(b.screen->Label5->text(),
                     "Avevo pagato la merce £. " + Currency::lire().amountText(lire(row.costLire)));
            const QList<int> pieces = b.pieces();
            QCOMPARE(std::accumulate(pieces.begin(), pieces.end(), 0), row.costLire + row.gainLire);
            QVERIFY(pieces.size() >= 2 && pieces.size() <= 7);
        }
    }
};

QTEST_MAIN(TestMoneyBoard)
#include "test_money_board.moc"

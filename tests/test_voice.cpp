// Reading aloud: amounts as a teacher reads them, never a decimal mark that a
// synthesiser would read as "virgola" or "punto"; what one action of the pupil
// causes reaches the voice as one text.

#include "exercises/GainLossScreen.h"
#include "exercises/MoneyScreen.h"
#include "exercises/PurchaseScreen.h"
#include "platform/ReadingAloud.h"
#include "platform/Record.h"
#include "shell/Lesson.h"
#include "shell/ScreenChain.h"
#include "support/TestServices.h"
#include "ui/CaptionedPictureButton.h"
#include "ui/PictureSlot.h"
#include "ui/Speech.h"

#include <QAccessible>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTest>
#include <memory>

Q_DECLARE_METATYPE(ScreenId)

namespace {

class FakeVoice : public platform::Voice {
public:
    void speak(const QString& text) override { heard << text; }
    void stop() override { heard << QStringLiteral("(zitto)"); }
    void setSlowness(int) override {}
    QStringList heard;
};

// espeak-ng's Italian phonemes for a text, stress marks dropped.
QString phonemes(const QString& text) {
    QProcess espeak;
    espeak.start(QStringLiteral("espeak-ng"), {"-v", "it", "-q", "-x", text});
    espeak.waitForFinished();
    return QString::fromUtf8(espeak.readAllStandardOutput()).remove(u'\'').remove(u',').toLower();
}

bool haveEspeak() {
    return !QStandardPaths::findExecutable(QStringLiteral("espeak-ng")).isEmpty();
}

// What the screen reader was given last on the screen, as it was written.
QString lastNotice(const QWidget* screen) {
    const auto notices = screen->findChildren<ui::SpokenNotice*>();
    return notices.isEmpty() ? QString() : notices.last()->accessibleName();
}

// The money board in lire: cost 11.000 and gain 1.000, paid with a banknote
// of 10.000 and two coins of 1.000.
const QList<double> Board = {(1 + 0.5) / 20, 0.25, TestServices::drawing(3, 3),
                             TestServices::drawing(4, 18)};
// A background, the one article, then the screen's own draw.
QList<double> articleThen(double draw) {
    return {TestServices::drawing(4, 18), TestServices::drawing(1, 1), draw};
}

// What the pupil does, one step a word: "500" typed in the box with the focus
// and Enter, "click 0" on a slot of the board, "choose 0" a choice button,
// "Ricomincia".
void act(ui::Screen* screen, const QString& step) {
    if (step == QLatin1String("Ricomincia")) {
        QTest::mouseClick(static_cast<MoneyScreen*>(screen)->Command3D1, Qt::LeftButton);
    } else if (step.startsWith(QLatin1String("click "))) {
        QTest::mouseClick(static_cast<MoneyScreen*>(screen)->Image1[step.mid(6).toInt()],
                          Qt::LeftButton);
    } else if (step.startsWith(QLatin1String("choose "))) {
        QTest::mouseClick(static_cast<GainLossScreen*>(screen)->Command1[step.mid(7).toInt()],
                          Qt::LeftButton);
    } else {
        auto* box = qobject_cast<ui::AnswerBox*>(screen->focusWidget());
        QVERIFY2(box, qPrintable(step));
        pupil::answer(box, step);
    }
}

void useCurrency(const Currency& currency) {
    Catalogue catalogue;
    catalogue.currency = &currency;
    catalogue.records.push_back({QStringLiteral("quaderno"), lire(1000), lire(1500)});
    testLesson().load(catalogue);
}

} // namespace

class TestVoice : public QObject {
    Q_OBJECT
    TestServices* services = nullptr;
    FakeVoice* voice = nullptr;

    // The voice's texts once the event loop has turned.
    QStringList heard() {
        QCoreApplication::processEvents();
        return std::exchange(voice->heard, {});
    }

private slots:
    void initTestCase() {
        setUpItalianProgram();
        services = new TestServices;
        auto fake = std::make_unique<FakeVoice>();
        voice = fake.get();
        platform::readingAloud().useVoice(std::move(fake));
    }
    void init() {
        platform::readingAloud().turnOn();
        heard();
    }
    void cleanup() { closeAllWindows(); }

    // The same amount as the screen reader and as the voice gets it.
    void amountsAreWrittenForTheVoice_data() {
        QTest::addColumn<QString>("currency");
        QTest::addColumn<int>("amount");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("voiced");
        QTest::newRow("lire without the thousands point") << "lire" << 1500 << "1.500 lire"
                                                          << "1500 lire";
        QTest::newRow("a negative gain in lire") << "lire" << -2500 << "-2.500 lire"
                                                 << "meno 2500 lire";
        QTest::newRow("euro and cents") << "euro" << 1250 << "12,50 euro"
                                        << "12 euro e 50 centesimi";
        QTest::newRow("one euro") << "euro" << 100 << "1,00 euro"
                                  << "un euro";
        QTest::newRow("cents alone") << "euro" << 50 << "0,50 euro"
                                     << "50 centesimi";
        QTest::newRow("a negative gain in euro") << "euro" << -305 << "-3,05 euro"
                                                 << "meno 3 euro e 5 centesimi";
    }
    void amountsAreWrittenForTheVoice() {
        QFETCH(QString, currency);
        QFETCH(int, amount);
        QFETCH(QString, voiced);
        const Currency& money = *Currency::named(currency);
        QTEST(money.spokenAmount(lire(amount), Reading::Written), "written");
        QCOMPARE(money.spokenAmount(lire(amount), Reading::Voiced), voiced);
        if (!haveEspeak())
            return; // the text is checked; its sound needs the synthesiser
        const QString heardAs = phonemes(voiced);
        QVERIFY2(!heardAs.contains(QStringLiteral("punto")), qPrintable(heardAs));
        QVERIFY2(!heardAs.contains(QStringLiteral("vi;@-*gola")), qPrintable(heardAs));
    }

    // The check itself hears a decimal mark where there is one.
    void thePhonemeCheckHearsADecimalMark() {
        if (!haveEspeak())
            QSKIP("espeak-ng is not installed");
        QVERIFY(phonemes(QStringLiteral("1.50 euro")).contains(QStringLiteral("punto")));
        QVERIFY(phonemes(QStringLiteral("12,50 euro")).contains(QStringLiteral("vi;@-*gola")));
    }

    // The texts heard in one turn of the event loop reach the voice as one,
    // each sentence with its capital; the next turn's are another; an empty
    // text adds nothing, and nothing is read while reading aloud is off.
    void oneTurnIsOneText_data() {
        QTest::addColumn<QList<QStringList>>("turns");
        QTest::addColumn<QStringList>("spoken");
        QTest::newRow("one text") << QList<QStringList>{{"esatto."}} << QStringList{"Esatto."};
        QTest::newRow("two in one turn")
            << QList<QStringList>{{"sbagliato.", "esatti 0, errati 1."}}
            << QStringList{"Sbagliato. Esatti 0, errati 1."};
        QTest::newRow("two turns") << QList<QStringList>{{"esatto."}, {"quaderno? 7 lire."}}
                                   << QStringList{"Esatto.", "Quaderno? 7 lire."};
        QTest::newRow("an empty text")
            << QList<QStringList>{{"", "esatto.", ""}, {""}} << QStringList{"Esatto."};
        QTest::newRow("off") << QList<QStringList>{{"off", "esatto."}} << QStringList{};
    }
    void oneTurnIsOneText() {
        QFETCH(QList<QStringList>, turns);
        QFETCH(QStringList, spoken);
        platform::ReadingAloud& reading = platform::readingAloud();
        QStringList all;
        for (const QStringList& turn : turns) {
            for (const QString& text : turn)
                text == QStringLiteral("off") ? reading.turnOff() : reading.hear(text);
            all << heard();
        }
        all.removeAll(QStringLiteral("(zitto)"));
        QCOMPARE(all, spoken);
    }

    // Form1 in euro, "quaderno" sold at 15,00 euro: 11 of them.
    void eachActionReachesTheVoiceAsOneText() {
        useCurrency(Currency::euro());
        services->random.values << TestServices::drawing(4, 18) << TestServices::drawing(1, 1)
                                << TestServices::drawing(11, 11);
        auto* screen = static_cast<PurchaseScreen*>(openScreen(ScreenId(Exercise::TotalCost)));
        const QString problem = QStringLiteral(
            "Quaderno, costo unitario 15 euro, quantità 11: qual è il costo totale?");
        QCOMPARE(heard(), QStringList{problem});
        // Each sentence with its capital, so that the voice pauses between them.
        pupil::answer(screen->Text1, QStringLiteral("100"));
        QCOMPARE(heard(), QStringList{QStringLiteral("Sbagliato. Esatti 0, errati 1.")});

        // F5 again, for the voice and for the screen reader alike.
        QTest::keyClick(screen, Qt::Key_F5);
        QCOMPARE(heard(), QStringList{problem});
        QCOMPARE(lastNotice(screen), QStringLiteral("quaderno, costo unitario 15,00 euro, "
                                                    "quantità 11: qual è il costo totale?"));

        // F6 off: silence at once, and nothing after; on: the problem again.
        QTest::keyClick(screen, Qt::Key_F6);
        QCOMPARE(heard(), QStringList{QStringLiteral("(zitto)")});
        pupil::answer(screen->Text1, QStringLiteral("1"));
        QCOMPARE(heard(), QStringList());
        QTest::keyClick(screen, Qt::Key_F6);
        QCOMPARE(heard(), QStringList{problem});

        // The screen left stops what was being read.
        openScreen(ScreenId::Menu, screen);
        QCOMPARE(heard(), QStringList{QStringLiteral("(zitto)")});
    }

    // The money board in lire: cost 11.000 and gain 1.000, the cost paid with
    // its two pieces, then the gain; each step is one text, and the screen
    // reader keeps the written amounts.
    void theBoardSaysEachStepForTheVoice() {
        useCurrency(Currency::lire());
        services->random.values << Board;
        auto* screen = static_cast<MoneyScreen*>(openScreen(ScreenId(Exercise::PayingWithMoney)));
        const QString problem =
            QStringLiteral("Sul tavolo: banconota da 10000 lire, due monete da 1000 lire; avevo "
                           "pagato la merce 11000 lire. Quanto ho ricavato?");
        QCOMPARE(heard(), QStringList{problem});
        pupil::answer(screen->Text1, QStringLiteral("12.000"));
        // The revenue is not counted: no count to tell.
        QCOMPARE(heard(), QStringList{QStringLiteral("Esatto. Clicca sul denaro che avevi "
                                                     "utilizzato per pagare.")});
        QTest::mouseClick(screen->Image1[0], Qt::LeftButton);
        QCOMPARE(heard(), QStringList{QStringLiteral("Pagato 10000 lire di 11000 lire.")});
        QTest::mouseClick(screen->Image1[1], Qt::LeftButton);
        QCOMPARE(heard(), QStringList{QStringLiteral(
                              "Pagato 11000 lire di 11000 lire. Avevo pagato la merce 11000 lire "
                              "e ho ricavato 12000 lire: quanto ho guadagnato?")});
        // The focus moves to the gain's box: the screen reader hears the
        // payment with it, before the question.
        QCOMPARE(
            QAccessible::queryAccessibleInterface(screen->Text2)->text(QAccessible::Description),
            QStringLiteral("pagato 11.000 lire di 11.000 lire. avevo pagato la merce 11.000 lire "
                           "e ho ricavato 12.000 lire: quanto ho guadagnato?"));
        services->random.values << TestServices::drawing(1, 4) << Board;
        pupil::answer(screen->Text2, QStringLiteral("1.000"));
        QCOMPARE(heard(), QStringList{QStringLiteral("Esatto. Esatti 1, errati 0. ") + problem});
    }

    // "Ricomincia" is heard at once, with what lies on the board again, and
    // the next payment alone after it.
    void ricominciaIsHeardAtOnce() {
        useCurrency(Currency::lire());
        services->random.values << Board;
        auto* screen = static_cast<MoneyScreen*>(openScreen(ScreenId(Exercise::PayingWithMoney)));
        for (const char* step : {"12.000", "click 0"})
            act(screen, QLatin1String(step));
        heard();
        act(screen, QStringLiteral("Ricomincia"));
        QCOMPARE(heard(), QStringList{QStringLiteral(
                              "Il denaro è di nuovo tutto sul tavolo: banconota da 10000 lire, "
                              "due monete da 1000 lire; avevo pagato la merce "
                              "11000 lire. Quanto ho ricavato?")});
        act(screen, QStringLiteral("click 1"));
        QCOMPARE(heard(), QStringList{QStringLiteral("Pagato 1000 lire di 11000 lire.")});
    }

    // F5 says what the pupil must do now: the step reached, the phase of the
    // board with what lies on it, the amount once gain or loss is chosen.
    void f5SaysTheQuestionOfTheMoment_data() {
        QTest::addColumn<ScreenId>("screen");
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("question");
        const QList<double> quantity7 = articleThen((7 + 0.5) / 11);
        const QString table = QStringLiteral("Quaderno; quantità 7; spesa di 1: 1000 lire; ricavo "
                                             "di 1: 1500 lire. ");
        QTest::newRow("tabelle 1, first step") << ScreenId(Exercise::FourCellTable) << quantity7
                                               << QStringList() << table + "Guadagno di 1?";
        QTest::newRow("tabelle 1, third step")
            << ScreenId(Exercise::FourCellTable) << quantity7 << QStringList{"500", "7000"}
            << table + "Ricavo di 7?";
        QTest::newRow("money board, the revenue")
            << ScreenId(Exercise::PayingWithMoney) << Board << QStringList()
            << "Sul tavolo: banconota da 10000 lire, due monete da 1000 lire; "
               "avevo pagato la merce 11000 lire. Quanto ho ricavato?";
        QTest::newRow("money board, paying")
            << ScreenId(Exercise::PayingWithMoney) << Board << QStringList{"12.000", "click 0"}
            << "Sul tavolo: due monete da 1000 lire. Clicca sul denaro che "
               "avevi utilizzato per pagare; pagato 10000 lire di 11000 lire.";
        QTest::newRow("money board, the gain")
            << ScreenId(Exercise::PayingWithMoney) << Board
            << QStringList{"12.000", "click 0", "click 1"}
            << "Avevo pagato la merce 11000 lire e ho ricavato 12000 lire: quanto ho guadagnato?";
        QTest::newRow("money board, paid too much: only Ricomincia helps")
            << ScreenId(Exercise::PayingWithMoney) << Board
            << QStringList{"12.000", "click 1", "click 2", "click 0"}
            << "Pagato 12000 lire di 11000 lire: è più del costo. Premi Ricomincia e paga di "
               "nuovo.";
        QTest::newRow("money board, after Ricomincia")
            << ScreenId(Exercise::PayingWithMoney) << Board
            << QStringList{"12.000", "click 0", "Ricomincia"}
            << "Sul tavolo: banconota da 10000 lire, due monete da 1000 lire; "
               "avevo pagato la merce 11000 lire. Quanto ho ricavato?";
        const QList<double> gain = articleThen(0.25);
        QTest::newRow("guadagno - perdita, the choice")
            << ScreenId(Exercise::GainOrLoss) << gain << QStringList()
            << "Quaderno, spesa 1000 lire, ricavo 1500 lire: guadagno o perdita?";
        QTest::newRow("guadagno - perdita, the amount after the right choice")
            << ScreenId(Exercise::GainOrLoss) << gain << QStringList{"choose 0"}
            << "Quaderno, spesa 1000 lire, ricavo 1500 lire: qual è il guadagno?";
    }
    void f5SaysTheQuestionOfTheMoment() {
        QFETCH(ScreenId, screen);
        QFETCH(QList<double>, draws);
        QFETCH(QStringList, steps);
        useCurrency(Currency::lire());
        services->random.values = draws;
        ui::Screen* opened = openScreen(screen);
        for (const QString& step : steps)
            act(opened, step);
        heard();
        QTest::keyClick(opened, Qt::Key_F5);
        QTEST(heard().join(u'|'), "question");
    }

    // F5 repeats the question, not the clock: the record keeps how long the
    // pupil thought before answering.
    void f5LeavesTheAnswersTimeRunning() {
        const QString file = services->folder.filePath("registro.sqlite");
        platform::startRecord(file, QStringLiteral(MERCANZOLA_PROGRAM_FOLDER));
        platform::setRecordPupil(QStringLiteral("Anna"));
        useCurrency(Currency::lire());
        services->random.values << articleThen(TestServices::drawing(7, 11));
        auto* screen = static_cast<PurchaseScreen*>(openScreen(ScreenId(Exercise::TotalCost)));
        QTest::qWait(1200);
        QTest::keyClick(screen, Qt::Key_F5);
        pupil::answer(screen->Text1, QStringLiteral("1"));
        platform::stopRecord();
        platform::startRecord({}, {});
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
        db.setDatabaseName(file);
        QVERIFY(db.open());
        QSqlQuery query(QStringLiteral("SELECT secondi FROM risposte"), db);
        QVERIFY(query.next() && query.value(0).toDouble() >= 1.1);
    }

    // The record keeps the level each answer was given at; none with levels off.
    void theRecordKeepsTheLevel_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("kept");
        QTest::newRow("levels off") << 0 << "NULL";
        QTest::newRow("level 2") << 2 << "2";
    }
    void theRecordKeepsTheLevel() {
        QFETCH(int, level);
        QFETCH(QString, kept);
        const QString file = services->folder.filePath(QStringLiteral("livelli.sqlite"));
        QFile::remove(file);
        platform::startRecord(file, QStringLiteral(MERCANZOLA_PROGRAM_FOLDER));
        platform::setRecordPupil(QStringLiteral("Anna"));
        useCurrency(Currency::lire());
        testLesson().chooseLevels(std::vector<LevelChoice>(13, {level, false}));
        auto* screen = static_cast<PurchaseScreen*>(openScreen(Exercise::TotalCost));
        pupil::answer(screen->Text1, QStringLiteral("1"));
        platform::stopRecord();
        platform::startRecord({}, {});
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "livelli");
            db.setDatabaseName(file);
            QVERIFY(db.open());
            QSqlQuery query(QStringLiteral("SELECT livello FROM risposte"), db);
            QVERIFY(query.next());
            QCOMPARE(query.isNull(0) ? QStringLiteral("NULL") : query.value(0).toString(), kept);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("livelli"));
        testLesson().chooseLevels({});
    }

    // When reading cannot happen, the pupil's screen says so quietly at its
    // foot, for the teacher; it goes once the voice speaks.
    void aVoiceThatCannotSpeakIsShown() {
        useCurrency(Currency::lire());
        ui::Screen* menu = openScreen(ScreenId::Menu);
        auto notice = [menu] {
            for (const QLabel* label : menu->findChildren<QLabel*>())
                if (label->isVisibleTo(menu) && label->text().startsWith(QLatin1String("Niente")))
                    return label->text();
            return QString();
        };
        QCOMPARE(notice(), QString());
        platform::readingAloud().voiceReported(platform::VoiceState::Unavailable,
                                               QStringLiteral("niente lettura: perché"));
        QCOMPARE(notice(), QStringLiteral("Niente lettura: perché"));
        platform::readingAloud().voiceReported(platform::VoiceState::Ready, QString());
        QCOMPARE(notice(), QString());
    }
};

QTEST_MAIN(TestVoice)
#include "test_voice.moc"

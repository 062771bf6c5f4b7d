// Reading aloud: amounts as a teacher reads them, never a decimal mark that a
// synthesiser would read as "virgola" or "punto"; what one action of the pupil
// causes reaches the voice as one text.

#include "app/AllScreens.h"
#include "exercises/MoneyScreen.h"
#include "exercises/PurchaseScreen.h"
#include "frame/Sentences.h"
#include "platform/ReadingAloud.h"
#include "shell/Lesson.h"
#include "support/TestServices.h"
#include "ui/PictureSlot.h"
#include "ui/Speech.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <memory>

namespace {

class FakeVoice : public platform::Voice {
public:
    void speak(const QString& text) override { heard << text; }
    void stop() override { heard << QStringLiteral("(zitto)"); }
    QStringList heard;
};

// espeak-ng's Italian phonemes for a text, stress marks dropped.
QString phonemes(const QString& text) {
    QProcess espeak;
    espeak.start(QStringLiteral("espeak-ng"), {"-v", "it", "-q", "-x", text});
    espeak.waitForFinished();
    return QString::fromUtf8(espeak.readAllStandardOutput()).remove(u'\'').remove(u',').toLower();
}

enum Kind { Amount, Paid, GainQuestion, Outcome, Piece };

const Currency& currencyNamed(const QString& name) {
    return *Currency::named(name);
}

void useCurrency(const Currency& currency) {
    Catalogue catalogue;
    catalogue.currency = &currency;
    catalogue.records.push_back({QStringLiteral("quaderno"), lire(1000), lire(1500)});
    lesson().load(catalogue);
}

// The sentence of a kind as the screen reader and the voice get it.
QString sentence(Kind kind, int a, int b) {
    switch (kind) {
    case Amount:
        return spokenAmount(lire(a));
    case Paid:
        return Sentences::paid(lire(a), lire(b));
    case GainQuestion:
        return Sentences::gainQuestion(lire(a), lire(b));
    case Outcome:
        return Sentences::outcome(a > 0, a, b);
    case Piece:
        return lesson().currency().pieceName(lesson().currency().pieces()[a], sentenceReading());
    }
    return {};
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
        ui::Speech::setVoice([](const QString& text) { platform::readingAloud().hear(text); });
    }
    void init() {
        platform::readingAloud().turnOn();
        heard();
    }
    void cleanup() { closeAllWindows(); }

    void sentencesAreWrittenForTheVoice_data() {
        QTest::addColumn<QString>("currency");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("voiced");
        QTest::newRow("lire without the thousands point")
            << "lire" << int(Amount) << 1500 << 0 << "1.500 lire"
            << "1500 lire";
        QTest::newRow("a negative gain in lire")
            << "lire" << int(Amount) << -2500 << 0 << "-2.500 lire"
            << "meno 2500 lire";
        QTest::newRow("euro and cents") << "euro" << int(Amount) << 1250 << 0 << "12,50 euro"
                                        << "12 euro e 50 centesimi";
        QTest::newRow("one euro") << "euro" << int(Amount) << 100 << 0 << "1,00 euro"
                                  << "un euro";
        QTest::newRow("cents alone") << "euro" << int(Amount) << 50 << 0 << "0,50 euro"
                                     << "50 centesimi";
        QTest::newRow("a negative gain in euro")
            << "euro" << int(Amount) << -305 << 0 << "-3,05 euro"
            << "meno 3 euro e 5 centesimi";
        QTest::newRow("a payment in euro")
            << "euro" << int(Paid) << 100 << 250 << "pagato 1,00 euro di 2,50 euro"
            << "pagato un euro di 2 euro e 50 centesimi";
        QTest::newRow("the gain asked")
            << "euro" << int(GainQuestion) << 250 << 300
            << "avevo pagato la merce 2,50 euro e ho ricavato 3,00 euro: quanto ho guadagnato?"
            << "avevo pagato la merce 2 euro e 50 centesimi e ho ricavato 3 euro: quanto ho "
               "guadagnato?";
        QTest::newRow("the counts")
            << "euro" << int(Outcome) << 3 << 1 << "esatto. esatti 3, errati 1."
            << "esatto. esatti 3, errati 1.";
        QTest::newRow("a note in lire")
            << "lire" << int(Piece) << 0 << 0 << "banconota da 10.000 lire"
            << "banconota da 10000 lire";
    }
    void sentencesAreWrittenForTheVoice() {
        QFETCH(QString, currency);
        QFETCH(int, kind);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(QString, written);
        QFETCH(QString, voiced);
        useCurrency(currencyNamed(currency));
        QCOMPARE(sentence(Kind(kind), a, b), written);
        const VoicedSentences forTheVoice;
        QCOMPARE(sentence(Kind(kind), a, b), voiced);
        if (QStandardPaths::findExecutable(QStringLiteral("espeak-ng")).isEmpty())
            return; // the text is checked; its sound needs the synthesiser
        const QString heardAs = phonemes(voiced);
        QVERIFY2(!heardAs.contains(QStringLiteral("punto")), qPrintable(heardAs));
        QVERIFY2(!heardAs.contains(QStringLiteral("vi;@-*gola")), qPrintable(heardAs));
    }

    // The check itself hears a decimal mark where there is one.
    void thePhonemeCheckHearsADecimalMark() {
        if (QStandardPaths::findExecutable(QStringLiteral("espeak-ng")).isEmpty())
            QSKIP("espeak-ng is not installed");
        QVERIFY(phonemes(QStringLiteral("1.50 euro")).contains(QStringLiteral("punto")));
        QVERIFY(phonemes(QStringLiteral("12,50 euro")).contains(QStringLiteral("vi;@-*gola")));
    }

    // Form1 in euro, "quaderno" sold at 15,00 euro: 11 of them.
    void eachActionReachesTheVoiceAsOneText() {
        useCurrency(Currency::euro());
        const QString problem = QStringLiteral(
            "quaderno, costo unitario 15 euro, quantità 11: qual è il costo totale?");
        services->random.values << TestServices::drawing(4, 18) << TestServices::drawing(1, 1)
                                << TestServices::drawing(11, 11);
        std::unique_ptr<PurchaseScreen> screen(static_cast<PurchaseScreen*>(newForm1()));
        screen->Form_Load();
        screen->show();
        QCOMPARE(heard(), QStringList{problem});

        screen->repaint();
        QCOMPARE(heard(), QStringList());

        pupil::answer(screen->Text1, QStringLiteral("100"));
        QCOMPARE(heard(), QStringList{QStringLiteral("sbagliato. esatti 0, errati 1.")});

        services->random.values << TestServices::drawing(1, 4) << TestServices::drawing(4, 18)
                                << TestServices::drawing(1, 1) << TestServices::drawing(3, 11);
        pupil::answer(screen->Text1, QStringLiteral("165"));
        QCOMPARE(heard(), QStringList{QStringLiteral("esatto. esatti 1, errati 1. quaderno, costo "
                                                     "unitario 15 euro, quantità 3: qual è il "
                                                     "costo totale?")});

        // F5 again, for the voice and for the screen reader alike.
        QTest::keyClick(screen.get(), Qt::Key_F5);
        const QString again =
            QStringLiteral("quaderno, costo unitario 15 euro, quantità 3: qual è il costo totale?");
        QCOMPARE(heard(), QStringList{again});
        const auto notices = screen->findChildren<ui::SpokenNotice*>();
        QVERIFY(!notices.isEmpty());
        QCOMPARE(notices.last()->accessibleName(), QStringLiteral("quaderno, costo unitario "
                                                                  "15,00 euro, quantità 3: qual è "
                                                                  "il costo totale?"));

        // F6 off: silence at once, and nothing after; on: the problem again.
        QTest::keyClick(screen.get(), Qt::Key_F6);
        QCOMPARE(heard(), QStringList{QStringLiteral("(zitto)")});
        pupil::answer(screen->Text1, QStringLiteral("1"));
        QCOMPARE(heard(), QStringList());
        QTest::keyClick(screen.get(), Qt::Key_F6);
        QCOMPARE(heard(), QStringList{again});
    }

    // The money board in lire: cost 1.000 and gain 100, the cost paid with its coin.
    void theBoardSaysEachPaymentForTheVoice() {
        useCurrency(Currency::lire());
        services->random.values << (10 - 10 + 0.5) / 20 << (1 - 0.5) / 2.0
                                << TestServices::drawing(1, 3) << TestServices::drawing(4, 18);
        std::unique_ptr<MoneyScreen> screen(static_cast<MoneyScreen*>(newForm13()));
        screen->Form_Load();
        screen->show();
        QCOMPARE(heard(), QStringList{QStringLiteral(
                              "sul tavolo: moneta da 1000 lire, moneta da 100 lire; avevo "
                              "pagato la merce 1000 lire. quanto ho ricavato?")});
        pupil::answer(screen->Text1, QStringLiteral("1.100"));
        heard();
        QTest::mouseClick(screen->Image1[0], Qt::LeftButton);
        QCOMPARE(heard(), QStringList{QStringLiteral(
                              "pagato 1000 lire di 1000 lire. avevo pagato la merce 1000 lire e "
                              "ho ricavato 1100 lire: quanto ho guadagnato?")});
    }
};

QTEST_MAIN(TestVoice)
#include "test_voice.moc"

// Reading aloud: amounts as a teacher reads them, never a decimal mark that a
// synthesiser would read as "virgola" or "punto"; what one action of the pupil
// causes reaches the voice as one text.

#include "exercises/MoneyScreen.h"
#include "exercises/PurchaseScreen.h"
#include "platform/ReadingAloud.h"
#include "shell/Lesson.h"
#include "shell/ScreenChain.h"
#include "support/TestServices.h"
#include "ui/PictureSlot.h"
#include "ui/Speech.h"

#include <QAccessible>
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

bool haveEspeak() {
    return !QStandardPaths::findExecutable(QStringLiteral("espeak-ng")).isEmpty();
}

// What the screen reader was given last on the screen, as it was written.
QString lastNotice(const QWidget* screen) {
    const auto notices = screen->findChildren<ui::SpokenNotice*>();
    return notices.isEmpty() ? QString() : notices.last()->accessibleName();
}

void useCurrency(const Currency& currency) {
    Catalogue catalogue;
    catalogue.currency = &currency;
    catalogue.records.push_back({QStringLiteral("quaderno"), lire(1000), lire(1500)});
    lesson().load(catalogue);
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
        useCurrency(*Currency::named(currency));
        QTEST(spokenAmount(lire(amount), Reading::Written), "written");
        QCOMPARE(spokenAmount(lire(amount), Reading::Voiced), voiced);
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

    // Form1 in euro, "quaderno" sold at 15,00 euro: 11 of them.
    void eachActionReachesTheVoiceAsOneText() {
        useCurrency(Currency::euro());
        services->random.values << TestServices::drawing(4, 18) << TestServices::drawing(1, 1)
                                << TestServices::drawing(11, 11);
        auto* screen = static_cast<PurchaseScreen*>(openScreen(ScreenId::Form1));
        const QString problem = QStringLiteral(
            "quaderno, costo unitario 15 euro, quantità 11: qual è il costo totale?");
        QCOMPARE(heard(), QStringList{problem});
        pupil::answer(screen->Text1, QStringLiteral("100"));
        QCOMPARE(heard(), QStringList{QStringLiteral("sbagliato. esatti 0, errati 1.")});

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
    }

    // The money board in lire: cost 11.000 and gain 1.000, the cost paid with
    // its two pieces, then the gain; each step is one text, and the screen
    // reader keeps the written amounts.
    void theBoardSaysEachStepForTheVoice() {
        useCurrency(Currency::lire());
        const QList<double> board = {(1 + 0.5) / 20, 0.25, TestServices::drawing(3, 3),
                                     TestServices::drawing(4, 18)};
        services->random.values << board;
        auto* screen = static_cast<MoneyScreen*>(openScreen(ScreenId::Form13));
        const QString problem = QStringLiteral(
            "sul tavolo: banconota da 10000 lire, moneta da 1000 lire, moneta da 1000 lire; avevo "
            "pagato la merce 11000 lire. quanto ho ricavato?");
        QCOMPARE(heard(), QStringList{problem});
        pupil::answer(screen->Text1, QStringLiteral("12.000"));
        QCOMPARE(heard(), QStringList{QStringLiteral("esatto. esatti 0, errati 0. Clicca sul "
                                                     "denaro che avevi utilizzato per pagare.")});
        QTest::mouseClick(screen->Image1[0], Qt::LeftButton);
        QCOMPARE(heard(), QStringList{QStringLiteral("pagato 10000 lire di 11000 lire.")});
        QTest::mouseClick(screen->Image1[1], Qt::LeftButton);
        QCOMPARE(heard(), QStringList{QStringLiteral(
                              "pagato 11000 lire di 11000 lire. avevo pagato la merce 11000 lire "
                              "e ho ricavato 12000 lire: quanto ho guadagnato?")});
        QCOMPARE(lastNotice(screen), QStringLiteral("pagato 11.000 lire di 11.000 lire."));
        QCOMPARE(
            QAccessible::queryAccessibleInterface(screen->Text2)->text(QAccessible::Description),
            QStringLiteral("avevo pagato la merce 11.000 lire e ho ricavato 12.000 lire: "
                           "quanto ho guadagnato?"));
        services->random.values << TestServices::drawing(1, 4) << board;
        pupil::answer(screen->Text2, QStringLiteral("1.000"));
        QCOMPARE(heard(), QStringList{QStringLiteral("esatto. esatti 1, errati 0. ") + problem});
    }
};

QTEST_MAIN(TestVoice)
#include "test_voice.moc"

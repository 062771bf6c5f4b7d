// The sound plugin, loaded once the menu is painted or by the first sound: the
// sounds still reach the player, and a missing or broken plugin leaves the
// program quiet with one line on standard error.
#include "app/AllScreens.h"
#include "platform/PlatformServices.h"
#include "platform/PluginSoundPlayer.h"
#include "shell/FormAvvio.h"
#include "shell/Modulo1.h"
#include "shell/ModuloColoriSuoni.h"
#include "shell/ScreenChain.h"
#include "support/TestServices.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPluginLoader>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <QtEndian>

namespace {

const QString FakePlugin = QStringLiteral(MERCANZOLA_FAKE_SOUND_PLUGIN);

QStringList heardByFake() {
    QPluginLoader loader(FakePlugin);
    return loader.instance() ? loader.instance()->property("played").toStringList()
                             : QStringList{QStringLiteral("no fake plugin")};
}

// A short 8 kHz mono 16-bit WAV file, silent unless given its samples.
QByteArray silentWav(const QByteArray& given = {}) {
    const int samples = given.isEmpty() ? 800 : int(given.size() / 2);
    QByteArray wav;
    auto put32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        wav.append(b, 4);
    };
    auto put16 = [&](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        wav.append(b, 2);
    };
    wav.append("RIFF");
    put32(36 + samples * 2);
    wav.append("WAVEfmt ");
    put32(16);
    put16(1); // PCM
    put16(1); // mono
    put32(8000);
    put32(8000 * 2);
    put16(2);
    put16(16);
    wav.append("data");
    put32(samples * 2);
    wav.append(given.isEmpty() ? QByteArray(samples * 2, '\0') : given);
    return wav;
}

// ALSA's default device as a file that receives what is played, sample by
// sample, with no sound card needed.
struct AlsaToFile {
    QTemporaryDir folder;
    QString played = folder.filePath(QStringLiteral("played.raw"));
    AlsaToFile() {
        QFile conf(folder.filePath(QStringLiteral("asound.conf")));
        if (conf.open(QIODevice::WriteOnly))
            conf.write(QStringLiteral("pcm.!default { type file; slave { pcm { type null } } "
                                      "file \"%1\"; format raw }\n")
                           .arg(played)
                           .toUtf8());
        qputenv("ALSA_CONFIG_PATH", conf.fileName().toLocal8Bit());
    }
    ~AlsaToFile() { qunsetenv("ALSA_CONFIG_PATH"); }
    QByteArray heard() const {
        QFile file(played);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

} // namespace

class SoundsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        setUpToolkit();
        registerAllScreens(testLesson());
    }

    void init() {
        QPluginLoader loader(FakePlugin);
        if (loader.instance())
            loader.instance()->setProperty("played", QStringList());
    }

    void rightFilesAfterTheLazyLoad_data() {
        QTest::addColumn<bool>("paintFirst");
        QTest::newRow("prepared, loaded once a window is painted") << true;
        QTest::newRow("loaded by the first sound") << false;
    }

    void rightFilesAfterTheLazyLoad() {
        QFETCH(bool, paintFirst);
        TestServices t;
        platform::PluginSoundPlayer player(FakePlugin);
        platform::services().sounds = &player;
        player.prepare();
        QVERIFY(!player.isLoaded());
        if (paintFirst) {
            QWidget window;
            window.show();
            QTRY_VERIFY(player.isLoaded());
        }
        t.random.values = {TestServices::drawing(3, 4)};
        Modulo1::SuonoEsatto();
        ModuloColoriSuoni::SuonoErrato();
        QVERIFY(player.isLoaded());
        QCOMPARE(heardByFake(), (QStringList{t.folder.filePath(QStringLiteral("suoni/si3.wav")),
                                             t.folder.filePath(QStringLiteral("suoni/no.wav"))}));
    }

    void readyOnceTheMenuIsUp() {
        TestServices t;
        platform::PluginSoundPlayer player(FakePlugin);
        platform::services().sounds = &player;
        auto* start = static_cast<FormAvvio*>(openScreen(ScreenId::Avvio));
        QVERIFY(QTest::qWaitForWindowExposed(start));
        QTest::qWait(50);
        QVERIFY(!player.isLoaded()); // not while the start screen is up
        QTest::keyClick(start->Command1, Qt::Key_Return);
        QVERIFY(QTest::qWaitForWindowExposed(currentScreen()));
        QTRY_VERIFY(player.isLoaded());
        QVERIFY(heardByFake().isEmpty());
        currentScreen()->close();
    }

    void quietWithoutItsPlugin_data() {
        QTest::addColumn<QString>("copyOf"); // what stands in the plugin's place
        QTest::newRow("missing") << QString();
        QTest::newRow("not a library") << QStringLiteral("garbage");
        QTest::newRow("a library, no plugin")
            << QDir(QLibraryInfo::path(QLibraryInfo::LibrariesPath))
                   .filePath(QStringLiteral("libQt6Test.so.6"));
        QTest::newRow("another kind of plugin")
            << QDir(QLibraryInfo::path(QLibraryInfo::PluginsPath))
                   .filePath(QStringLiteral("platforms/libqoffscreen.so"));
    }

    void quietWithoutItsPlugin() {
        QFETCH(QString, copyOf);
        TestServices t;
        QVERIFY(QDir(t.folder.path()).mkpath(QStringLiteral("plugins")));
        QVERIFY(QDir(t.folder.path()).mkpath(QStringLiteral("suoni")));
        const QString file = t.folder.filePath(QStringLiteral("plugins/libmercanzola_sound.so"));
        if (copyOf == QLatin1String("garbage"))
            t.writeFile(QStringLiteral("plugins/libmercanzola_sound.so"), "not a library");
        else if (!copyOf.isEmpty())
            QVERIFY2(QFile::copy(copyOf, file), qPrintable(copyOf));
        t.writeFile(QStringLiteral("suoni/no.wav"), silentWav());

        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression(QStringLiteral("^la mercanzola: niente suoni: .+")));
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        platform::PluginSoundPlayer player(platform::soundPluginPath(t.folder.path()));
        platform::services().sounds = &player;
        ModuloColoriSuoni::SuonoErrato();
        ModuloColoriSuoni::SuonoErrato(); // tried once, so said once
        player.load();
        QVERIFY(!player.isLoaded());
    }

    void realPlayerDoesNotBlock() {
        QTemporaryDir folder;
        const QString wav = folder.filePath(QStringLiteral("si1.wav"));
        QFile file(wav);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(silentWav());
        file.close();

        QElapsedTimer clock;
        clock.start();
        {
            platform::PluginSoundPlayer player(
                platform::soundPluginPath(QStringLiteral(MERCANZOLA_PROGRAM_FOLDER)));
            player.play(folder.filePath(QStringLiteral("manca.wav")));
            QVERIFY(player.isLoaded());
            player.play(wav);
            player.play(wav); // again while the first may still be playing
            QTest::qWait(50);
        }
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    }

    // The real player, through ALSA: each sound reaches the device whole, in
    // the order asked; a file that is no playable WAV is said once and skipped.
    void realPlayerPlaysThroughAlsa_data() {
        QTest::addColumn<QStringList>("files"); // played one after the other
        QTest::addColumn<QStringList>("heard"); // whose samples reach the device
        QTest::addColumn<int>("lines");         // on standard error
        QTest::newRow("a shipped sound") << QStringList{"si1.wav"} << QStringList{"si1.wav"} << 0;
        QTest::newRow("one after the other")
            << QStringList{"nota.wav", "no.wav"} << QStringList{"nota.wav", "no.wav"} << 0;
        QTest::newRow("not a WAV, then one")
            << QStringList{"rotto.wav", "rotto.wav", "nota.wav"} << QStringList{"nota.wav"} << 1;
        QTest::newRow("a WAV compressed")
            << QStringList{"adpcm.wav", "nota.wav"} << QStringList{"nota.wav"} << 1;
    }
    void realPlayerPlaysThroughAlsa() {
        QFETCH(QStringList, files);
        QFETCH(QStringList, heard);
        QFETCH(int, lines);
        AlsaToFile device;
        TestServices t;
        QByteArray tune;
        for (int i = 0; i < 400; ++i)
            tune.append(char(i * 7), 1).append(char(i % 50), 1);
        t.writeFile(QStringLiteral("nota.wav"), silentWav(tune));
        t.writeFile(QStringLiteral("rotto.wav"), "RIFF not a sound at all");
        QByteArray adpcm = silentWav(tune);
        adpcm[20] = 2; // Microsoft ADPCM
        t.writeFile(QStringLiteral("adpcm.wav"), adpcm);
        const QString shipped = QStringLiteral(MERCANZOLA_PROGRAM_FOLDER "/suoni/");
        auto path = [&](const QString& name) {
            return QFile::exists(t.folder.filePath(name)) ? t.folder.filePath(name)
                                                          : shipped + name;
        };
        QByteArray expected;
        for (const QString& name : heard) {
            QFile file(path(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            expected += file.readAll().mid(44);
        }
        for (int i = 0; i < lines; ++i)
            QTest::ignoreMessage(
                QtWarningMsg, QRegularExpression(QStringLiteral("^la mercanzola: suono "
                                                                "inutilizzabile, .+\\.wav\\. .+")));
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        {
            platform::PluginSoundPlayer player(
                platform::soundPluginPath(QStringLiteral(MERCANZOLA_PROGRAM_FOLDER)));
            qsizetype reached = 0;
            for (const QString& name : files) {
                player.play(path(name));
                // The next sound is asked once this one has reached the device.
                if (heard.contains(name)) {
                    reached += QFileInfo(path(name)).size() - 44;
                    QTRY_COMPARE(device.heard().size(), reached);
                }
            }
        }
        QCOMPARE(device.heard(), expected);
    }

    // A school's own sound, in the user's folder or the school's, is played
    // instead of the shipped one; the user's comes first. Pictures are found alike.
    void theSchoolsOwnFilesComeFirst_data() {
        QTest::addColumn<QStringList>("ownFiles"); // "utente/..." or "scuola/..."
        QTest::addColumn<QString>("played");
        QTest::newRow("none of its own") << QStringList{} << "suoni/no.wav";
        QTest::newRow("the school's")
            << QStringList{"scuola/suoni/no.wav"} << "scuola/suoni/no.wav";
        QTest::newRow("the user's before the school's")
            << QStringList{"scuola/suoni/no.wav", "utente/suoni/no.wav"} << "utente/suoni/no.wav";
        QTest::newRow("another sound of its own")
            << QStringList{"scuola/suoni/si1.wav"} << "suoni/no.wav";
    }
    void theSchoolsOwnFilesComeFirst() {
        QFETCH(QStringList, ownFiles);
        QFETCH(QString, played);
        TestServices t;
        platform::services().ownDataFolders = {t.folder.filePath("utente"),
                                               t.folder.filePath("scuola")};
        for (const QString& file : ownFiles) {
            QDir(t.folder.path()).mkpath(QFileInfo(file).path());
            t.writeFile(file, silentWav());
        }
        ModuloColoriSuoni::SuonoErrato();
        QCOMPARE(t.sounds.played, QStringList{t.folder.filePath(played)});
        QCOMPARE(platform::ownDataFolders().last(), QStringLiteral("/etc/mercanzola"));
    }
};

QTEST_MAIN(SoundsTest)
#include "test_sounds.moc"

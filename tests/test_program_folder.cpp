// The program folder runs as a whole wherever it is copied: the program finds
// its data and its sound plugin beside itself, shows the start screen, and
// loads Qt Multimedia only through the plugin, after the first paint.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString ProgramFolder = QStringLiteral(MERCANZOLA_PROGRAM_FOLDER);

bool copyTree(const QString& from, const QString& to) {
    const QFileInfo source(from);
    if (source.isFile())
        return QFile::copy(from, to) &&
               QFile::setPermissions(to, QFile::permissions(from)); // keeps the exec bit
    if (!QDir().mkpath(to))
        return false;
    for (const QString& name : QDir(from).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
        if (!copyTree(QDir(from).filePath(name), QDir(to).filePath(name)))
            return false;
    return true;
}

QString mappedFiles(qint64 pid) {
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    return maps.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(maps.readAll()) : QString();
}

} // namespace

class ProgramFolderTest : public QObject {
    Q_OBJECT

private slots:
    void programLinksNoMultimedia() {
        QProcess ldd;
        ldd.start(QStringLiteral("ldd"),
                  {QDir(ProgramFolder).filePath(QStringLiteral("mercanzola"))});
        QVERIFY(ldd.waitForFinished(20000));
        const QString libraries = QString::fromLocal8Bit(ldd.readAllStandardOutput());
        QVERIFY2(libraries.contains(QLatin1String("Qt6Widgets")), qPrintable(libraries));
        for (const char* library : {"Multimedia", "pulse", "sndfile"})
            QVERIFY2(!libraries.contains(QLatin1String(library), Qt::CaseInsensitive),
                     qPrintable(libraries));
    }

    void runsWhenCopied_data() {
        QTest::addColumn<bool>("withPlugin");
        QTest::newRow("the whole folder") << true;
        QTest::newRow("without its sound plugin") << false;
    }

    void runsWhenCopied() {
        QFETCH(bool, withPlugin);
        QTemporaryDir copy;
        QStringList parts{QStringLiteral("mercanzola"), QStringLiteral("lista.txt"),
                          QStringLiteral("suoni"), QStringLiteral("immagini")};
        if (withPlugin)
            parts << QStringLiteral("plugins");
        for (const QString& part : parts)
            QVERIFY2(copyTree(QDir(ProgramFolder).filePath(part), copy.filePath(part)),
                     qPrintable(part));

        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("MERCANZOLA_BENCH_MARKS"), QStringLiteral("1"));
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::SeparateChannels);
        QString errors;
        connect(&program, &QProcess::readyReadStandardError, this,
                [&] { errors += QString::fromLocal8Bit(program.readAllStandardError()); });
        program.start(copy.filePath(QStringLiteral("mercanzola")), {});
        QVERIFY(program.waitForStarted(10000));

        // The start screen painted: the data was found in the copied folder.
        QTRY_VERIFY_WITH_TIMEOUT(errors.contains(QLatin1String("mark painted")), 20000);
        const QString ownPlugin = copy.filePath(QStringLiteral("plugins/libmercanzola_sound.so"));
        if (withPlugin) {
            // Loaded from the copy once the screen is up, with Qt Multimedia under it.
            QTRY_VERIFY_WITH_TIMEOUT(mappedFiles(program.processId()).contains(ownPlugin), 20000);
            QVERIFY(mappedFiles(program.processId()).contains(QLatin1String("libQt6Multimedia")));
            QVERIFY2(!errors.contains(QLatin1String("niente suoni")), qPrintable(errors));
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(errors.contains(QLatin1String("niente suoni")), 20000);
            QCOMPARE(errors.count(QLatin1String("niente suoni")), 1);
            QVERIFY(!mappedFiles(program.processId()).contains(QLatin1String("Multimedia")));
        }
        QCOMPARE(program.state(), QProcess::Running);
        program.kill();
        program.waitForFinished(10000);
    }
};

QTEST_MAIN(ProgramFolderTest)
#include "test_program_folder.moc"

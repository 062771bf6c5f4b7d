// The program folder runs as a whole wherever it is copied: the program finds
// its data beside itself and shows the start screen, without Qt Multimedia,
// which only its sound plugin loads, once the menu is up (see e2e/walk.sh).
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

    void runsWhenCopied() {
        QTemporaryDir copy;
        for (const QString& part :
             {QStringLiteral("mercanzola"), QStringLiteral("lista.txt"), QStringLiteral("suoni"),
              QStringLiteral("immagini"), QStringLiteral("plugins")})
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
        // The start screen stays up, quiet, with nothing of the audio libraries.
        QTest::qWait(300);
        QCOMPARE(program.state(), QProcess::Running);
        QVERIFY2(!mappedFiles(program.processId()).contains(QLatin1String("Multimedia")),
                 qPrintable(mappedFiles(program.processId())));
        QVERIFY2(!errors.contains(QLatin1String("la mercanzola")), qPrintable(errors));
        program.kill();
        program.waitForFinished(10000);
    }
};

QTEST_MAIN(ProgramFolderTest)
#include "test_program_folder.moc"

// The folders of src/ and the arrows between them: each folder includes only
// what docs/architecture.md says it may, the money model no Qt beyond Core,
// no unit (a .h with its .cpp) reaches itself again through its includes, and
// no variable is shared program-wide: what a screen works on reaches it through
// its constructor.
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

const QString Sources = QStringLiteral(MERCANZOLA_SOURCE_DIR "/src/");

struct Include {
    QString file; // relative to src/
    int line;
    QString target;
    bool angled;
};

QList<Include> allIncludes() {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*#\\s*include\\s*([<\"])([^>\"]+)[>\"]"));
    QList<Include> includes;
    QDirIterator it(Sources, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            qFatal("cannot read %s", qPrintable(path));
        int line = 0;
        while (!file.atEnd()) {
            ++line;
            const auto match = pattern.match(QString::fromUtf8(file.readLine()));
            if (match.hasMatch())
                includes.append(
                    {path.mid(Sources.size()), line, match.captured(2), match.captured(1) == u'<'});
        }
    }
    return includes;
}

QString folderOf(const QString& path) {
    return path.section(u'/', 0, 0);
}

QString where(const Include& include) {
    return QStringLiteral("src/%1:%2 includes %3")
        .arg(include.file)
        .arg(include.line)
        .arg(include.target);
}

// A Qt header the model may use: one that Qt Core installs.
bool isQtCoreHeader(const QString& name) {
    static const QString headers = QLibraryInfo::path(QLibraryInfo::HeadersPath);
    const QString bare = name.startsWith(QLatin1String("QtCore/")) ? name.mid(7) : name;
    return !bare.contains(u'/') && QFile::exists(headers + QStringLiteral("/QtCore/") + bare);
}

} // namespace

class TestArchitecture : public QObject {
    Q_OBJECT
private slots:
    void foldersIncludeOnlyAlongTheArrows_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("mayInclude");
        QTest::newRow("model") << "model" << QStringList{"model"};
        QTest::newRow("platform") << "platform" << QStringList{"platform", "model"};
        QTest::newRow("ui") << "ui" << QStringList{"ui"};
        QTest::newRow("sound") << "sound" << QStringList{"sound", "platform"};
        QTest::newRow("speech") << "speech" << QStringList{"speech", "platform"};
        QTest::newRow("record") << "record" << QStringList{"record", "platform"};
        QTest::newRow("worksheet") << "worksheet" << QStringList{"worksheet", "model"};
        QTest::newRow("sheetdialog")
            << "sheetdialog" << QStringList{"sheetdialog", "worksheet", "model"};
        QTest::newRow("shell") << "shell" << QStringList{"shell", "model", "ui", "platform"};
        QTest::newRow("frame") << "frame"
                               << QStringList{"frame", "shell", "model", "ui", "platform"};
        QTest::newRow("exercises")
            << "exercises" << QStringList{"exercises", "frame", "shell", "model", "ui", "platform"};
        QTest::newRow("app") << "app" << QStringList{"app",   "exercises", "frame",    "shell",
                                                     "model", "ui",        "platform", "worksheet"};
    }
    void foldersIncludeOnlyAlongTheArrows() {
        QFETCH(QString, folder);
        QFETCH(QStringList, mayInclude);
        QStringList wrong;
        int seen = 0;
        for (const Include& include : allIncludes()) {
            if (folderOf(include.file) != folder)
                continue;
            ++seen;
            if (include.angled) {
                const bool qt = include.target.startsWith(u'Q');
                if (folder == QLatin1String("model") && qt && !isQtCoreHeader(include.target))
                    wrong << where(include) + QStringLiteral(" (the model uses Qt Core only)");
            } else if (include.target.contains(u'/') &&
                       !mayInclude.contains(folderOf(include.target))) {
                wrong << where(include);
            }
        }
        QVERIFY2(seen > 0, qPrintable(folder));
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
    }

    void noVariableIsDeclaredForTheWholeProgram() {
        static const QRegularExpression shared(QStringLiteral("^\\s*extern\\s+(?!\"C\")"));
        QStringList found;
        QDirIterator it(Sources, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
            for (int line = 1; !file.atEnd(); ++line)
                if (shared.match(QString::fromUtf8(file.readLine())).hasMatch())
                    found << QStringLiteral("%1:%2").arg(file.fileName()).arg(line);
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }

    // An interface and another folder's implementation of it have names of
    // their own ("platform/SoundPluginInterface.h", "sound/SoundPlugin.cpp"):
    // a tool that pairs a header with its source by name pairs them right.
    // Only a program's main() is in a main.cpp in each program's folder.
    void noTwoFoldersShareAFileName() {
        QHash<QString, QSet<QString>> folders; // by name without its extension
        QDirIterator it(Sources, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next().mid(Sources.size());
            folders[path.section(u'/', -1).section(u'.', 0, 0)].insert(path.section(u'/', 0, -2));
        }
        QVERIFY(folders.size() > 50);
        QStringList shared;
        for (auto name = folders.cbegin(); name != folders.cend(); ++name)
            if (name.value().size() > 1 && name.key() != QStringLiteral("main"))
                shared << name.key() + QStringLiteral(" in ") + name.value().values().join(u' ');
        QVERIFY2(shared.isEmpty(), qPrintable(shared.join(u'\n')));
    }

    void noUnitReachesItselfThroughItsIncludes() {
        // A unit is a header with its source file: "ui/Screen".
        QHash<QString, QSet<QString>> uses;
        for (const Include& include : allIncludes()) {
            if (include.angled || !include.target.contains(u'/'))
                continue;
            const QString from = include.file.section(u'.', 0, 0);
            const QString to = include.target.section(u'.', 0, 0);
            if (from != to)
                uses[from].insert(to);
        }
        QStringList loops;
        for (auto it = uses.cbegin(); it != uses.cend(); ++it) {
            // Breadth-first from the unit's own includes, remembering the way.
            QHash<QString, QString> cameFrom;
            QList<QString> queue(it.value().cbegin(), it.value().cend());
            for (const QString& next : queue)
                cameFrom.insert(next, it.key());
            for (qsizetype i = 0; i < queue.size(); ++i) {
                if (queue[i] == it.key()) {
                    QStringList way{it.key()};
                    for (QString at = cameFrom.value(it.key()); at != it.key();
                         at = cameFrom.value(at))
                        way.prepend(at);
                    way.prepend(it.key());
                    loops << way.join(QStringLiteral(" -> "));
                    break;
                }
                for (const QString& next : uses.value(queue[i]))
                    if (!cameFrom.contains(next)) {
                        cameFrom.insert(next, queue[i]);
                        queue.append(next);
                    }
            }
        }
        QVERIFY2(loops.isEmpty(), qPrintable(loops.join(u'\n')));
    }
};

QTEST_APPLESS_MAIN(TestArchitecture)
#include "test_architecture.moc"

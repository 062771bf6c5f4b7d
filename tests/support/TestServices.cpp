#include "support/TestServices.h"

#include "app/AllScreens.h"
#include "shell/Lesson.h"
#include "ui/TapGuard.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QTest>

QString FakeSounds::last() const {
    return played.isEmpty() ? QString() : QFileInfo(played.last()).fileName();
}

Lesson& testLesson() {
    static Lesson lesson;
    return lesson;
}

TestServices::TestServices() {
    platform::Services& s = platform::services();
    s.messages = &messages;
    s.sounds = &sounds;
    s.random = &random;
    s.programFolder = folder.path();
    s.endProgram = [this](int code) { endCodes << code; };
    testLesson() = Lesson();
    // Tests click faster than any hand; the hold has its own test.
    ui::setTapHold(0);
}

TestServices::~TestServices() {
    platform::services() = platform::Services();
}

void TestServices::writeFile(const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(file.fileName()));
    file.write(bytes);
}

void TestServices::setCatalogue(const QList<std::tuple<QString, int, int>>& records) {
    Catalogue catalogue;
    for (const auto& [name, buying, selling] : records)
        catalogue.records.push_back({name, lire(buying), lire(selling)});
    testLesson() = Lesson();
    testLesson().load(catalogue);
}

void setUpItalianProgram() {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    setUpToolkit();
    registerAllScreens(testLesson());
}

bool useOffscreenDisplay(QSize size) {
    static QTemporaryFile config;
    if (!config.open())
        return false;
    config.write(QStringLiteral(R"({"screens": [{"name": "aula", "x": 0, "y": 0, "width": %1,
                 "height": %2, "logicalDpi": 96}]})")
                     .arg(size.width())
                     .arg(size.height())
                     .toUtf8());
    config.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    return true;
}

void closeAllWindows() {
    for (QWidget* w : QApplication::topLevelWidgets())
        w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

Money lire(std::int64_t whole) {
    return Money::fromWhole(whole);
}

namespace pupil {

void type(ui::AnswerBox* box, const QString& text) {
    QTest::keyClicks(box, text);
}

void pressEnter(QWidget* widget) {
    QTest::keyPress(widget, Qt::Key_Return);
}

void releaseEnter(QWidget* widget) {
    QTest::keyRelease(widget, Qt::Key_Return);
}

void enter(QWidget* widget) {
    QTest::keyClick(widget, Qt::Key_Return);
}

void answer(ui::AnswerBox* box, const QString& text) {
    box->clear();
    type(box, text);
    enter(box);
}

void choose(QAction* item) {
    item->trigger();
}

} // namespace pupil

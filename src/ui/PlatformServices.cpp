#include "ui/PlatformServices.h"

#include "ui/PictureLoader.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSoundEffect>
#include <QUrl>
#include <chrono>

namespace ui {

namespace {

const QString Title = QStringLiteral("La mercanzola");

int runBox(QWidget* parent, QMessageBox::Icon icon, const QString& text, bool yesNo) {
    QMessageBox box(icon, Title, text, QMessageBox::NoButton, parent);
    if (yesNo) {
        QPushButton* yes = box.addButton(QStringLiteral("Sì"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
        // Enter answers Yes and Escape No, whatever order the platform puts the buttons in.
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
    } else {
        box.addButton(QMessageBox::Ok);
    }
    box.exec();
    // Without a window manager the keyboard would stay with no window once the
    // box is gone: hand it back to the screen the box stood over.
    if (parent && parent->isVisible())
        parent->window()->activateWindow();
    return box.buttonRole(box.clickedButton());
}

} // namespace

void QtMessageBoxes::inform(QWidget* parent, const QString& text) {
    runBox(parent, QMessageBox::Information, text, false);
}

Answer QtMessageBoxes::ask(QWidget* parent, const QString& text) {
    return runBox(parent, QMessageBox::Question, text, true) == QMessageBox::YesRole ? Answer::Yes
                                                                                     : Answer::No;
}

void QtMessageBoxes::reportError(const QString& text) {
    runBox(nullptr, QMessageBox::Critical, text, false);
}

QtSoundPlayer::~QtSoundPlayer() {
    qDeleteAll(effects);
}

void QtSoundPlayer::play(const QString& path) {
    QSoundEffect* effect = effects.value(path);
    if (!effect) {
        if (!QFileInfo::exists(path))
            return;
        effect = new QSoundEffect;
        effect->setSource(QUrl::fromLocalFile(path));
        effects.insert(path, effect);
    }
    // A new sound may cut short the one playing, as the feedback comes quickly.
    effect->stop();
    effect->play();
}

ClockRandomSource::ClockRandomSource()
    : engine(
          static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count())) {
}

double ClockRandomSource::next() {
    // 53 random bits over 2^53: always strictly below 1, unlike
    // uniform_real_distribution, which may round up.
    return static_cast<double>(engine() >> 11) * 0x1.0p-53;
}

void installPlatformServices() {
    static QtMessageBoxes messages;
    static QtSoundPlayer* sounds = new QtSoundPlayer; // freed with the process
    static ClockRandomSource random;
    static FilePictureLoader pictureFiles;
    static CachingPictureLoader pictures(pictureFiles);
    Services& s = services();
    s.messages = &messages;
    s.sounds = sounds;
    s.random = &random;
    s.pictures = &pictures;
    s.programFolder = QApplication::applicationDirPath();
    s.endProgram = [](int code) { QApplication::exit(code); };
}

} // namespace ui

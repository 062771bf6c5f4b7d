#include "platform/PlatformServices.h"

#include "platform/PictureLoader.h"
#include "platform/PluginSoundPlayer.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <chrono>

namespace platform {

namespace {

const QString Title = QStringLiteral("La mercanzola");

// A box over a screen drawn larger grows by the screen's factor, so that a
// finger at the board can reach "Sì" and "No"; the screen says its factor.
double boxScale(const QWidget* parent) {
    const QWidget* window = parent ? parent->window() : nullptr;
    const QVariant factor = window ? window->property("contentScale") : QVariant();
    return factor.isValid() ? qMax(1.0, factor.toDouble()) : 1.0;
}

// A fingertip's size at scale 1.
constexpr int TouchTarget = 48;

// The buttons are a fingertip high in every mode, a window's included.
void growBox(QMessageBox& box, double factor) {
    if (factor > 1.0) {
        QFont font = box.font();
        if (font.pixelSize() > 0)
            font.setPixelSize(int(font.pixelSize() * factor));
        else
            font.setPointSizeF(font.pointSizeF() * factor);
        box.setFont(font);
    }
    const int side = int(TouchTarget * factor);
    for (QAbstractButton* button : box.buttons())
        button->setMinimumSize(2 * side, side);
}

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
    growBox(box, boxScale(parent));
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

ClockRandomSource::ClockRandomSource()
    : engine(
          static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count())) {
}

double ClockRandomSource::next() {
    // 53 random bits over 2^53: always strictly below 1, unlike
    // uniform_real_distribution, which may round up.
    return static_cast<double>(engine() >> 11) * 0x1.0p-53;
}

QString soundPluginPath(const QString& programFolder) {
    return QDir(programFolder).absoluteFilePath(QStringLiteral("plugins/mercanzola_sound"));
}

QStringList ownDataFolders() {
    // The user's own first, then the school's: both outside the program folder,
    // which an upgrade of the package replaces.
    return {QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                QStringLiteral("/mercanzola"),
            QStringLiteral("/etc/mercanzola")};
}

void installPlatformServices(const QString& programFolder) {
    static QtMessageBoxes messages;
    static ClockRandomSource random;
    static FilePictureLoader pictureFiles;
    static CachingPictureLoader pictures(pictureFiles);
    const QString folder =
        programFolder.isEmpty() ? QApplication::applicationDirPath() : programFolder;
    // Freed with the process: its sounds may still be playing at the end.
    static auto* sounds = new PluginSoundPlayer(soundPluginPath(folder));
    Services& s = services();
    s.messages = &messages;
    s.sounds = sounds;
    s.random = &random;
    s.pictures = &pictures;
    s.programFolder = folder;
    s.ownDataFolders = ownDataFolders();
    s.endProgram = [](int code) { QApplication::exit(code); };
}

} // namespace platform

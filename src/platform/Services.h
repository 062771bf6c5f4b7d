#pragma once

#include "model/Draw.h"

#include <QString>
#include <QStringList>
#include <functional>

class QImage;
class QSize;
class QWidget;

// What the screens need from the platform, behind small interfaces so that the
// tests can answer message boxes, listen for sounds and pose exact problems.
namespace platform {

enum class Answer { Yes, No };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Information icon, OK button.
    virtual void inform(QWidget* parent, const QString& text) = 0;
    // Question icon, Yes and No buttons.
    virtual Answer ask(QWidget* parent, const QString& text) = 0;
    // Error icon, OK button; used once, just before the program ends.
    virtual void reportError(const QString& text) = 0;
};

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts playing a WAV file and returns at once; a missing file stays quiet.
    virtual void play(const QString& path) = 0;
    // Sounds will be asked for soon: the player may get ready in idle time.
    virtual void prepare() {}
};

// The program's random generator: a uniform draw in [0, 1), never 1.
using RandomSource = UniformSource;

class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    // The picture in a file, decoded for showing at `size` pixels; a null image
    // when the file is missing or cannot be read.
    virtual QImage load(const QString& path, const QSize& size) = 0;
};

struct Services {
    MessageBoxes* messages = nullptr;
    SoundPlayer* sounds = nullptr;
    RandomSource* random = nullptr;
    // Null: every picture counts as missing.
    PictureLoader* pictures = nullptr;
    // The folder that holds the program and its data files.
    QString programFolder;
    // Folders of the school's own sounds and pictures, searched in order before
    // the program folder: files there replace the shipped ones of the same name.
    QStringList ownDataFolders;
    // Ends the program with the given exit code.
    std::function<void(int)> endProgram;
};

Services& services();

} // namespace platform

#pragma once

#include "ui/Services.h"

#include <QHash>
#include <memory>
#include <random>

class QSoundEffect;

namespace ui {

class QtMessageBoxes : public MessageBoxes {
public:
    void inform(QWidget* parent, const QString& text) override;
    Answer ask(QWidget* parent, const QString& text) override;
    void reportError(const QString& text) override;
};

class QtSoundPlayer : public SoundPlayer {
public:
    ~QtSoundPlayer() override;
    void play(const QString& path) override;

private:
    // One effect per file, made on first use and kept: loading a WAV each time
    // would delay the feedback.
    QHash<QString, QSoundEffect*> effects;
};

class ClockRandomSource : public RandomSource {
public:
    ClockRandomSource(); // seeded from the clock
    double next() override;

private:
    std::mt19937_64 engine;
};

// Installs the real services for the running program.
void installPlatformServices();

} // namespace ui

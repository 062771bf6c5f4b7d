#pragma once

#include "platform/Services.h"

#include <QStringList>
#include <random>

// Platform services for a long unattended run: they count rather than record,
// so that the soak's own bookkeeping does not grow with the answers.
class QuietMessages : public platform::MessageBoxes {
public:
    explicit QuietMessages(std::mt19937_64& engine) : engine(engine) {}
    void inform(QWidget*, const QString&) override { ++informed; }
    // "Vuoi tornare al menù?" mostly Yes, "Vuoi uscire dal programma?" mostly No:
    // both answers are given now and then.
    platform::Answer ask(QWidget*, const QString& text) override;
    void reportError(const QString& text) override { errors << text; }

    int informed = 0, asked = 0;
    QStringList errors; // each one a failure of the run
private:
    std::mt19937_64& engine;
};

class SilentSounds : public platform::SoundPlayer {
public:
    void play(const QString&) override { ++played; }
    long played = 0;
};

// The program's draws from a fixed seed, so that a run can be repeated.
class SeededRandom : public platform::RandomSource {
public:
    explicit SeededRandom(std::mt19937_64& engine) : engine(engine) {}
    double next() override { return static_cast<double>(engine() >> 11) * 0x1.0p-53; }

private:
    std::mt19937_64& engine;
};

// Resident memory of this process in KiB, after handing freed heap back to the
// system so that only memory in use is counted.
long residentKiB();

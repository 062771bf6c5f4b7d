#pragma once

#include "platform/Services.h"

#include <memory>
#include <random>

namespace platform {

class QtMessageBoxes : public MessageBoxes {
public:
    void inform(QWidget* parent, const QString& text) override;
    Answer ask(QWidget* parent, const QString& text) override;
    void reportError(const QString& text) override;
};

class ClockRandomSource : public RandomSource {
public:
    ClockRandomSource(); // seeded from the clock
    double next() override;

private:
    std::mt19937_64 engine;
};

// The sound plugin's path in a program folder.
QString soundPluginPath(const QString& programFolder);

// Where a school puts sounds and pictures of its own, in the order searched:
// ~/.local/share/mercanzola, then /etc/mercanzola (each with suoni/, immagini/).
QStringList ownDataFolders();

// Installs the real services for the running program, whose folder is the
// executable's unless given.
void installPlatformServices(const QString& programFolder = {});

} // namespace platform

#pragma once

#include "platform/Services.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <memory>

namespace platform {

// Plays through the sound plugin, loaded when first needed: in the idle time
// after a paint once prepare() is called, or by the first sound if that comes
// sooner. A plugin that
// is missing or cannot be loaded is like a machine without an audio device:
// every sound stays quiet, and one line on standard error says why. So does a
// sound file that is not a regular file or is larger than MaxSoundBytes, with
// one line naming it.
class PluginSoundPlayer : public SoundPlayer {
public:
    // A minute of CD-quality sound; the feedback sounds last a second or two.
    static constexpr qint64 MaxSoundBytes = 5 * 1024 * 1024;

    // The plugin's path, with or without the platform's prefix and suffix.
    explicit PluginSoundPlayer(QString pluginPath);
    ~PluginSoundPlayer() override;

    void play(const QString& path) override;

    // Loads the plugin unless already tried.
    void load();
    bool isLoaded() const { return player != nullptr; }

    // Loads the plugin in the idle time after the next window is painted.
    void prepare() override;

private:
    // Looks at a sound file once: a regular file within MaxSoundBytes, or a
    // missing one (quiet), may be played.
    bool accept(const QString& path);

    QString pluginPath;
    bool tried = false;
    std::unique_ptr<SoundPlayer> player;
    QPointer<QObject> watcher;
    // Whether each sound file asked for may be played; a refused one is said
    // once, then stays quiet.
    QHash<QString, bool> checked;
};

} // namespace platform

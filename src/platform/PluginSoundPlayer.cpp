#include "platform/PluginSoundPlayer.h"

#include "platform/DataFile.h"
#include "platform/Idle.h"
#include "platform/PluginLoading.h"
#include "platform/SoundPluginInterface.h"
#include "platform/Warning.h"

namespace platform {

PluginSoundPlayer::PluginSoundPlayer(QString pluginPath) : pluginPath(std::move(pluginPath)) {}

PluginSoundPlayer::~PluginSoundPlayer() {
    delete watcher;
}

void PluginSoundPlayer::play(const QString& path) {
    // The player loads a file whole and keeps it: a long recording mistaken for
    // a sound would take the memory of the whole program many times over. A
    // missing file stays quiet, as ever. Each file is looked at once.
    const auto known = checked.constFind(path);
    if (known != checked.constEnd() ? !*known : !accept(path))
        return;
    load();
    if (player)
        player->play(path);
}

bool PluginSoundPlayer::accept(const QString& path) {
    const DataFile file = checkDataFile(path, MaxSoundBytes);
    const bool fit = file.problem.isEmpty() || file.missing;
    checked.insert(path, fit);
    if (!fit)
        warn(QStringLiteral("suono inutilizzabile, al suo posto il silenzio: %1. %2")
                 .arg(path, file.problem));
    return fit;
}

void PluginSoundPlayer::load() {
    if (tried)
        return;
    tried = true;
    QString why;
    if (auto* factory = loadPlugin<SoundPlayerFactory>(
            pluginPath, QStringLiteral("il modulo dei suoni"), &why)) {
        player.reset(factory->createSoundPlayer());
        return;
    }
    warn(QStringLiteral("niente suoni: %1").arg(why));
}

void PluginSoundPlayer::prepare() {
    if (tried)
        return;
    if (!watcher)
        watcher = afterNextPaint([this] { load(); });
}

} // namespace platform

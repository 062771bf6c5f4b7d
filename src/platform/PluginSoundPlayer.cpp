#include "platform/PluginSoundPlayer.h"

#include "platform/DataFile.h"
#include "platform/Idle.h"
#include "platform/SoundPlugin.h"

#include <QPluginLoader>

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
        qWarning().noquote()
            << QStringLiteral(
                   "la mercanzola: suono inutilizzabile, al suo posto il silenzio: %1. %2")
                   .arg(path, file.problem);
    return fit;
}

void PluginSoundPlayer::load() {
    if (tried)
        return;
    tried = true;
    // The plugin stays loaded for the rest of the run, as its player does.
    QPluginLoader loader(pluginPath);
    if (auto* factory = qobject_cast<SoundPlayerFactory*>(loader.instance())) {
        player.reset(factory->createSoundPlayer());
        return;
    }
    const QString why =
        loader.fileName().isEmpty() ? QStringLiteral("manca il modulo %1").arg(pluginPath)
        : loader.isLoaded() ? QStringLiteral("%1 non è il modulo dei suoni").arg(loader.fileName())
                            : loader.errorString();
    qWarning().noquote() << QStringLiteral("la mercanzola: niente suoni: %1").arg(why);
}

void PluginSoundPlayer::prepare() {
    if (tried)
        return;
    if (!watcher)
        watcher = afterNextPaint([this] { load(); });
}

} // namespace platform

#include "platform/PluginLoading.h"

namespace platform {

QString whyNotLoaded(const QPluginLoader& loader, const QString& path, const QString& module) {
    if (loader.fileName().isEmpty())
        return QStringLiteral("manca il modulo %1").arg(path);
    if (loader.isLoaded())
        return QStringLiteral("%1 non è %2").arg(loader.fileName(), module);
    return loader.errorString();
}

} // namespace platform

#include "platform/PluginLoading.h"

#include <QRegularExpression>

namespace platform {

QString whyNotLoaded(const QPluginLoader& loader, const QString& path, const QString& module,
                     const QString& packages) {
    if (loader.fileName().isEmpty())
        return QStringLiteral("manca il modulo %1").arg(path);
    if (loader.isLoaded())
        return QStringLiteral("%1 non è %2").arg(loader.fileName(), module);
    // The dynamic loader's words, as dlerror() gives them.
    static const QRegularExpression missingLibrary(
        QStringLiteral("([^ (:]+): cannot open shared object file"));
    const QRegularExpressionMatch missing = missingLibrary.match(loader.errorString());
    if (missing.hasMatch() && !packages.isEmpty())
        return QStringLiteral("manca la libreria %1; si installa con: sudo apt install %2")
            .arg(missing.captured(1), packages);
    return loader.errorString();
}

} // namespace platform

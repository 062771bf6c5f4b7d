#pragma once

#include <QPluginLoader>
#include <QString>

namespace platform {

// Why a plugin gave no instance of its interface: missing, not the module
// named, or the loader's own error. A library it links that is not on the PC
// is named with the Debian `packages` that bring it, when given.
QString whyNotLoaded(const QPluginLoader& loader, const QString& path, const QString& module,
                     const QString& packages = {});

// The plugin at `path` as its interface; null with why in *why. Once loaded it
// stays loaded for the rest of the run.
template <class Interface>
Interface* loadPlugin(const QString& path, const QString& module, QString* why,
                      const QString& packages = {}) {
    QPluginLoader loader(path);
    if (auto* found = qobject_cast<Interface*>(loader.instance()))
        return found;
    *why = whyNotLoaded(loader, path, module, packages);
    return nullptr;
}

} // namespace platform

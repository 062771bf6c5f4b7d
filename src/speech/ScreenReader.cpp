#include "speech/ScreenReader.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusVariant>

namespace {

const QString Service = QStringLiteral("org.a11y.Bus");
const QString Path = QStringLiteral("/org/a11y/bus");
const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString Status = QStringLiteral("org.a11y.Status");

bool flag(QDBusInterface& status, const QString& name) {
    const QDBusReply<QDBusVariant> reply = status.call(QStringLiteral("Get"), Status, name);
    return reply.isValid() && reply.value().variant().toBool();
}

} // namespace

ScreenReaderWatch::ScreenReaderWatch() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    // Watched before it is asked, so that no change falls between the two.
    bus.connect(Service, Path, Properties, QStringLiteral("PropertiesChanged"), this,
                SLOT(propertiesChanged(QString, QVariantMap, QStringList)));
    read();
}

void ScreenReaderWatch::propertiesChanged(const QString& interface, const QVariantMap&,
                                          const QStringList&) {
    if (interface != Status)
        return;
    const bool before = isRunning;
    read();
    if (isRunning != before)
        emit changed(isRunning);
}

// Both flags as they are now: the bus turns IsEnabled on before it tells
// that ScreenReaderEnabled is.
void ScreenReaderWatch::read() {
    QDBusInterface status(Service, Path, Properties, QDBusConnection::sessionBus());
    if (!status.isValid())
        return;
    const bool screenReader = flag(status, QStringLiteral("ScreenReaderEnabled"));
    const bool enabled = flag(status, QStringLiteral("IsEnabled"));
    // Orca started from a terminal turns on only IsEnabled. A screen reader
    // started through ScreenReaderEnabled turns on both, and leaves IsEnabled
    // on when it stops: that one is not a screen reader running.
    if (enabled && !wasEnabled)
        enabledAlone = !screenReader;
    if (!enabled)
        enabledAlone = false;
    wasEnabled = enabled;
    isRunning = screenReader || enabledAlone;
}

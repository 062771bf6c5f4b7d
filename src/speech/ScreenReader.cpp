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
const QString Enabled = QStringLiteral("ScreenReaderEnabled");

} // namespace

ScreenReaderWatch::ScreenReaderWatch() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    // Watched before it is asked, so that no change falls between the two.
    bus.connect(Service, Path, Properties, QStringLiteral("PropertiesChanged"), this,
                SLOT(propertiesChanged(QString, QVariantMap, QStringList)));
    QDBusInterface status(Service, Path, Properties, bus);
    if (!status.isValid())
        return;
    const QDBusReply<QDBusVariant> reply = status.call(QStringLiteral("Get"), Status, Enabled);
    isRunning = reply.isValid() && reply.value().variant().toBool();
}

void ScreenReaderWatch::propertiesChanged(const QString& interface, const QVariantMap& changed,
                                          const QStringList&) {
    if (interface != Status || !changed.contains(Enabled))
        return;
    const bool now = changed.value(Enabled).toBool();
    if (now == isRunning)
        return;
    isRunning = now;
    emit this->changed(now);
}

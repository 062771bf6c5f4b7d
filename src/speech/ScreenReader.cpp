#include "speech/ScreenReader.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusVariant>

bool screenReaderRunning() {
    QDBusInterface status(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                          QStringLiteral("org.freedesktop.DBus.Properties"),
                          QDBusConnection::sessionBus());
    if (!status.isValid())
        return false;
    const QDBusReply<QDBusVariant> reply =
        status.call(QStringLiteral("Get"), QStringLiteral("org.a11y.Status"),
                    QStringLiteral("ScreenReaderEnabled"));
    return reply.isValid() && reply.value().variant().toBool();
}

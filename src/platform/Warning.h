#pragma once

#include <QDebug>
#include <QString>

namespace platform {

// "la mercanzola: ..." on standard error: the one way the program tells the
// terminal what went wrong without stopping. Through Qt's message handler, so
// that a test can listen for it.
inline void warn(const QString& text) {
    qWarning().noquote() << QStringLiteral("la mercanzola: ") + text;
}

} // namespace platform

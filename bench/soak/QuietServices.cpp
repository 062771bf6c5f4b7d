#include "QuietServices.h"

#include <QFile>
#include <QRegularExpression>
#include <malloc.h>

platform::Answer QuietMessages::ask(QWidget*, const QString& text) {
    ++asked;
    const bool leaving = text.contains(QStringLiteral("uscire"));
    const bool yes = (engine() % 10 == 0) == leaving;
    return yes ? platform::Answer::Yes : platform::Answer::No;
}

long residentKiB() {
    malloc_trim(0);
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression rss(QStringLiteral("VmRSS:\\s*(\\d+) kB"));
    const QRegularExpressionMatch m = rss.match(QString::fromLatin1(status.readAll()));
    return m.hasMatch() ? m.captured(1).toLong() : -1;
}

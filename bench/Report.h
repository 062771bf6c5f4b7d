#pragma once

#include <QString>
#include <cstdio>

// One measurement of a benchmark child, read back by the runner:
// "result<TAB>name<TAB>nanoseconds".
inline void report(const QString& name, qint64 nanoseconds) {
    std::printf("result\t%s\t%lld\n", qPrintable(name), static_cast<long long>(nanoseconds));
    std::fflush(stdout);
}

// The name of an exercise screen, "Form1" to "Form13".
template <class Id> QString formName(Id id) {
    return QStringLiteral("Form%1").arg(int(id) - int(Id::Form1) + 1);
}

#pragma once

#include "model/Exercises.h"

#include <QString>
#include <cstdio>

// One measurement of a benchmark child, read back by the runner:
// "result<TAB>name<TAB>nanoseconds".
inline void report(const QString& name, qint64 nanoseconds) {
    std::printf("result\t%s\t%lld\n", qPrintable(name), static_cast<long long>(nanoseconds));
    std::fflush(stdout);
}

// The name of an exercise screen by its number, "Form1" to "Form13".
inline QString formName(Exercise exercise) {
    return QStringLiteral("Form%1").arg(exerciseInfo(exercise).number);
}

#pragma once

#include <QLocale>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <iterator>

// A property that failed: say which, with the input's own words, and stop so that
// libFuzzer keeps the input as a crash.
#define FUZZ_CHECK(condition, detail)                                                              \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "property failed: %s\n  %s\n", #condition,                        \
                         qPrintable(QString(detail)));                                             \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// The locales an amount may be shown in: the program follows the system's, and a
// school PC may be set to any of these. All write Latin digits.
inline const QLocale& fuzzLocale(unsigned char pick) {
    static const QLocale locales[] = {
        QLocale::c(),
        QLocale(QLocale::Italian, QLocale::Italy),
        QLocale(QLocale::Italian, QLocale::Switzerland),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::French, QLocale::France),
        QLocale(QLocale::Spanish, QLocale::Spain),
        QLocale(QLocale::Hindi, QLocale::India),
    };
    return locales[pick % std::size(locales)];
}

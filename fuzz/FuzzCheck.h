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

// Languages a school PC may be set to; an amount must be written the Italian
// way under every one of them.
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

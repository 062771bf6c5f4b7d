#pragma once

#include <QList>
#include <algorithm>

// Median, least and greatest of a set of samples.
struct Stats {
    double median = 0, min = 0, max = 0;
    int count = 0;

    static Stats of(QList<double> samples) {
        Stats s;
        s.count = int(samples.size());
        if (samples.isEmpty())
            return s;
        std::sort(samples.begin(), samples.end());
        const qsizetype middle = samples.size() / 2;
        s.median =
            samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
        s.min = samples.front();
        s.max = samples.back();
        return s;
    }
};

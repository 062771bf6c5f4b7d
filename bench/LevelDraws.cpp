// What a level costs a draw: the time of drawing a problem at level 1 over the
// plain draw, for each exercise, from a catalogue of 500 articles (a third of
// them plain enough for level 1). The target: no more than 2 µs over.
// Usage: bench_levels [DRAWS]. Prints one line per exercise and the largest.

#include "model/Problem.h"
#include "model/SeededRandom.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

Catalogue fiveHundred() {
    Catalogue catalogue;
    for (int k = 1; k <= 500; ++k) {
        const int buy = k % 3 == 0 ? (k % 40 + 1) * 500 : 100 + k * 37;
        catalogue.records.push_back({QStringLiteral("articolo numero %1").arg(k),
                                     Money::fromWhole(buy), Money::fromWhole(buy + buy / 2)});
    }
    return catalogue;
}

// Nanoseconds per draw, the best of five rounds.
double perDraw(Exercise exercise, const Catalogue& catalogue, LevelDraw level, int draws) {
    double best = 1e18;
    for (int round = 0; round < 5; ++round) {
        SeededRandom random(round + 1);
        const auto start = std::chrono::steady_clock::now();
        int sink = 0;
        for (int i = 0; i < draws; ++i)
            sink += drawProblem(exercise, catalogue, random, level).record;
        const auto spent = std::chrono::steady_clock::now() - start;
        if (sink == -1)
            std::puts("");
        best = std::min(best, std::chrono::duration<double, std::nano>(spent).count() / draws);
    }
    return best;
}

} // namespace

int main(int argc, char* argv[]) {
    const int draws = argc > 1 ? std::atoi(argv[1]) : 20000;
    const Catalogue catalogue = fiveHundred();
    const LevelArticles articles(catalogue);
    double largest = 0;
    for (int n = 1; n <= ExerciseCount; ++n) {
        const auto exercise = static_cast<Exercise>(n);
        const double plain = perDraw(exercise, catalogue, {}, draws);
        const double first = perDraw(exercise, catalogue, {1, &articles}, draws);
        largest = std::max(largest, first - plain);
        std::printf("levels: exercise %2d, plain %7.0f ns, level 1 %7.0f ns, over %+6.0f ns\n", n,
                    plain, first, first - plain);
    }
    std::printf("%-52s %10.2f µs (target 2 µs)\n", "levels: a level-1 draw over the plain draw",
                largest / 1000);
    return 0;
}

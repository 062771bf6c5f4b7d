// A class's worksheets: 25 sheets of the 13 exercises, 4 problems each, with
// the answers, drawn, laid out and written as one PDF, as --scheda --classe
// does. Usage: bench_worksheet [ROUNDS]. Prints the wall time of each round
// and the median, and the pages and problems per page of one sheet.

#include "worksheet/Worksheet.h"
#include "model/Catalogue.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    QByteArray list;
    for (int k = 1; k <= 60; ++k)
        list += QStringLiteral("\"articolo numero %1\",%2,%3\n")
                    .arg(k)
                    .arg(100 + k * 50)
                    .arg(150 + k * 70)
                    .toUtf8();
    const Catalogue catalogue = readCatalogue(list, QStringLiteral("lista.txt"));
    WorksheetOptions options = WorksheetOptions::everyExercise();
    options.solutions = true;
    options.seed = 12345;
    for (int pupil = 1; pupil <= 25; ++pupil)
        options.pupils << QStringLiteral("Alunno numero %1").arg(pupil);
    QTemporaryDir folder;
    std::vector<double> seconds;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        const WriteResult result =
            writeWorksheetPdf(folder.filePath(QStringLiteral("classe.pdf")), catalogue, options);
        seconds.push_back(timer.nsecsElapsed() / 1e9);
        if (!result.error.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(result.error));
            return 1;
        }
        std::printf("round %d: %.3f s\n", round + 1, seconds.back());
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("worksheet: a class of 25 sheets x 13 exercises x 4 problems with the answers: "
                "median %.3f s over %d rounds\n",
                seconds[seconds.size() / 2], rounds);
    return 0;
}

// Levels: what each level draws, over every exercise in lire and euro, from a
// seeded source; that no level (and level 3) draws as the exercises always
// have; the plainest articles when too few fit; the teacher's settings; the
// pupil who moves up and down by himself.

#include "model/LevelChoice.h"
#include "model/LevelProgress.h"
#include "model/Problem.h"
#include "model/SeededRandom.h"

#include <QTest>
#include <set>

namespace {

Money whole(std::int64_t amount) {
    return Money::fromWhole(amount);
}

// A shop of plain and less plain prices, the same figures as lire or as cents.
Catalogue shop(const Currency& currency) {
    Catalogue catalogue;
    catalogue.currency = &currency;
    const std::pair<int, int> prices[] = {
        {800, 1200},  {1000, 1500},   {1500, 2000}, {12000, 15000}, {350, 500},
        {1250, 1750}, {12345, 15678}, {999, 1499},  {2300, 3150},   {700, 1100},
        {1900, 2000}, {2500, 3000},   {150, 240},   {4560, 5000},   {2000, 2500}};
    int n = 0;
    for (const auto& [buy, sell] : prices)
        catalogue.records.push_back(
            {QStringLiteral("articolo %1").arg(++n), whole(buy), whole(sell)});
    return catalogue;
}

bool drawsQuantity(Exercise exercise) {
    return exercise <= Exercise::NumberOfItems ||
           (exercise >= Exercise::FourCellTable && exercise <= Exercise::GainOfOne);
}

// What identifies a drawn problem, to compare two draws.
QString fingerprint(const Problem& problem) {
    QStringList parts = {QString::number(problem.record), QString::number(problem.quantity.value()),
                         problem.sentence(Reading::Written),
                         QString::number(problem.cost.roundedWhole()),
                         QString::number(problem.gain.roundedWhole())};
    for (int piece : problem.pieces)
        parts << QString::number(piece);
    for (const Step& step : problem.steps)
        parts << QString::number(step.figure.value.roundedWhole());
    return parts.join(u'|');
}

} // namespace

class TestLevels : public QObject {
    Q_OBJECT
private slots:
    // 500 draws at level 1 and 2 of each exercise, in lire and euro: every
    // article fits the level and each fitting one comes up; every quantity
    // lies within the level's range, each of them drawn; the money board's
    // cost stays in the lower part of its range.
    void drawsStayWithinTheLevel_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("exercise");
        QTest::addColumn<bool>("euro");
        QTest::addColumn<int>("fewest"); // items
        QTest::addColumn<int>("most");
        QTest::addColumn<int>("highestCost"); // the board's, before its scale
        for (int level : {1, 2})
            for (int exercise = 1; exercise <= ExerciseCount; ++exercise)
                for (bool euro : {false, true})
                    QTest::addRow("level %d, exercise %d, %s", level, exercise,
                                  euro ? "euro" : "lire")
                        << level << exercise << euro << 2 << (level == 1 ? 5 : 9)
                        << (level == 1 ? 19 : 24);
    }
    void drawsStayWithinTheLevel() {
        QFETCH(int, level);
        QFETCH(int, exercise);
        QFETCH(bool, euro);
        QFETCH(int, fewest);
        QFETCH(int, most);
        QFETCH(int, highestCost);
        const Catalogue catalogue = shop(euro ? Currency::euro() : Currency::lire());
        const LevelArticles articles(catalogue);
        const LevelRules& rules = levelRules(level);
        const auto which = static_cast<Exercise>(exercise);
        SeededRandom random(4300 + exercise);
        std::set<int> records, quantities, costs;
        for (int i = 0; i < 500; ++i) {
            const Problem problem = drawProblem(which, catalogue, random, {level, &articles});
            QCOMPARE(problem.level, level);
            if (which == Exercise::PayingWithMoney) {
                const auto scales = catalogue.currency->boardScales();
                const auto scale = std::find_if(scales.begin(), scales.end(), [&](int s) {
                    return problem.cost.roundedWhole() % s == 0 &&
                           problem.cost.roundedWhole() / s >= 10 &&
                           problem.cost.roundedWhole() / s <= highestCost;
                });
                QVERIFY2(scale != scales.end(), qPrintable(fingerprint(problem)));
                costs.insert(static_cast<int>(problem.cost.roundedWhole() / *scale));
                QVERIFY(problem.gain > Money() && problem.gain <= problem.cost);
                continue;
            }
            const CatalogueRecord& record = catalogue.records.at(problem.record - 1);
            QVERIFY2(articleFits(record, *catalogue.currency, rules),
                     qPrintable(fingerprint(problem)));
            records.insert(problem.record);
            if (drawsQuantity(which)) {
                QVERIFY2(problem.quantity.value() >= fewest && problem.quantity.value() <= most,
                         qPrintable(fingerprint(problem)));
                quantities.insert(problem.quantity.value());
            }
        }
        if (which == Exercise::PayingWithMoney) {
            QCOMPARE(int(costs.size()), highestCost - 9);
            return;
        }
        QCOMPARE(int(records.size()), articles.fitting(level));
        if (drawsQuantity(which))
            QCOMPARE(int(quantities.size()), most - fewest + 1);
    }

    // The prices a teacher would call plain at each level.
    void pricesFit_data() {
        QTest::addColumn<bool>("euro");
        QTest::addColumn<int>("price"); // lire, or cents
        QTest::addColumn<QList<int>>("levels");
        QTest::newRow("800 lire") << false << 800 << QList<int>{1, 2, 3};
        QTest::newRow("1.500 lire") << false << 1500 << QList<int>{1, 2, 3};
        QTest::newRow("12.000 lire") << false << 12000 << QList<int>{1, 2, 3};
        QTest::newRow("1.250 lire") << false << 1250 << QList<int>{2, 3};
        QTest::newRow("12.345 lire") << false << 12345 << QList<int>{3};
        QTest::newRow("3 euro") << true << 300 << QList<int>{1, 2, 3};
        QTest::newRow("20 euro") << true << 2000 << QList<int>{1, 2, 3};
        QTest::newRow("21 euro") << true << 2100 << QList<int>{2, 3};
        QTest::newRow("3,50 euro") << true << 350 << QList<int>{2, 3};
        QTest::newRow("12,50 euro") << true << 1250 << QList<int>{2, 3};
        QTest::newRow("3,55 euro") << true << 355 << QList<int>{3};
        QTest::newRow("123,50 euro") << true << 12350 << QList<int>{3};
    }
    void pricesFit() {
        QFETCH(bool, euro);
        QFETCH(int, price);
        QFETCH(QList<int>, levels);
        for (int level = 1; level <= 3; ++level)
            QCOMPARE(priceFits(whole(price), euro ? Currency::euro() : Currency::lire(),
                               levelRules(level)),
                     levels.contains(level));
    }

    // With no level, and at level 3, the same seed gives the same problems and
    // leaves the source where the exercises always have.
    void noLevelDrawsAsTheExercises_data() {
        QTest::addColumn<int>("exercise");
        QTest::addColumn<bool>("euro");
        for (int exercise = 1; exercise <= ExerciseCount; ++exercise)
            for (bool euro : {false, true})
                QTest::addRow("exercise %d, %s", exercise, euro ? "euro" : "lire")
                    << exercise << euro;
    }
    void noLevelDrawsAsTheExercises() {
        QFETCH(int, exercise);
        QFETCH(bool, euro);
        const Catalogue catalogue = shop(euro ? Currency::euro() : Currency::lire());
        const LevelArticles articles(catalogue);
        const auto which = static_cast<Exercise>(exercise);
        SeededRandom plain(7), none(7), third(7);
        for (int i = 0; i < 200; ++i) {
            const QString expected = fingerprint(drawProblem(which, catalogue, plain));
            QCOMPARE(fingerprint(drawProblem(which, catalogue, none, {0, &articles})), expected);
            QCOMPARE(fingerprint(drawProblem(which, catalogue, third, {3, &articles})), expected);
        }
        const double next = plain.next();
        QCOMPARE(none.next(), next);
        QCOMPARE(third.next(), next);
    }

    // Too few articles for a level: the three with the fewest non-zero digits,
    // said once in one sentence; enough of them, nothing said.
    void tooFewArticles_data() {
        QTest::addColumn<bool>("euro");
        QTest::addColumn<QList<int>>("prices"); // buying, selling, ...
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<int>>("drawn");
        QTest::addColumn<QString>("said");
        QTest::newRow("none fits level 1 in lire")
            << false << QList<int>{12345, 15678, 1250, 1750, 4567, 5678, 1234, 2345} << 1
            << QList<int>{2, 3, 4}
            << "livello 1: nell'elenco nessun articolo ha prezzi con al più due cifre diverse "
               "da zero; si usano i 3 articoli con meno cifre.";
        QTest::newRow("one fits level 1 in lire")
            << false << QList<int>{12345, 15678, 1000, 2000, 4567, 5678, 1234, 2345} << 1
            << QList<int>{2, 3, 4} << "livello 1: nell'elenco solo un articolo ha prezzi";
        QTest::newRow("no whole euro up to 20")
            << true << QList<int>{350, 450, 2500, 3000, 120, 180} << 1 << QList<int>{2, 1, 3}
            << "nessun articolo ha prezzi con euro interi fino a 20";
        QTest::newRow("two of two fit: enough")
            << false << QList<int>{1000, 2000, 500, 800} << 1 << QList<int>{1, 2} << QString();
        QTest::newRow("level 2 in euro")
            << true << QList<int>{355, 455, 12350, 15000, 2500, 3000} << 2 << QList<int>{3, 1, 2}
            << "solo un articolo ha prezzi con centesimi a decine";
    }
    void tooFewArticles() {
        QFETCH(bool, euro);
        QFETCH(QList<int>, prices);
        QFETCH(int, level);
        QFETCH(QList<int>, drawn);
        QFETCH(QString, said);
        Catalogue catalogue;
        catalogue.currency = euro ? &Currency::euro() : &Currency::lire();
        for (qsizetype i = 0; i + 1 < prices.size(); i += 2)
            catalogue.records.push_back(
                {QStringLiteral("a"), whole(prices[i]), whole(prices[i + 1])});
        const LevelArticles articles(catalogue);
        const auto pool = articles.records(level);
        QCOMPARE(QList<int>(pool.begin(), pool.end()), drawn);
        QVERIFY2(said.isEmpty() ? articles.shortage(level).isEmpty()
                                : articles.shortage(level).contains(said),
                 qPrintable(articles.shortage(level)));
        SeededRandom random(1);
        std::set<int> seen;
        for (int i = 0; i < 100; ++i)
            seen.insert(drawProblem(Exercise::Gain, catalogue, random, {level, &articles}).record);
        QCOMPARE(seen, std::set<int>(drawn.begin(), drawn.end()));
    }

    // What the teacher writes in the school's and the user's livello.conf,
    // and on the command line: the level each exercise is drawn at.
    void teachersChoice_data() {
        QTest::addColumn<QString>("school");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QStringList>("levels"); // exercises 1, 9 and 13
        QTest::addColumn<int>("stray");
        QTest::newRow("nothing") << ""
                                 << ""
                                 << "" << QStringList{"-", "-", "-"} << 0;
        QTest::newRow("the school's") << "# la scuola\nlivello = 2\n"
                                      << ""
                                      << "" << QStringList{"2", "2", "2"} << 0;
        QTest::newRow("one exercise") << "livello = 2\nlivello.9: 1\n"
                                      << ""
                                      << "" << QStringList{"2", "1", "2"} << 0;
        QTest::newRow("the user's first") << "livello = 2\nlivello.9 = 1\n"
                                          << "LIVELLO = Auto\n"
                                          << "" << QStringList{"auto", "auto", "auto"} << 0;
        QTest::newRow("the user's one, the school's rest") << "livello = 2\n"
                                                           << "livello.13 = 3\n"
                                                           << "" << QStringList{"2", "2", "3"} << 0;
        QTest::newRow("the command line over both") << "livello = 2\n"
                                                    << "livello.9 = 1\n"
                                                    << "3" << QStringList{"3", "3", "3"} << 0;
        QTest::newRow("lines not understood")
            << "livello = 4\nlivello.14 = 1\nlivelo = 2\nlivello.1 = 1\n"
            << ""
            << "" << QStringList{"1", "-", "-"} << 3;
    }
    void teachersChoice() {
        QFETCH(QString, school);
        QFETCH(QString, user);
        QFETCH(QString, commandLine);
        QFETCH(QStringList, levels);
        QFETCH(int, stray);
        const LevelSettings schools = readLevelSettings(school, ExerciseCount);
        const LevelSettings users = readLevelSettings(user, ExerciseCount);
        QCOMPARE(schools.strayLines.size() + users.strayLines.size(), stray);
        const auto typed = commandLine.isEmpty() ? std::nullopt : levelChoiceFromText(commandLine);
        QStringList got;
        for (int exercise : {1, 9, 13}) {
            const LevelChoice choice = levelFor(exercise, typed, users, schools);
            got << (choice.automatic    ? QStringLiteral("auto")
                    : choice.level == 0 ? QStringLiteral("-")
                                        : QString::number(choice.level));
        }
        QCOMPARE(got, levels);
    }

    // A pupil's answers, R right and W wrong, and the level after each change.
    void movesByHimself_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QList<int>>("changes");
        QTest::newRow("five right: up") << 1 << "RRRRR" << QList<int>{2};
        QTest::newRow("four right: stays") << 1 << "RRRR" << QList<int>{};
        QTest::newRow("a wrong breaks the row") << 1 << "RRRRWRRRR" << QList<int>{};
        QTest::newRow("ten right: up twice") << 1 << "RRRRRRRRRR" << QList<int>{2, 3};
        QTest::newRow("never above 3") << 3 << "RRRRRRRRRR" << QList<int>{};
        QTest::newRow("three wrong: down") << 2 << "WWW" << QList<int>{1};
        QTest::newRow("never below 1") << 1 << "WWWWWW" << QList<int>{};
        QTest::newRow("a right breaks the wrong row") << 3 << "WWRWW" << QList<int>{};
        QTest::newRow("a new level starts its rows afresh") << 1 << "RRRRRRRRR" << QList<int>{2};
        QTest::newRow("up, then down") << 1 << "RRRRRWWW" << QList<int>{2, 1};
    }
    void movesByHimself() {
        QFETCH(int, start);
        QFETCH(QString, answers);
        QFETCH(QList<int>, changes);
        LevelProgress progress(start);
        QList<int> got;
        for (QChar answer : answers)
            if (const auto level = progress.answered(answer == u'R'))
                got << *level;
        QCOMPARE(got, changes);
    }
};

QTEST_APPLESS_MAIN(TestLevels)
#include "test_levels.moc"

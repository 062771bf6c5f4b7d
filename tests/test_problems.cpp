// The problem of each exercise, drawn from a scripted random source: what it
// shows, what it asks and the right answers, worked out here by hand.

#include "model/Problem.h"
#include "model/SeededRandom.h"

#include <QTest>

namespace {

struct Script : UniformSource {
    QList<double> values;
    double next() override { return values.isEmpty() ? 0.0 : values.takeFirst(); }
};

// The value r whose draw from 1 to n gives k, or whose integer part of r x n is k - 1.
double drawing(int k, int n) {
    return (k - 0.5) / n;
}

Money whole(std::int64_t amount) {
    return Money::fromWhole(amount);
}

// Two records; the second sells below its buying price. In euro the same
// figures are cents.
Catalogue shop(const Currency& currency) {
    Catalogue catalogue;
    catalogue.currency = &currency;
    catalogue.records = {{QStringLiteral("quaderno"), whole(1000), whole(1500)},
                         {QStringLiteral("album"), whole(2400), whole(2100)}};
    return catalogue;
}

QStringList shown(const Problem& problem) {
    QStringList figures;
    for (const Figure& figure : problem.given)
        figures << figure.heading + u'=' + QString::number(figure.value.roundedWhole());
    return figures;
}

QStringList answers(const Problem& problem) {
    QStringList figures;
    for (const Step& step : problem.steps)
        figures << step.figure.heading + u'=' + QString::number(step.figure.value.roundedWhole());
    return figures;
}

} // namespace

class TestProblems : public QObject {
    Q_OBJECT
private slots:
    // Article and quantity as drawn (article 1 or 2, quantity 1 to 11; on the
    // screen that asks either cost, 1 for the total and 2 for the unit cost).
    void purchases_data() {
        QTest::addColumn<int>("exercise");
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QStringList>("asked");
        QTest::newRow("total cost, 11 pieces") << 1 << QList<double>{drawing(1, 2), drawing(11, 11)}
                                               << QStringList{"costo unitario=1500", "quantità=11"}
                                               << QStringList{"costo totale=16500"};
        QTest::newRow("unit cost")
            << 2 << QList<double>{drawing(2, 2), drawing(3, 11)}
            << QStringList{"costo totale=6300", "quantità=3"} << QStringList{"costo unitario=2100"};
        QTest::newRow("either, the total")
            << 3 << QList<double>{drawing(1, 2), drawing(4, 11), drawing(1, 2)}
            << QStringList{"costo unitario=1500", "quantità=4"} << QStringList{"costo totale=6000"};
        QTest::newRow("either, the unit cost")
            << 3 << QList<double>{drawing(1, 2), drawing(4, 11), drawing(2, 2)}
            << QStringList{"costo totale=6000", "quantità=4"} << QStringList{"costo unitario=1500"};
        QTest::newRow("number of items") << 4 << QList<double>{drawing(2, 2), drawing(7, 11)}
                                         << QStringList{"costo totale=14700", "costo unitario=2100"}
                                         << QStringList{"quantità=7"};
    }
    void purchases() {
        QFETCH(int, exercise);
        QFETCH(QList<double>, draws);
        QFETCH(QStringList, given);
        QFETCH(QStringList, asked);
        Script random;
        random.values = draws;
        const Problem problem =
            drawProblem(static_cast<Exercise>(exercise), shop(Currency::lire()), random);
        QCOMPARE(shown(problem), given);
        QCOMPARE(answers(problem), asked);
        QVERIFY(random.values.isEmpty()); // no draw more, none fewer
    }

    // Spesa, ricavo and guadagno of one article, a loss included.
    void profits_data() {
        QTest::addColumn<int>("exercise");
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QStringList>("asked");
        QTest::newRow("gain") << 5 << QList<double>{drawing(1, 2)}
                              << QStringList{"spesa=1000", "ricavo=1500"}
                              << QStringList{"guadagno=500"};
        QTest::newRow("gain of a loss")
            << 5 << QList<double>{drawing(2, 2)} << QStringList{"spesa=2400", "ricavo=2100"}
            << QStringList{"guadagno=-300"};
        QTest::newRow("revenue") << 6 << QList<double>{drawing(2, 2)}
                                 << QStringList{"spesa=2400", "guadagno=-300"}
                                 << QStringList{"ricavo=2100"};
        QTest::newRow("expense") << 7 << QList<double>{drawing(1, 2)}
                                 << QStringList{"ricavo=1500", "guadagno=500"}
                                 << QStringList{"spesa=1000"};
        QTest::newRow("mixed, kind 2")
            << 8 << QList<double>{drawing(1, 2), drawing(2, 3)}
            << QStringList{"spesa=1000", "ricavo=1500"} << QStringList{"guadagno=500"};
        QTest::newRow("mixed, kind 3")
            << 8 << QList<double>{drawing(1, 2), drawing(3, 3)}
            << QStringList{"ricavo=1500", "guadagno=500"} << QStringList{"spesa=1000"};
    }
    void profits() { purchases(); }

    // The cells named as the screen names them, in the order of answering; a
    // quantity of 0 where the one-item cells are not shown is drawn again.
    void tables_data() {
        QTest::addColumn<int>("exercise");
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QStringList>("asked");
        QTest::newRow("four cells") << 9 << QList<double>{drawing(1, 2), drawing(8, 11)}
                                    << QStringList{"spesa di 1=1000", "ricavo di 1=1500"}
                                    << QStringList{"guadagno di 1=500", "spesa di 7=7000",
                                                   "ricavo di 7=10500", "guadagno di 7=3500"};
        QTest::newRow("four cells, quantity 0")
            << 9 << QList<double>{drawing(2, 2), drawing(1, 11)}
            << QStringList{"spesa di 1=2400", "ricavo di 1=2100"}
            << QStringList{"guadagno di 1=-300", "spesa di 0=0", "ricavo di 0=0",
                           "guadagno di 0=0"};
        QTest::newRow("gain of several, a loss")
            << 10 << QList<double>{drawing(2, 2), drawing(4, 11)}
            << QStringList{"spesa di 1=2400", "ricavo di 1=2100"}
            << QStringList{"guadagno di 3=-900"};
        QTest::newRow("gain of one") << 11 << QList<double>{drawing(1, 2), drawing(6, 11)}
                                     << QStringList{"spesa di 5=5000", "ricavo di 5=7500"}
                                     << QStringList{"guadagno di 1=500"};
        QTest::newRow("gain of one, 0 drawn again")
            << 11 << QList<double>{drawing(1, 2), drawing(1, 11), drawing(2, 10)}
            << QStringList{"spesa di 2=2000", "ricavo di 2=3000"}
            << QStringList{"guadagno di 1=500"};
    }
    void tables() { purchases(); }

    // The right word first, then the amount: the difference of the two shown.
    void gainOrLoss_data() {
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QStringList>("asked");
        QTest::newRow("gain") << QList<double>{drawing(1, 2), drawing(1, 2)}
                              << QStringList{"spesa=1000", "ricavo=1500"}
                              << QStringList{"guadagno=0", "guadagno=500"};
        QTest::newRow("loss") << QList<double>{drawing(1, 2), drawing(2, 2)}
                              << QStringList{"spesa=1500", "ricavo=1000"}
                              << QStringList{"perdita=0", "perdita=500"};
        // Sold below its buying price, a gain still shows the larger as the ricavo.
        QTest::newRow("gain of a record sold at a loss")
            << QList<double>{drawing(2, 2), drawing(1, 2)}
            << QStringList{"spesa=2100", "ricavo=2400"}
            << QStringList{"guadagno=0", "guadagno=300"};
    }
    void gainOrLoss() {
        QFETCH(QList<double>, draws);
        QFETCH(QStringList, given);
        QFETCH(QStringList, asked);
        Script random;
        random.values = draws;
        const Problem problem = drawProblem(Exercise::GainOrLoss, shop(Currency::lire()), random);
        QCOMPARE(shown(problem), given);
        QCOMPARE(answers(problem), asked);
        QCOMPARE(problem.steps.front().kind, Step::Choice);
    }

    // Cost, gain and scale drawn; the board holds the cost's pieces and the
    // gain's, each counted apart; the same numbers in lire and in cents.
    void moneyBoard_data() {
        QTest::addColumn<bool>("euro");
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("board");
        QTest::addColumn<QStringList>("paid");
        // Cost 25 and gain 5 at the scale of 1000.
        QTest::newRow("25.000 and 5.000")
            << false << QList<double>{drawing(16, 20), drawing(5, 5), drawing(3, 3)}
            << QStringList{"ricavo=30000", "spesa=25000", "guadagno=5000"}
            << QStringList{"10.000 lire", "10.000 lire", "5.000 lire", "5.000 lire"}
            << QStringList{"10.000 lire", "10.000 lire", "5.000 lire"};
        QTest::newRow("2.300 and 400")
            << false << QList<double>{drawing(14, 20), drawing(4, 5), drawing(1, 3)}
            << QStringList{"ricavo=2700", "spesa=2300", "guadagno=400"}
            << QStringList{"2.000 lire", "200 lire", "200 lire", "200 lire", "100 lire"}
            << QStringList{"2.000 lire", "200 lire", "100 lire"};
        QTest::newRow("23 euro and 4 euro")
            << true << QList<double>{drawing(14, 20), drawing(4, 5), drawing(3, 3)}
            << QStringList{"ricavo=2700", "spesa=2300", "guadagno=400"}
            << QStringList{"10 euro", "10 euro", "2 euro", "2 euro", "2 euro", "1 euro"}
            << QStringList{"10 euro", "10 euro", "2 euro", "1 euro"};
    }
    void moneyBoard() {
        QFETCH(bool, euro);
        QFETCH(QList<double>, draws);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, board);
        QFETCH(QStringList, paid);
        Script random;
        random.values = draws;
        const Currency& currency = euro ? Currency::euro() : Currency::lire();
        const Problem problem = drawProblem(Exercise::PayingWithMoney, shop(currency), random);
        QCOMPARE(::answers(problem), answers);
        auto names = [&](const std::vector<int>& pieces) {
            QStringList list;
            for (int piece : pieces)
                list << QString::fromUtf8(currency.pieces()[piece].spoken);
            return list;
        };
        QCOMPARE(names(problem.pieces), board);
        QCOMPARE(names(problem.payment), paid);
        QCOMPARE(problem.steps[1].kind, Step::Payment);
    }

    // The sentence as a screen reader hears it, and as a voice reads it; asking
    // a later step, it is what F5 says once the pupil has reached that step.
    void sentences_data() {
        QTest::addColumn<int>("exercise");
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("euro");
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("voiced");
        QTest::newRow("total cost")
            << 1 << 0 << false << QList<double>{drawing(1, 2), drawing(7, 11)}
            << "quaderno, costo unitario 1.500 lire, quantità 7: qual è il costo totale?"
            << "quaderno, costo unitario 1500 lire, quantità 7: qual è il costo totale?";
        QTest::newRow("expense in euro")
            << 7 << 0 << true << QList<double>{drawing(1, 2)}
            << "quaderno, ricavo 15,00 euro, guadagno 5,00 euro: qual è la spesa?"
            << "quaderno, ricavo 15 euro, guadagno 5 euro: qual è la spesa?";
        QTest::newRow("table")
            << 10 << 0 << false << QList<double>{drawing(1, 2), drawing(3, 11)}
            << "quaderno; quantità 2; spesa di 1: 1.000 lire; ricavo di 1: 1.500 lire. "
               "guadagno di 2?"
            << "quaderno; quantità 2; spesa di 1: 1000 lire; ricavo di 1: 1500 lire. "
               "guadagno di 2?";
        QTest::newRow("gain or loss")
            << 12 << 0 << false << QList<double>{drawing(1, 2), drawing(2, 2)}
            << "quaderno, spesa 1.500 lire, ricavo 1.000 lire: guadagno o perdita?"
            << "quaderno, spesa 1500 lire, ricavo 1000 lire: guadagno o perdita?";
        QTest::newRow("table, second step")
            << 9 << 1 << false << QList<double>{drawing(1, 2), drawing(3, 11)}
            << "quaderno; quantità 2; spesa di 1: 1.000 lire; ricavo di 1: 1.500 lire. "
               "spesa di 2?"
            << "quaderno; quantità 2; spesa di 1: 1000 lire; ricavo di 1: 1500 lire. "
               "spesa di 2?";
        QTest::newRow("gain or loss, after the choice")
            << 12 << 1 << false << QList<double>{drawing(1, 2), drawing(2, 2)}
            << "quaderno, spesa 1.500 lire, ricavo 1.000 lire: qual è la perdita?"
            << "quaderno, spesa 1500 lire, ricavo 1000 lire: qual è la perdita?";
        QTest::newRow("money board")
            << 13 << 0 << false << QList<double>{drawing(1, 20), drawing(1, 2), drawing(3, 3)}
            << "sul tavolo: banconota da 10.000 lire, moneta da 1.000 lire; avevo pagato la "
               "merce 10.000 lire. quanto ho ricavato?"
            << "sul tavolo: banconota da 10000 lire, moneta da 1000 lire; avevo pagato la "
               "merce 10000 lire. quanto ho ricavato?";
    }
    void sentences() {
        QFETCH(int, exercise);
        QFETCH(int, step);
        QFETCH(bool, euro);
        QFETCH(QList<double>, draws);
        QFETCH(QString, written);
        QFETCH(QString, voiced);
        Script random;
        random.values = draws;
        const Catalogue catalogue = shop(euro ? Currency::euro() : Currency::lire());
        const Problem problem = drawProblem(static_cast<Exercise>(exercise), catalogue, random);
        QCOMPARE(problem.sentence(Reading::Written, step), written);
        QCOMPARE(problem.sentence(Reading::Voiced, step), voiced);
    }

    // What the screen's pad offers (a comma, a minus) stands for every
    // problem of the exercise: any answer drawn in 200 is an amount only where
    // the exercise says so, and a minus counts only where it says one may.
    void answersOfEachExercise() {
        const Catalogue catalogue = shop(Currency::euro());
        for (const ExerciseInfo& row : ExerciseTable) {
            SeededRandom random(row.number);
            ExerciseAnswers seen;
            for (int i = 0; i < 200; ++i)
                for (const Step& step : drawProblem(row.exercise, catalogue, random).steps)
                    if (step.kind == Step::Typed) {
                        seen.amount |= step.figure.kind == AnswerKind::Amount;
                        seen.negative |= step.figure.minus == MinusSign::MeansLoss;
                    }
            const ExerciseAnswers said = exerciseAnswers(row.exercise);
            QVERIFY2(seen.amount == said.amount && seen.negative == said.negative, row.caption);
            // Only the number of items is a count; only a gain may be a loss.
            QCOMPARE(said.amount, row.exercise != Exercise::NumberOfItems);
            QCOMPARE(said.negative, row.kind == ProblemKind::Table ||
                                        row.exercise == Exercise::Gain ||
                                        row.exercise == Exercise::MixedProfit);
        }
    }

    // An empty catalogue poses record 1, an empty name with zero prices.
    void emptyCatalogue() {
        Script random;
        const Problem problem = drawProblem(Exercise::Gain, Catalogue(), random);
        QCOMPARE(problem.record, 1);
        QCOMPARE(problem.article, QString());
        QCOMPARE(answers(problem), QStringList{"guadagno=0"});
    }
};

QTEST_APPLESS_MAIN(TestProblems)
#include "test_problems.moc"

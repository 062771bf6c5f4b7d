// Money amounts, counts and the texts the pupil reads them in.

#include "model/Count.h"
#include "model/Currency.h"
#include "model/Money.h"
#include "model/ProgramError.h"
#include "model/Texts.h"

#include <QLocale>
#include <QTest>
#include <limits>

namespace {

constexpr std::int64_t Biggest = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t Smallest = std::numeric_limits<std::int64_t>::min();

// Runs an operation that must overflow; true when it threw an OverflowError
// that is also a ProgramError.
template <class Operation> bool overflows(Operation operation) {
    try {
        operation();
    } catch (const OverflowError& error) {
        const ProgramError& asProgramError = error;
        return !asProgramError.text().isEmpty();
    }
    return false;
}

} // namespace

class TestMoney : public QObject {
    Q_OBJECT

private slots:
    void keepsFourDecimals();
    void arithmetic();
    void overflowIsAnError();
    void countGrowsByOne();
    void amountText_data();
    void amountText();
    void numberText_data();
    void numberText();
};

void TestMoney::keepsFourDecimals() {
    QCOMPARE(Money::fromWhole(2300).raw(), 23000000);
    QCOMPARE(Money::fromRaw(15000).toDouble(), 1.5);
    QCOMPARE(Money::fromRaw(1).toDouble(), 0.0001);
    QVERIFY(Money::fromWhole(-7).isWhole());
    QVERIFY(!Money::fromRaw(15000).isWhole());
    QCOMPARE(Money().raw(), 0);

    QCOMPARE(Money::fromRaw(25000).roundedWhole(), 3);
    QCOMPARE(Money::fromRaw(-25000).roundedWhole(), -3);
    QCOMPARE(Money::fromRaw(24999).roundedWhole(), 2);
    QCOMPARE(Money::fromRaw(-24999).roundedWhole(), -2);
    QCOMPARE(moneyOf(Count(11)), Money::fromWhole(11));
}

void TestMoney::arithmetic() {
    const Money price = Money::fromWhole(250);
    QCOMPARE(price * Count(11), Money::fromWhole(2750));
    QCOMPARE(price * Count(0), Money());
    QCOMPARE(price * Count(-2), Money::fromWhole(-500));
    QCOMPARE(Money::fromWhole(400) - price, Money::fromWhole(150));
    QCOMPARE(price - Money::fromWhole(400), Money::fromWhole(-150));
    QCOMPARE(price + Money::fromRaw(5), Money::fromRaw(2500005));
    QVERIFY(Money::fromWhole(-1) < Money());
}

void TestMoney::overflowIsAnError() {
    const Money top = Money::fromRaw(Biggest);
    const Money bottom = Money::fromRaw(Smallest);
    QVERIFY(overflows([&] { (void)(top + Money::fromRaw(1)); }));
    QVERIFY(overflows([&] { (void)(bottom + Money::fromRaw(-1)); }));
    QVERIFY(overflows([&] { (void)(bottom - Money::fromRaw(1)); }));
    QVERIFY(overflows([&] { (void)(top - Money::fromRaw(-1)); }));
    QVERIFY(overflows([&] { (void)(Money::fromRaw(Biggest / 2 + 1) * Count(2)); }));
    QVERIFY(overflows([&] { (void)(bottom * Count(-1)); }));
    QVERIFY(overflows([] { (void)Money::fromWhole(Biggest / Money::Scale + 1); }));
    QCOMPARE(Money::fromWhole(Biggest / Money::Scale).raw() / Money::Scale, Biggest / Money::Scale);

    // The edges themselves are still in range.
    QCOMPARE((top - Money::fromRaw(1)) + Money::fromRaw(1), top);
    QCOMPARE((bottom + Money::fromRaw(1)) - Money::fromRaw(1), bottom);
    QCOMPARE(Money::fromRaw(Biggest / 2) * Count(2), Money::fromRaw(Biggest - 1));
}

void TestMoney::countGrowsByOne() {
    QCOMPARE(Count(0).plusOne(), Count(1));
    QCOMPARE(Count(-1).plusOne(), Count(0));
    QCOMPARE(Count(32766).plusOne(), Count(32767));
    QVERIFY(overflows([] { (void)Count(32767).plusOne(); }));

    QCOMPARE(Count(32766).plusOneCapped(), Count(32767));
    QCOMPARE(Count(32767).plusOneCapped(), Count(32767));
    QCOMPARE(Count(5).plusOneCapped(), Count(6));
}

void TestMoney::amountText_data() {
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<QString>("text");

    QTest::newRow("thousands") << qint64{23000000} << "2.300";
    QTest::newRow("millions") << qint64{12345670000} << "1.234.567";
    QTest::newRow("below a thousand") << qint64{9990000} << "999";
    QTest::newRow("one thousand") << qint64{10000000} << "1.000";
    QTest::newRow("negative") << qint64{-23000000} << "-2.300";
    QTest::newRow("zero") << qint64{0} << "0";
    QTest::newRow("half rounds up") << qint64{25000} << "3";
    QTest::newRow("negative half rounds down") << qint64{-25000} << "-3";
    QTest::newRow("below half") << qint64{24999} << "2";
    QTest::newRow("negative below half") << qint64{-24999} << "-2";
    QTest::newRow("rounding carries into a group") << qint64{9999500} << "1.000";
    QTest::newRow("small negative is no minus zero") << qint64{-4000} << "0";
}

// Written the Italian way whatever the system's language: a comma would read
// as a decimal mark to the pupil.
void TestMoney::amountText() {
    QFETCH(qint64, raw);
    QFETCH(QString, text);
    for (const QLocale& system : {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::Italian, QLocale::Italy)}) {
        QLocale::setDefault(system);
        QCOMPARE(Currency::lire().amountText(Money::fromRaw(raw)), text);
    }
    QLocale::setDefault(QLocale::system());
}

void TestMoney::numberText_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("one") << 1 << " 1";
    QTest::newRow("zero") << 0 << " 0";
    QTest::newRow("minus one") << -1 << "-1";
    QTest::newRow("two digits") << 11 << " 11";
    QTest::newRow("no grouping") << 32767 << " 32767";
    QTest::newRow("negative large") << -1234 << "-1234";
}

void TestMoney::numberText() {
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(::numberText(value), text);
}

QTEST_GUILESS_MAIN(TestMoney)
#include "test_money.moc"

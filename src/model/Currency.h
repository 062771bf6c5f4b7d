#pragma once

#include "model/Money.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <span>

// One piece of money the board pays with, in the currency's minor unit. How it
// looks on the board is the money screen's business.
struct Denomination {
    enum Kind { Note, Coin };
    int value;
    Kind kind;
    const char* spoken; // "10.000 lire", "50 centesimi"
};

// What makes one currency differ from the other: one row of the table of two.
struct CurrencyTable {
    const char* name;   // "lire", "euro"
    const char* symbol; // before an amount in a prompt: "£. ", "€ "
    int minorDigits;    // decimals of the major unit: 0 for lire, 2 for euro cents
    bool pointIsSpace;  // the answer boxes' key filter turns "." into a space
    std::array<int, 3> boardScales;
    std::array<Denomination, 7> pieces; // largest first, as the board is laid out
};

// The text's digit characters "0" to "9", in order.
QString digitsOf(QStringView text);

// How an amount goes into a sentence: as the screen writes it, for a screen
// reader ("1.500 lire", "4,40 euro"), or as a teacher reads it aloud, for a
// voice ("1500 lire", "4 euro e 40 centesimi"): a synthesiser reads a point or
// a comma between digits as "punto" or "virgola".
enum class Reading { Written, Voiced };

// Whether a typed answer is money or a number of things: in euro "4" is
// 4,00 € as an amount but 4 as a quantity.
enum class AnswerKind { Amount, Count };

// The money a lesson is in: lire, or euro counted in cents. Amounts are Money
// in the currency's minor unit, so the exercises' arithmetic is the same in
// both; only writing, reading and paying differ.
class Currency {
public:
    static const Currency& lire();
    static const Currency& euro();
    // Lire or euro by name, any letter case; null for any other name.
    static const Currency* named(QStringView name);

    QString name() const { return QString::fromLatin1(table.name); }

    // "1.500" in lire; "1.250,50" in euro, always with two decimals.
    QString amountText(Money amount) const;
    // "1.500 lire", "4,40 euro"; voiced: "1500 lire", "4 euro e 40 centesimi",
    // "un euro", "50 centesimi", "meno 300 lire".
    QString spokenAmount(Money amount, Reading reading = Reading::Written) const;
    QString symbol() const { return QString::fromUtf8(table.symbol); }

    // The key filter of the answer boxes.
    QChar filterKey(QChar typed) const;
    // A typed answer as a whole number of the expected kind; nothing when it
    // cannot be read as one, or its digits are too many to be any amount.
    std::optional<std::int64_t> readAnswer(const QString& typed, AnswerKind kind) const;
    // The decimals a catalogue price may have in the major unit: none for
    // lire, which read loosely as they always have, two for euro, read strictly.
    int minorDigits() const { return table.minorDigits; }

    // The money board draws the cost and gain at one of three scales.
    const std::array<int, 3>& boardScales() const { return table.boardScales; }
    std::span<const Denomination> pieces() const { return table.pieces; }
    // "banconota da 10.000 lire", "moneta da 50 centesimi"; more than one:
    // "due banconote da 10.000 lire".
    QString pieceName(const Denomination& piece, Reading reading = Reading::Written,
                      int count = 1) const;
    // The pieces (indices into pieces()) one after another, each run of alike
    // ones told once with its count, as a person counts money aloud.
    QStringList pieceNames(std::span<const int> shown, Reading reading) const;

    bool operator==(const Currency& other) const { return &table == &other.table; }

private:
    explicit constexpr Currency(const CurrencyTable& table) : table(table) {}
    const CurrencyTable& table;
};

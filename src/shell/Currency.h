#pragma once

#include "shell/Money.h"
#include "ui/StandInPicture.h"

#include <QString>
#include <array>
#include <optional>
#include <span>

// One piece of money on the board, in the currency's minor unit.
struct Denomination {
    int value;
    const char* file;  // in the program folder
    int width, height; // the slot's size in twips: notes landscape, coins square
    ui::PlateShape shape;
    quint32 rim, face;  // the stand-in's colours, 0xRRGGBB, as the picture's
    const char* spoken; // "10.000 lire", "50 centesimi"
    const char* figure; // what a stand-in shows in large: "10000", "50 c"
};

// The text's digit characters "0" to "9", in order.
QString digitsOf(QStringView text);

// Whether a typed answer is money or a number of things: in euro "4" is
// 4,00 € as an amount but 4 as a quantity.
enum class AnswerKind { Amount, Count };

// The money the lesson is in: lire, or euro counted in cents. Amounts are
// Money in the currency's minor unit, so the exercises' arithmetic is the same
// in both; only writing, reading and paying differ.
class Currency {
public:
    static const Currency& lire();
    static const Currency& euro();
    // The currency of the loaded catalogue; lire until one says otherwise.
    static const Currency& current();
    static void setCurrent(const Currency& currency);

    QString name() const; // "lire", "euro"

    // "1.500" in lire; "1.250,50" in euro, always with two decimals.
    QString amountText(Money amount) const;
    // "1.500 lire", "4,40 euro".
    QString spokenAmount(Money amount) const;
    // What stands before an amount in a prompt: "£. " or "€ ".
    QString symbol() const;

    // The key filter of the answer boxes.
    QChar filterKey(QChar typed) const;
    // A typed answer as a whole number of the expected kind; nothing when its
    // digits are too many to be any amount.
    std::optional<std::int64_t> readAnswer(const QString& typed, AnswerKind kind) const;
    // The decimals a catalogue price may have in the major unit: none for
    // lire, which read loosely as they always have, two for euro, read strictly.
    int minorDigits() const { return cents ? 2 : 0; }

    // The money board draws the cost and gain at one of three scales.
    const std::array<int, 3>& boardScales() const;
    // Largest first, which is also the order the board is laid out in.
    std::span<const Denomination> pieces() const;
    // "banconota da 10.000 lire", "moneta da 50 centesimi".
    QString pieceName(const Denomination& piece) const;

private:
    explicit constexpr Currency(bool cents) : cents(cents) {}
    bool cents;
};

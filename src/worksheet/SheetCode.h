#pragma once

#include "model/Catalogue.h"
#include "model/Problem.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// Everything that made one sheet, in a short code printed on it that a
// teacher can type back: "K7Q2M-8XAB3".
struct SheetCode {
    std::uint64_t seed = 0;
    std::vector<Exercise> exercises;
    int problemsEach = 4;
    int level = 0; // 0: no level asked
    bool euro = false;
    bool largePrint = false;
    int catalogueCheck = 0; // of the catalogue's articles and prices

    bool operator==(const SheetCode&) const = default;
};

// A check of the catalogue's content, so that a code tells when the
// catalogue has changed since the sheet was made.
int catalogueCheckOf(const Catalogue& catalogue);

// Letters and digits in groups of five, with a check letter at the end.
QString encodeSheetCode(const SheetCode& code);
// Nothing when the text is no code (mistyped); O and I read as 0 and 1,
// letter case and dashes are free.
std::optional<SheetCode> decodeSheetCode(const QString& text);

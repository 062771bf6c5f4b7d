// The catalogue reader on whole files, as a teacher's editor may leave them.
// Whatever the bytes: the reading ends; a catalogue that reads has at most 500
// records whose prices survive every exercise's arithmetic; reading is
// deterministic and the same in UTF-8 and in Windows-1252; a catalogue that
// fails says why in a short Italian report.
#include "model/Catalogue.h"
#include "FuzzCheck.h"
#include "model/ProgramError.h"

#include <QHash>
#include <optional>

namespace {

// What a file gave: its catalogue, or the report of its error.
struct Outcome {
    Catalogue catalogue;
    std::optional<QString> error;
    bool operator==(const Outcome&) const = default;
};

Outcome load(const QString& text) {
    try {
        return {parseCatalogue(text, QStringLiteral("lista.txt")), std::nullopt};
    } catch (const ProgramError& error) {
        return {Catalogue(), error.text()};
    }
}

// Windows-1252 bytes for a text, if every character has one.
std::optional<QByteArray> windows1252(const QString& text) {
    static const QHash<char16_t, char> bytes = [] {
        QHash<char16_t, char> table;
        for (int byte = 0; byte < 256; ++byte) {
            // A lone high byte is never UTF-8, so it reads as Windows-1252.
            const QString one = decodeCatalogue(QByteArray(1, char(byte)));
            if (one.size() == 1)
                table.insert(one.at(0).unicode(), char(byte));
        }
        return table;
    }();
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const auto it = bytes.find(c.unicode());
        if (it == bytes.end())
            return std::nullopt;
        out += *it;
    }
    return out;
}

void checkArithmetic(Money buying, Money selling, const QString& name) {
    try {
        for (std::int16_t quantity = 0; quantity <= 11; ++quantity) {
            (void)(buying * Count(quantity));
            (void)(selling * Count(quantity));
            (void)((selling - buying) * Count(quantity));
            (void)((buying - selling) * Count(quantity));
            (void)(selling * Count(quantity) - buying * Count(quantity));
        }
    } catch (const OverflowError&) {
        FUZZ_CHECK(false, QStringLiteral("overflow with the prices of ") + name);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = decodeCatalogue(bytes);
    const Outcome first = load(text);

    if (first.error) {
        const QString& report = *first.error;
        FUZZ_CHECK(report.startsWith(QStringLiteral("L'elenco degli articoli non si può usare.")),
                   report);
        FUZZ_CHECK(report.contains(QStringLiteral("lista.txt")) &&
                       ((report.contains(QStringLiteral("Articolo numero ")) &&
                         report.contains(QStringLiteral(", alla riga "))) ||
                        report.contains(QStringLiteral("Riga "))),
                   report);
        FUZZ_CHECK(report.size() < 450, report);
    } else {
        const auto& records = first.catalogue.records;
        FUZZ_CHECK(records.size() <= 500, QString::number(records.size()));
        for (const CatalogueRecord& record : records)
            checkArithmetic(record.buyingPrice, record.sellingPrice, record.name);
    }

    // The same text saved in the other encodings decodes the same, so it reads
    // the same: the reading is a function of the text alone.
    // A text that UTF-8 cannot carry (a lone surrogate or a noncharacter from a
    // broken UTF-16 file) has no UTF-8 form to compare: only the mark is tested.
    const QByteArray utf8 = text.toUtf8();
    if (decodeCatalogue(utf8) == text)
        FUZZ_CHECK(decodeCatalogue("\xEF\xBB\xBF" + utf8) == text,
                   QStringLiteral("UTF-8 with a mark"));
    if (const auto old = windows1252(text)) {
        // Bytes that happen to be valid UTF-8 read as UTF-8, whole or line by
        // line; a file read as Windows-1252 throughout reads as the text.
        const DecodedCatalogue decoded = decodeCatalogueText(*old);
        FUZZ_CHECK(decoded.mainEncoding != QStringLiteral("Windows-1252") ||
                       !decoded.otherLines.isEmpty() || decoded.text == text,
                   QStringLiteral("Windows-1252 decodes otherwise"));
    }
    return 0;
}

// The catalogue reader on whole files, as a teacher's editor may leave them.
// Whatever the bytes: the reading ends; a catalogue that loads has at most 500
// records whose prices survive every exercise's arithmetic; loading is
// deterministic and the same in UTF-8 and in Windows-1252; a catalogue that
// fails leaves the tables as they were and says why in a short Italian report.
#include "model/Catalogue.h"
#include "FuzzCheck.h"
#include "model/ProgramError.h"
#include "shell/Modulo1.h"

#include <QHash>
#include <optional>

using namespace Modulo1;

namespace {

struct Tables {
    int count = 0;
    std::array<QString, CatalogueSlots> names;
    std::array<Money, CatalogueSlots> buying, selling;
    bool operator==(const Tables&) const = default;
};

Tables tables() {
    return {NumeroArticoli.value(), Articolo, PrezzoAcquisto, PrezzoVendita};
}

// What a file gave: its tables, or the report of its error.
struct Outcome {
    Tables tables;
    std::optional<QString> error;
    bool operator==(const Outcome&) const = default;
};

// The state a load starts from: an earlier catalogue of two records.
void earlierCatalogue() {
    clearState();
    NumeroArticoli = Count(2);
    Articolo[1] = QStringLiteral("vecchio");
    Articolo[2] = QStringLiteral("vecchia");
    PrezzoAcquisto[1] = PrezzoAcquisto[2] = Money::fromWhole(1);
    PrezzoVendita[1] = PrezzoVendita[2] = Money::fromWhole(2);
}

Outcome load(const QByteArray& bytes) {
    earlierCatalogue();
    try {
        loadCatalogue(bytes, QStringLiteral("lista.txt"));
        return {tables(), std::nullopt};
    } catch (const ProgramError& error) {
        return {tables(), error.text()};
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
    const Outcome first = load(bytes);
    FUZZ_CHECK(load(bytes) == first, QStringLiteral("a second load differs"));

    if (first.error) {
        const QString& report = *first.error;
        earlierCatalogue();
        FUZZ_CHECK(first.tables == tables(), QStringLiteral("a failed load changed the tables"));
        FUZZ_CHECK(report.startsWith(QStringLiteral("L'elenco degli articoli non si può usare.")),
                   report);
        FUZZ_CHECK(report.contains(QStringLiteral("lista.txt")) &&
                       report.contains(QStringLiteral("Articolo numero ")) &&
                       report.contains(QStringLiteral(", alla riga ")),
                   report);
        FUZZ_CHECK(report.size() < 300, report);
    } else {
        const Tables& t = first.tables;
        FUZZ_CHECK(t.count >= 0 && t.count <= 500, QString::number(t.count));
        FUZZ_CHECK(t.names[0].isEmpty() && t.buying[0] == Money() && t.selling[0] == Money(),
                   QStringLiteral("slot 0 written"));
        for (int k = 1; k < CatalogueSlots; ++k) {
            if (k > t.count) {
                FUZZ_CHECK(t.names[k].isNull() && t.buying[k] == Money() && t.selling[k] == Money(),
                           QStringLiteral("slot %1 past the last record").arg(k));
                continue;
            }
            checkArithmetic(t.buying[k], t.selling[k], t.names[k]);
        }
    }

    // The same text saved in the other encodings reads the same.
    const QString text = decodeCatalogue(bytes);
    const QByteArray withMark = "\xEF\xBB\xBF" + text.toUtf8();
    FUZZ_CHECK(decodeCatalogue(withMark) == text, QStringLiteral("UTF-8 with a mark"));
    FUZZ_CHECK(load(withMark) == first, QStringLiteral("UTF-8 with a mark loads otherwise"));
    if (const auto old = windows1252(text)) {
        // Plain ASCII, or bytes that happen to be valid UTF-8, read as UTF-8.
        if (decodeCatalogue(*old) == text)
            FUZZ_CHECK(load(*old) == first, QStringLiteral("Windows-1252 loads otherwise"));
    }
    return 0;
}

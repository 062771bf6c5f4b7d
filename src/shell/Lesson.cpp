#include "shell/Lesson.h"

void Lesson::load(const Catalogue& catalogue) {
    const auto& records = catalogue.records;
    NumeroArticoli = Count(static_cast<std::int16_t>(records.size()));
    for (int k = 1; k < CatalogueSlots; ++k) {
        const bool filled = k <= static_cast<int>(records.size());
        Articolo[k] = filled ? records[k - 1].name : QString();
        PrezzoAcquisto[k] = filled ? records[k - 1].buyingPrice : Money();
        PrezzoVendita[k] = filled ? records[k - 1].sellingPrice : Money();
    }
    loaded = catalogue;
    loaded.warnings.clear();
}

void Lesson::clear() {
    load(Catalogue());
}

Lesson& lesson() {
    static Lesson instance;
    return instance;
}

QString amountText(Money amount) {
    return lesson().currency().amountText(amount);
}

QString spokenAmount(Money amount, Reading reading) {
    return lesson().currency().spokenAmount(amount, reading);
}

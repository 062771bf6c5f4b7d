#pragma once

#include "model/Catalogue.h"
#include "model/Count.h"
#include "model/Currency.h"
#include "model/Money.h"
#include "model/Texts.h"

#include <QString>
#include <array>

// The catalogue the lesson works on, as the screens read it: the tables of
// slots 0 to 500, records stored from 1 (slot 0 stays empty), and the
// currency the catalogue is written in. Loaded at start-up; one object holds
// it for the whole run (lesson()), and the exercise screens reach it through
// their frame.
class Lesson {
public:
    static constexpr int CatalogueSlots = 501;

    const Currency& currency() const { return *loaded.currency; }
    // The catalogue as read, which the problems are drawn from.
    const Catalogue& catalogue() const { return loaded; }

    // Puts a read catalogue into the tables; the slots past its last record
    // are emptied.
    void load(const Catalogue& catalogue);
    // Back to the empty lire catalogue of start-up.
    void clear();

    Count NumeroArticoli;
    std::array<QString, CatalogueSlots> Articolo;
    std::array<Money, CatalogueSlots> PrezzoAcquisto;
    std::array<Money, CatalogueSlots> PrezzoVendita;

private:
    Catalogue loaded;
};

// The program's one lesson.
Lesson& lesson();

// An amount in the lesson's currency, grouped by thousands with a dot as an
// Italian writes it: "1.500" in lire, "1.250,50" in euro.
QString amountText(Money amount);
// The same with its currency, in a sentence: "1.500 lire", "4,40 euro" as
// written for a screen reader; "1500 lire", "4 euro e 40 centesimi" voiced.
QString spokenAmount(Money amount, Reading reading);

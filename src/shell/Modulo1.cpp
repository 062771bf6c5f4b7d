#include "shell/Modulo1.h"

#include "shell/Catalogue.h"
#include "shell/CatalogueFile.h"
#include "shell/Currency.h"
#include "shell/ProgramError.h"
#include "shell/Random.h"
#include "ui/Services.h"

#include <QDir>

namespace Modulo1 {

Count NumeroEsatti;
Count NumeroErrati;
Count NumeroArticoli;
std::array<QString, CatalogueSlots> Articolo;
std::array<Money, CatalogueSlots> PrezzoAcquisto;
std::array<Money, CatalogueSlots> PrezzoVendita;
Money IndiceArticolo;
Count Quantita;

int indiceArticolo() {
    const std::int64_t index = IndiceArticolo.roundedWhole();
    if (index < 0 || index >= CatalogueSlots)
        throw ProgramError(
            QStringLiteral("Errore interno: l'articolo numero %1 non esiste.").arg(index));
    return static_cast<int>(index);
}

void clearState() {
    NumeroEsatti = NumeroErrati = NumeroArticoli = Quantita = Count();
    Articolo.fill(QString());
    PrezzoAcquisto.fill(Money());
    PrezzoVendita.fill(Money());
    IndiceArticolo = Money();
    Currency::setCurrent(Currency::lire());
}

QString programPath(const QString& relative) {
    return QDir(ui::services().programFolder).filePath(relative);
}

void CaricaLista(const QString& name) {
    const QString path = QDir::toNativeSeparators(programPath(name));
    loadCatalogue(readCatalogueFile(path, QDir::isRelativePath(name)), path);
}

void loadCatalogue(const QByteArray& bytes, const QString& path) {
    // Parsed whole before anything is written, so a bad file leaves the tables
    // and the count as they were.
    const QString text = decodeCatalogue(bytes);
    const std::vector<CatalogueRecord> records = parseCatalogue(text, path, CatalogueSlots - 1);
    Currency::setCurrent(catalogueCurrency(text));
    NumeroArticoli = Count();
    for (int k = 1; k < CatalogueSlots; ++k) {
        const bool filled = k <= static_cast<int>(records.size());
        if (filled)
            NumeroArticoli = NumeroArticoli.plusOne();
        Articolo[k] = filled ? records[k - 1].name : QString();
        PrezzoAcquisto[k] = filled ? records[k - 1].buyingPrice : Money();
        PrezzoVendita[k] = filled ? records[k - 1].sellingPrice : Money();
    }
}

void SuonoEsatto() {
    const int n = drawFrom1To(4);
    ui::services().sounds->play(programPath(QStringLiteral("suoni/si%1.wav").arg(n)));
}

void MostraInformazioni(QWidget* over) {
    ui::services().messages->inform(
        over, QStringLiteral("Autori: il gruppo di sviluppo de la mercanzola\r\n"
                             " ----------------------- \r\n"
                             "e-mail: lamercanzola@example.org"));
}

void ChiediUscita(QWidget* over) {
    if (ui::services().messages->ask(over, QStringLiteral("Vuoi uscire dal programma?")) ==
        ui::Answer::Yes)
        ui::services().endProgram(0);
}

} // namespace Modulo1

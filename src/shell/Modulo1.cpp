#include "shell/Modulo1.h"

#include "shell/Catalogue.h"
#include "shell/ProgramError.h"
#include "shell/Random.h"
#include "ui/Services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
}

QString programPath(const QString& relative) {
    return QDir(ui::services().programFolder).filePath(relative);
}

void CaricaLista() {
    NumeroArticoli = Count();
    const QString path = QDir::toNativeSeparators(programPath(QStringLiteral("lista.txt")));
    QFile file(path);
    if (!QFileInfo::exists(path))
        throw ProgramError(
            QStringLiteral("Manca l'elenco degli articoli.\n\nIl file %1 non esiste: deve stare "
                           "nella cartella del programma.")
                .arg(path));
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (file.error() != QFileDevice::NoError)
        throw ProgramError(QStringLiteral("Non si riesce a leggere l'elenco degli articoli.\n\n"
                                          "File: %1\n%2.")
                               .arg(path, file.errorString()));
    // Parsed whole before any slot is written, so a bad file leaves the tables as they were.
    const std::vector<CatalogueRecord> records =
        parseCatalogue(decodeCatalogue(bytes), path, CatalogueSlots - 1);
    for (const CatalogueRecord& record : records) {
        NumeroArticoli = NumeroArticoli.plusOne();
        const int k = NumeroArticoli.value();
        Articolo[k] = record.name;
        PrezzoAcquisto[k] = record.buyingPrice;
        PrezzoVendita[k] = record.sellingPrice;
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

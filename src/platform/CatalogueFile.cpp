#include "platform/CatalogueFile.h"

#include "model/ProgramError.h"
#include "platform/DataFile.h"

#include <QFileInfo>

QByteArray readCatalogueFile(const QString& path, bool inProgramFolder) {
    platform::DataFile file = platform::readDataFile(path, CatalogueFileLimit);
    if (file.missing)
        throw ProgramError(
            QStringLiteral("Manca l'elenco degli articoli.\n\nIl file %1 non esiste%2.")
                .arg(path, inProgramFolder
                               ? QStringLiteral(": deve stare nella cartella del programma")
                               : QString()));
    if (!file.problem.isEmpty())
        throw ProgramError(QStringLiteral("Non si riesce a leggere l'elenco degli articoli.\n\n"
                                          "File: %1\n%2")
                               .arg(path, file.problem));
    return std::move(file.bytes);
}

QString catalogueLocation(const QString& path) {
    const QFileInfo file(path);
    if (!file.isSymLink())
        return path;
    // A link to a device or a folder is no file anyone edits: the link is
    // what the message names then.
    const QFileInfo target(file.symLinkTarget());
    return target.isFile() || !target.exists() ? target.filePath() : path;
}

#include "shell/Modulo1.h"

#include "model/Catalogue.h"
#include "model/ProgramError.h"
#include "platform/CatalogueFile.h"
#include "platform/Services.h"
#include "platform/Warning.h"
#include "shell/Lesson.h"
#include "shell/Random.h"

#include <QDir>
#include <QFileInfo>

namespace Modulo1 {

QString programPath(const QString& relative) {
    return QDir(platform::services().programFolder).filePath(relative);
}

QString dataPath(const QString& relative) {
    for (const QString& folder : platform::services().ownDataFolders) {
        const QString own = QDir(folder).filePath(relative);
        if (QFileInfo::exists(own))
            return own;
    }
    return programPath(relative);
}

void CaricaLista(Lesson& lesson, const QString& name) {
    const QString inFolder = QDir::toNativeSeparators(programPath(name));
    const QString path = catalogueLocation(inFolder);
    loadCatalogue(lesson, readCatalogueFile(path, QDir::isRelativePath(name) && path == inFolder),
                  path);
}

void loadCatalogue(Lesson& lesson, const QByteArray& bytes, const QString& path) {
    // Read whole before the lesson changes, so a bad file leaves it as it was.
    const Catalogue catalogue = readCatalogue(bytes, path, Lesson::MaxArticles);
    for (const QString& warning : catalogue.warnings)
        platform::warn(path + QStringLiteral(": ") + warning);
    lesson.load(catalogue, path);
    for (const QString& shortage : lesson.levelShortages())
        platform::warn(path + QStringLiteral(": ") + shortage);
}

void SuonoEsatto() {
    const int n = drawFrom1To(4);
    platform::services().sounds->play(dataPath(QStringLiteral("suoni/si%1.wav").arg(n)));
}

void MostraInformazioni(QWidget* over) {
    platform::services().messages->inform(
        over, QStringLiteral("Autori: il gruppo di sviluppo de la mercanzola\r\n"
                             " ----------------------- \r\n"
                             "e-mail: sviluppatori@mercanzola.it"));
}

void ChiediUscita(QWidget* over) {
    if (platform::services().messages->ask(over, QStringLiteral("Vuoi uscire dal programma?")) ==
        platform::Answer::Yes)
        platform::services().endProgram(0);
}

} // namespace Modulo1

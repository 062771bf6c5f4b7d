// What the dialog keeps of a teacher's choices from one time to the next.

#include "SheetDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>

namespace {

QSettings kept() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("mercanzola"),
                     QStringLiteral("scheda"));
}

} // namespace

void SheetDialog::recall() {
    const QSettings choices = kept();
    const SheetChoicesGiven& given = start.given;
    auto has = [&](const char* key) { return choices.contains(QString::fromLatin1(key)); };
    if (!given.exercises && has("esercizi")) {
        const QStringList numbers = choices.value(QStringLiteral("esercizi")).toStringList();
        for (int n = 0; n < ExerciseCount; ++n)
            exercises[n]->setChecked(numbers.contains(QString::number(ExerciseTable[n].number)));
    }
    if (!given.problems && has("problemi"))
        problemsEach->setValue(choices.value(QStringLiteral("problemi")).toInt());
    if (!given.catalogue && start.catalogues.size() == 2 && has("euro"))
        currency->setCurrentIndex(choices.value(QStringLiteral("euro")).toBool() ? 1 : 0);
    if (!given.level && has("livello"))
        level->setCurrentIndex(std::clamp(choices.value(QStringLiteral("livello")).toInt(), 0, 3));
    if (!given.title && has("titolo"))
        title->setText(choices.value(QStringLiteral("titolo")).toString());
    if (!given.classList && has("classe"))
        wholeClass->setChecked(wholeClass->isEnabled() &&
                               choices.value(QStringLiteral("classe")).toBool());
    if (!given.solutions && has("soluzioni"))
        solutions->setCurrentIndex(
            std::clamp(choices.value(QStringLiteral("soluzioni")).toInt(), 0, 2));
    if (!given.largePrint && has("grande"))
        largePrint->setChecked(choices.value(QStringLiteral("grande")).toBool());
}

void SheetDialog::keep() const {
    QSettings choices = kept();
    QStringList numbers;
    for (int n = 0; n < ExerciseCount; ++n)
        if (exercises[n]->isChecked())
            numbers << QString::number(ExerciseTable[n].number);
    choices.setValue(QStringLiteral("esercizi"), numbers);
    choices.setValue(QStringLiteral("problemi"), problemsEach->value());
    if (start.catalogues.size() == 2)
        choices.setValue(QStringLiteral("euro"), currency->currentIndex() == 1);
    choices.setValue(QStringLiteral("livello"), level->currentIndex());
    choices.setValue(QStringLiteral("titolo"), title->text().simplified());
    if (wholeClass->isEnabled())
        choices.setValue(QStringLiteral("classe"), wholeClass->isChecked());
    choices.setValue(QStringLiteral("soluzioni"), solutions->currentIndex());
    choices.setValue(QStringLiteral("grande"), largePrint->isChecked());
}

void SheetDialog::done(int result) {
    keep();
    QDialog::done(result);
}

QString SheetDialog::lastFolder() {
    const QString folder = kept().value(QStringLiteral("cartella")).toString();
    if (!folder.isEmpty() && QDir(folder).exists())
        return folder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

void SheetDialog::keepFolder(const QString& folder) {
    kept().setValue(QStringLiteral("cartella"), folder);
}

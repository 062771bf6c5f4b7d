#include "app/AllScreens.h"

#include "exercises/ExerciseScreens.h"
#include "shell/FatalReport.h"
#include "shell/FormAlunno.h"
#include "shell/FormAvvio.h"
#include "shell/FormMenu.h"
#include "shell/Lesson.h"
#include "shell/ScreenChain.h"
#include "ui/Accessibility.h"
#include "ui/ErrorGuard.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmapCache>
#include <QTranslator>

void registerAllScreens(Lesson& lesson) {
    registerScreen(ScreenId::Avvio, [] { return new FormAvvio; });
    registerScreen(ScreenId::Menu, [] { return new FormMenu; });
    for (const ExerciseInfo& row : ExerciseTable)
        registerScreen(row.exercise, [&lesson, exercise = row.exercise] {
            return newExerciseScreen(exercise, lesson);
        });
    registerScreen(ScreenId::Alunno,
                   [&lesson] { return new FormAlunno(readClassList(lesson.cataloguePath())); });
}

void loadItalianTexts() {
    auto* translator = new QTranslator(qApp);
    if (translator->load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

void setUpToolkit() {
    // The screens are laid out for these faces; Liberation Sans has Arial's metrics.
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    ui::installAccessibility();
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    loadItalianTexts();
    ui::setErrorReporter([](const std::exception* error) { reportFatalError(error); });
    // Qt 6.4's pixmap cache keeps the name of every piece it drops. The style names
    // its cached pieces after the palette, which changes with every problem, so
    // over a morning the names would pile up; the pieces are cheap to draw afresh.
    QPixmapCache::setCacheLimit(0);
}

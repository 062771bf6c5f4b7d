#include "app/AllScreens.h"

#include "exercises/GainLossScreen.h"
#include "exercises/MoneyScreen.h"
#include "exercises/ProfitScreen.h"
#include "exercises/PurchaseScreen.h"
#include "exercises/TableScreen.h"
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
    // The exercise screens in the menu's order, Form1 to Form13.
    using ExerciseFactory = ui::Screen* (*)(Lesson&);
    const ExerciseFactory exercises[] = {newForm1,  newForm2,  newForm3, newForm4, newForm5,
                                         newForm6,  newForm7,  newForm8, newForm9, newForm10,
                                         newForm11, newForm12, newForm13};
    for (int n = 0; n < int(std::size(exercises)); ++n)
        registerScreen(ScreenId(int(ScreenId::Form1) + n),
                       [&lesson, make = exercises[n]] { return make(lesson); });
    registerScreen(ScreenId::Alunno,
                   [&lesson] { return new FormAlunno(readClassList(lesson.cataloguePath())); });
}

void setUpToolkit() {
    // The screens are laid out for these faces; Liberation Sans has Arial's metrics.
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    ui::installAccessibility();
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    auto* translator = new QTranslator(qApp);
    if (translator->load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    ui::setErrorReporter([](const std::exception* error) { reportFatalError(error); });
    // Qt 6.4's pixmap cache keeps the name of every piece it drops. The style names
    // its cached pieces after the palette, which changes with every problem, so
    // over a morning the names would pile up; the pieces are cheap to draw afresh.
    QPixmapCache::setCacheLimit(0);
}

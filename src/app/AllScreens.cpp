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
#include "shell/ScreenChain.h"
#include "ui/Accessibility.h"
#include "ui/ErrorGuard.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmapCache>
#include <QTranslator>

void registerAllScreens() {
    registerScreen(ScreenId::Avvio, [] { return new FormAvvio; });
    registerScreen(ScreenId::Menu, [] { return new FormMenu; });
    registerScreen(ScreenId::Form1, newForm1);
    registerScreen(ScreenId::Form2, newForm2);
    registerScreen(ScreenId::Form3, newForm3);
    registerScreen(ScreenId::Form4, newForm4);
    registerScreen(ScreenId::Form5, newForm5);
    registerScreen(ScreenId::Form6, newForm6);
    registerScreen(ScreenId::Form7, newForm7);
    registerScreen(ScreenId::Form8, newForm8);
    registerScreen(ScreenId::Form9, newForm9);
    registerScreen(ScreenId::Form10, newForm10);
    registerScreen(ScreenId::Form11, newForm11);
    registerScreen(ScreenId::Form12, newForm12);
    registerScreen(ScreenId::Form13, newForm13);
    registerScreen(ScreenId::Alunno, [] { return new FormAlunno(readClassList()); });
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

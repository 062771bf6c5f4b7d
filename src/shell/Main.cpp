#include "shell/Main.h"

#include "shell/Modulo1.h"
#include "shell/ScreenChain.h"
#include "ui/Idle.h"
#include "ui/PlatformServices.h"

void Main(const QString& programFolder, const QString& catalogue) {
    ui::installPlatformServices(programFolder); // seeds the random generator from the clock
    Modulo1::clearState();
    if (catalogue.isEmpty())
        Modulo1::CaricaLista();
    else
        Modulo1::CaricaLista(catalogue);
    openScreen(ScreenId::Avvio);
    // The menu is the one way on from the start screen.
    ui::afterNextPaint([] { warmUpScreen(ScreenId::Menu); });
}

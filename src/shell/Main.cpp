#include "shell/Main.h"

#include "platform/Idle.h"
#include "platform/PlatformServices.h"
#include "shell/Modulo1.h"
#include "shell/ScreenChain.h"

void Main(const QString& programFolder, const QString& catalogue) {
    platform::installPlatformServices(programFolder); // seeds the random generator from the clock
    Modulo1::clearState();
    if (catalogue.isEmpty())
        Modulo1::CaricaLista();
    else
        Modulo1::CaricaLista(catalogue);
    openScreen(ScreenId::Avvio);
    // The menu is the one way on from the start screen.
    platform::afterNextPaint([] { warmUpScreen(ScreenId::Menu); });
}

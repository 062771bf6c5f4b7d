#include "shell/Main.h"

#include "platform/Idle.h"
#include "platform/PlatformServices.h"
#include "shell/Modulo1.h"
#include "shell/ScreenChain.h"

void Main(Lesson& lesson, const QString& programFolder, const QString& catalogue) {
    platform::installPlatformServices(programFolder); // seeds the random generator from the clock
    if (catalogue.isEmpty())
        Modulo1::CaricaLista(lesson);
    else
        Modulo1::CaricaLista(lesson, catalogue);
    openScreen(ScreenId::Avvio);
    // The menu is the one way on from the start screen.
    platform::afterNextPaint([] { warmUpScreen(ScreenId::Menu); });
}

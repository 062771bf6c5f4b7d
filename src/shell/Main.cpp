#include "shell/Main.h"

#include "shell/Modulo1.h"
#include "shell/ScreenChain.h"
#include "ui/PlatformServices.h"

void Main() {
    ui::installPlatformServices(); // seeds the random generator from the clock
    Modulo1::clearState();
    Modulo1::CaricaLista();
    openScreen(ScreenId::Avvio);
}

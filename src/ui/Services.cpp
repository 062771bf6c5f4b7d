#include "ui/Services.h"

namespace ui {

Services& services() {
    static Services instance;
    return instance;
}

} // namespace ui

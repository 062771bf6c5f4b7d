#include "platform/Services.h"

namespace platform {

Services& services() {
    static Services instance;
    return instance;
}

} // namespace platform

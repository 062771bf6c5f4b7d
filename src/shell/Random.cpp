#include "shell/Random.h"

#include "model/Draw.h"
#include "platform/Services.h"

int drawBelow(int n) {
    return drawBelow(platform::services().random->next(), n);
}

int drawFrom1To(int n) {
    return drawBelow(n) + 1;
}

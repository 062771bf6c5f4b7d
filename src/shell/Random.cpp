#include "shell/Random.h"

#include "ui/Services.h"

int drawBelow(int n) {
    return static_cast<int>(ui::services().random->next() * n);
}

int drawFrom1To(int n) {
    return drawBelow(n) + 1;
}

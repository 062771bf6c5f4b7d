#include "ui/ErrorGuard.h"

namespace ui {

namespace {

ErrorReporter& reporter() {
    static ErrorReporter instance;
    return instance;
}

} // namespace

void setErrorReporter(ErrorReporter r) {
    reporter() = std::move(r);
}

void guarded(const std::function<void()>& handler) noexcept {
    try {
        handler();
    } catch (const std::exception& error) {
        if (reporter())
            reporter()(&error);
    } catch (...) {
        if (reporter())
            reporter()(nullptr);
    }
}

} // namespace ui

#pragma once

#include <exception>
#include <functional>

namespace ui {

// Exceptions must not cross Qt's event loop: every handler runs through here,
// and an error goes to the reporter (null for an unknown exception).
using ErrorReporter = std::function<void(const std::exception*)>;
void setErrorReporter(ErrorReporter reporter);

void guarded(const std::function<void()>& handler) noexcept;

} // namespace ui

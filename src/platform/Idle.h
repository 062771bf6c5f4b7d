#pragma once

#include <QObject>
#include <functional>

namespace platform {

// Runs `work` in the idle time just after a window is next painted, so that
// what the next screens need gets ready without delaying the one on its way.
// Returns the watcher, which deletes itself once done; deleting it sooner
// cancels the work.
QObject* afterNextPaint(std::function<void()> work);

} // namespace platform

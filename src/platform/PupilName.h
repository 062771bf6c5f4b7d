#pragma once

#include <QString>

namespace platform {

// Two spellings of a pupil's name are one pupil when they differ only in
// letter case and in spaces (repeated, leading, trailing): reports join
// them, deletions take them all.
inline QString pupilKey(const QString& name) {
    return name.simplified().toCaseFolded();
}

} // namespace platform

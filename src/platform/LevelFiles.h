#pragma once

#include "model/LevelChoice.h"

#include <QString>

namespace platform {

// The school's levels, for every user of the PC.
inline const QString SchoolLevelFile = QStringLiteral("/etc/mercanzola/livello.conf");
// The user's own, which come first: ~/.config/mercanzola/livello.conf.
QString userLevelFile();

// What a livello.conf says; nothing when there is no such file. A line it
// cannot read is told in one line on standard error, and left out.
LevelSettings levelSettingsIn(const QString& file, int exercises);

// The level a pupil last reached in an exercise moving by himself, kept per
// user in ~/.local/share/mercanzola/livelli.conf (and per pupil, by name,
// when the record knows who is at the keyboard); 1 the first time.
int reachedLevel(const QString& pupil, int exercise);
void keepReachedLevel(const QString& pupil, int exercise, int level);

} // namespace platform

#pragma once

#include "shell/ScreenId.h"

#include <QString>

// The caption of the menu button that opens an exercise, exactly as the menu
// shows it, trailing and inner spaces included.
QString menuCaption(ScreenId id);

// What a screen reader calls a screen, since every window's title is the
// program's name:
// the start screen "la mercanzola", the menu "menù", an exercise its menu
// caption without the spaces that only lined the buttons up.
QString screenName(ScreenId id);

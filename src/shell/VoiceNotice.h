#pragma once

#include "ui/Screen.h"

// Why reading aloud was asked for and cannot happen, at the foot of a screen
// in small type, so that the teacher sees it on the pupil's screen (the
// program may have been started from a menu, with no terminal to read): no
// dialog, nothing to answer, and gone as soon as the voice speaks again.
void addVoiceNotice(ui::Screen* screen, const ui::TwipsRect& where);

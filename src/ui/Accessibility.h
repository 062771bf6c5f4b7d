#pragma once

namespace ui {

// How the program's own controls present themselves to a screen reader: a
// value label with its heading (Label::setHeading), a face as a picture, a
// screen as a window that is announced by its accessible name, an empty picture
// slot left out, the spoken line of Speech as a notification in a status bar;
// the window on show and its focus told again when the bridge turns active late.
// Installed once, before the first control is read.
void installAccessibility();

} // namespace ui

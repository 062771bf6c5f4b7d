#pragma once

class QWidget;

namespace ui {

// One intention, one action: children at a board double-tap, and the second
// tap must not act again, nor on what the first one brought up under the
// finger (a new problem, a new screen, the menu under a closed question). A
// tap within a moment of one that acted, on the control that acted or on
// whatever now stands where it stood, is dropped whole: its control does not
// even press. A tap on any other control acts at once; the keyboard is never
// held back. Installed on the application on first use.
void guardTaps();

// A control a finger may tap again and again at speed, each tap meant: the
// pad's digits. Its taps are never dropped, and leave no hold behind.
void letTapRepeat(QWidget* control);

// How long a second tap is held back, in milliseconds: half a second, which a
// second deliberate tap hardly beats. Tests that click faster than a hand set 0.
void setTapHold(int milliseconds);

} // namespace ui

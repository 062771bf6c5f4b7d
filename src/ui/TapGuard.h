#pragma once

namespace ui {

// One intention, one action: children at a board double-tap, and the second
// tap must not act on what the first one changed (a new problem, a new
// screen). After a judgement, and when a screen replaces another, taps and
// clicks are ignored for a moment; the keyboard is never held back.
void holdTaps();

// How long a tap is held back, in milliseconds: half a second, which a second
// deliberate tap hardly beats. Tests that click faster than a hand set 0.
void setTapHold(int milliseconds);

} // namespace ui

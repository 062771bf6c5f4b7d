#pragma once

// Whether a screen reader is running (AT-SPI's ScreenReaderEnabled, on the
// accessibility bus's status): then it speaks, and the program must not, so
// that a blind pupil never hears two voices. No bus counts as none running.
bool screenReaderRunning();

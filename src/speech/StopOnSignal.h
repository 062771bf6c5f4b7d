#pragma once

#include <libspeechd.h>

// A program ended by SIGTERM or SIGHUP (a session closing, a teacher's
// `kill`) would leave speech-dispatcher reading its last sentence to the end:
// the handler cancels the voice's own words, then lets the signal end the
// program as before. Only where the program has no handler of its own.
void stopSpeechOnSignals();
// The connection whose words the handler cancels; none with nullptr.
void speechToStopOnSignals(SPDConnection* connection);

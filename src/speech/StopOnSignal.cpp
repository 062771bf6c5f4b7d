#include "speech/StopOnSignal.h"

#include <atomic>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace {

std::atomic<int> voiceSocket{-1};

// Only what is safe in a signal handler: one write, then the default action.
void cancelAndEnd(int signal) {
    static const char Cancel[] = "CANCEL SELF\r\n";
    const int socket = voiceSocket.load();
    if (socket >= 0) {
        const ssize_t written = write(socket, Cancel, sizeof Cancel - 1);
        (void)written;
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

void stopSpeechOnSignals() {
    for (const int signal : {SIGTERM, SIGHUP}) {
        struct sigaction now {};
        if (sigaction(signal, nullptr, &now) != 0 || now.sa_handler != SIG_DFL)
            continue;
        struct sigaction cancel {};
        cancel.sa_handler = cancelAndEnd;
        sigemptyset(&cancel.sa_mask);
        sigaction(signal, &cancel, nullptr);
    }
}

void speechToStopOnSignals(SPDConnection* connection) {
    // libspeechd keeps the socket in the connection; a plain write of SSIP on
    // it is what its own calls send.
    voiceSocket.store(connection ? connection->socket : -1);
}

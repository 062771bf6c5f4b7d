"""A PostgreSQL address that never answers, on 127.0.0.1.

silent: accepts every connection and never says a word (a server hung, or a
firewall that lets the handshake through). unreachable: drops every connection
attempt, as a host that is switched off does (its backlog is full and never
taken). Prints the port, then runs until killed.
Usage: dead_server.py silent|unreachable
"""

import socket
import sys
import time

listener = socket.socket()
listener.bind(("127.0.0.1", 0))
mode = sys.argv[1]
listener.listen(0 if mode == "unreachable" else 64)
port = listener.getsockname()[1]
kept = []
if mode == "unreachable":
    # Fill the backlog: the kernel then drops every further SYN unanswered.
    for _ in range(3):
        filler = socket.socket()
        filler.setblocking(False)
        try:
            filler.connect(("127.0.0.1", port))
        except BlockingIOError:
            pass
        kept.append(filler)
print(port, flush=True)
while True:
    if mode == "silent":
        kept.append(listener.accept()[0])
    else:
        time.sleep(60)

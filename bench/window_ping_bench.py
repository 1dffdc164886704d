#!/usr/bin/python3
"""How long the real window keeps its user waiting while a run goes on: starts the built
program on a virtual X display on TREE, every level, presses "Start Creating List" and, until
"Done." shows, asks the window every 10 ms whether it answers (_NET_WM_PING, which a window
answers from its event loop, as a desktop asks it). Prints the longest and the 99th percentile
of the answers' delays, the run's time and the program's peak memory; with --cold, the page
cache is dropped just before the press (that takes root).

    window_ping_bench.py PROGRAM TREE [--cold]
"""

import os
import statistics
import subprocess
import sys
import tempfile
import threading
import time

from Xlib import X, display, protocol

from x_session import (START_CREATING_LIST, answer_message, click, program_environment,
                       start_display, store_choices, wait_for, windows_titled)

PING_EVERY = 0.010


class Pinger(threading.Thread):
    """Pings `window` from a connection of its own and keeps each answer's delay."""

    def __init__(self, name, window_id):
        super().__init__(daemon=True)
        self.conn = display.Display(name)
        self.root = self.conn.screen().root
        self.window = self.conn.create_resource_object("window", window_id)
        self.protocols = self.conn.intern_atom("WM_PROTOCOLS")
        self.ping = self.conn.intern_atom("_NET_WM_PING")
        # The answer goes to the root window, to those who watch its substructure.
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask | X.StructureNotifyMask)
        self.conn.sync()
        self.sent = {}
        self.delays = []
        self.unanswered = 0
        self.stopping = threading.Event()

    def run(self):
        sequence = 0
        next_ping = time.monotonic()
        while not self.stopping.is_set():
            now = time.monotonic()
            if now >= next_ping:
                sequence += 1
                self.sent[sequence] = now
                self.window.send_event(protocol.event.ClientMessage(
                    window=self.window, client_type=self.protocols,
                    data=(32, [self.ping, sequence, self.window.id, 0, 0])))
                self.conn.flush()
                next_ping = now + PING_EVERY
            while self.conn.pending_events():
                event = self.conn.next_event()
                if event.type == X.ClientMessage and event.data[1][0] == self.ping:
                    sent = self.sent.pop(event.data[1][1], None)
                    if sent is not None:
                        self.delays.append(time.monotonic() - sent)
            time.sleep(0.001)
        # A ping never answered waited at least until now.
        now = time.monotonic()
        self.delays.extend(now - sent for sent in self.sent.values() if now - sent > 0.1)

    def stop(self):
        self.stopping.set()
        self.join()
        self.conn.close()


def drop_cache():
    subprocess.run(["sync"], check=True)
    with open("/proc/sys/vm/drop_caches", "w") as f:
        f.write("3\n")


def peak_megabytes(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024
    return 0


def main():
    program, tree = sys.argv[1], sys.argv[2]
    cold = "--cold" in sys.argv[3:]
    with tempfile.TemporaryDirectory() as scratch:
        server, name = start_display()
        started = None
        try:
            config = os.path.join(scratch, "config")
            store_choices(config, tree, every_level=True)
            conn = display.Display(name)
            started = subprocess.Popen([program], env=program_environment(name, scratch, config))
            window = wait_for(lambda: windows_titled(conn))[0]
            time.sleep(0.5)
            pinger = Pinger(name, window.id)
            pinger.start()
            time.sleep(0.2)
            if cold:
                drop_cache()
            began = time.monotonic()
            click(conn, window, START_CREATING_LIST)
            wait_for(lambda: len(windows_titled(conn)) == 2, seconds=3600)
            run = time.monotonic() - began
            pinger.stop()
            peak = peak_megabytes(started.pid)
            answer_message(conn)
            delays = sorted(pinger.delays)
            print(f"run                {run:.2f} s ({'cold' if cold else 'warm'})")
            print(f"longest answer     {delays[-1] * 1e3:.1f} ms of {len(delays)} pings; "
                  f"99% within {delays[int(len(delays) * 0.99)] * 1e3:.1f} ms, "
                  f"median {statistics.median(delays) * 1e3:.1f} ms")
            print(f"peak memory        {peak:.1f} MiB")
        finally:
            if started and started.poll() is None:
                started.kill()
            server.terminate()
            server.wait()


if __name__ == "__main__":
    main()

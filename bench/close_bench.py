#!/usr/bin/python3
"""How long the window program takes to end once its window is closed in the middle of a run.

Starts the built program on a virtual X display with a clipboard manager beside it (a
stand-in that takes the clipboard's text as the desktop's would), copies a small list to the
clipboard so that the ending has text to hand over (and, in a second program, does not), then
starts "Start Creating List" at every
level of TREE and closes the window after each of the given delays (seconds), in a new program
each time; prints how long after the close the process was gone. The later the close, the
more the list holds; a delay of 0 closes once the run is over and "Done." answered. A close
while "Done." is open would go to a window that the message box blocks, as on Windows.

    close_bench.py PROGRAM TREE [DELAY...]
"""

import os
import subprocess
import sys
import tempfile
import threading
import time

import Xlib.error
from Xlib import X, display, protocol

from x_session import (EVERY_LEVEL_OPTION, START_CREATING_LIST, COPY_RESULTS_TO_CLIPBOARD,
                       answer_message, click, close, program_environment, start_display,
                       store_choices, wait_for, windows_titled)


class ClipboardManager(threading.Thread):
    """Owns CLIPBOARD_MANAGER and answers SAVE_TARGETS once it has copied the clipboard."""

    def __init__(self, name):
        super().__init__(daemon=True)
        self.conn = display.Display(name)
        self.window = self.conn.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
        self.manager = self.conn.intern_atom("CLIPBOARD_MANAGER")
        self.window.set_selection_owner(self.manager, X.CurrentTime)
        self.conn.sync()

    def run(self):
        clipboard = self.conn.intern_atom("CLIPBOARD")
        text = self.conn.intern_atom("UTF8_STRING")
        save = self.conn.intern_atom("SAVE_TARGETS")
        copy = self.conn.intern_atom("QUORVANE_BENCH_COPY")
        while True:
            try:
                request = self.conn.next_event()
            except Xlib.error.ConnectionClosedError:
                return
            if request.type != X.SelectionRequest or request.selection != self.manager:
                continue
            answer = X.NONE
            if request.target == save:
                self.window.convert_selection(clipboard, text, copy, X.CurrentTime)
                self.conn.flush()
                reply = self.conn.next_event()
                while reply.type != X.SelectionNotify:
                    reply = self.conn.next_event()
                answer = request.property if reply.property != X.NONE else X.NONE
            request.requestor.send_event(protocol.event.SelectionNotify(
                time=request.time, requestor=request.requestor, selection=request.selection,
                target=request.target, property=answer))
            self.conn.flush()


def copy_first_level(conn, window):
    click(conn, window, START_CREATING_LIST)
    answer_message(conn)
    click(conn, window, COPY_RESULTS_TO_CLIPBOARD)
    answer_message(conn)


def one_close(program, tree, delay, copy, name, scratch):
    config = os.path.join(scratch, f"config-{delay}")
    conn = display.Display(name)
    # The first level of the tree, copied to the clipboard if asked, then every level.
    store_choices(config, tree)
    started = subprocess.Popen([program], env=program_environment(name, scratch, config))
    window = wait_for(lambda: windows_titled(conn))[0]
    time.sleep(0.5)
    if copy:
        copy_first_level(conn, window)
    # Every level, chosen in the window.
    click(conn, window, EVERY_LEVEL_OPTION)
    click(conn, window, START_CREATING_LIST)
    if delay > 0:
        time.sleep(delay)
    else:
        # Once the run is over, "Done." answered: the whole list held.
        wait_for(lambda: len(windows_titled(conn)) == 2, seconds=600)
        answer_message(conn)
    running = started.poll() is None and len(windows_titled(conn)) == 1
    closed_at = time.monotonic()
    close(conn, window)
    try:
        status = started.wait(timeout=60)
        gone = f"gone {time.monotonic() - closed_at:.3f} s later (exit status {status})"
    except subprocess.TimeoutExpired:
        boxes = len(windows_titled(conn)) - 1
        gone = f"NOT GONE after 60 s ({boxes} message box{'es' if boxes != 1 else ''} open)"
        started.kill()
        started.wait()
    conn.close()
    if delay > 0:
        when = f"{delay:4.1f} s after the start" + (" of the run" if running else " (run over)")
    else:
        when = "with the whole list, the run over"
    held = "copied text to hand over" if copy else "nothing copied"
    print(f"closed {when}, {held}: {gone}", flush=True)


def main():
    program, tree = sys.argv[1], sys.argv[2]
    delays = [float(d) for d in sys.argv[3:]] or [1.0, 5.0, 10.0, 0.0]
    with tempfile.TemporaryDirectory() as scratch:
        server, name = start_display()
        try:
            manager = ClipboardManager(name)
            manager.start()
            for delay in delays:
                for copy in (True, False):
                    one_close(program, tree, delay, copy, name, scratch)
        finally:
            server.terminate()
            server.wait()


if __name__ == "__main__":
    main()

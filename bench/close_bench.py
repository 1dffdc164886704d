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
from Xlib.ext import xtest

TITLE = "Quorvane"


def without_browser(env, scratch):
    """The window opens its maker's home page at one start in a hundred. Qt hands an address to
    the first xdg-open on PATH, else to $DEFAULT_BROWSER or $BROWSER: each is a stand-in that
    does nothing, so no browser of the machine ever starts."""
    folder = os.path.join(scratch, "no-browser")
    os.makedirs(folder, exist_ok=True)
    opener = os.path.join(folder, "xdg-open")
    with open(opener, "w") as script:
        script.write("#!/bin/sh\nexit 0\n")
    os.chmod(opener, 0o755)
    env.update(DEFAULT_BROWSER=opener, BROWSER=opener,
               PATH=folder + os.pathsep + env.get("PATH", os.defpath))
    return env


def pixels(twips):
    return twips // 15


START_CREATING_LIST = (pixels(120) + 260, pixels(4035) + 13)
COPY_RESULTS_TO_CLIPBOARD = (pixels(4080) + 128, pixels(7170) + 13)


def start_display():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
        pass_fds=[write_end], stderr=open(os.environ.get("XVFB_LOG", os.devnull), "w"))
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_end, 16)
        if not chunk:
            raise RuntimeError("Xvfb did not start")
        number += chunk
    os.close(read_end)
    return server, ":" + number.decode().strip()


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


def windows_titled(conn, title):
    found = []
    for window in conn.screen().root.query_tree().children:
        try:
            if window.get_wm_name() == title and window.get_attributes().map_state == X.IsViewable:
                found.append(window)
        except Xlib.error.XError:
            pass
    return found


def wait_for(condition, seconds=60):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.02)
    raise RuntimeError("timed out")


def click(conn, window, position):
    origin = window.translate_coords(conn.screen().root, 0, 0)
    xtest.fake_input(conn, X.MotionNotify, x=-origin.x + position[0], y=-origin.y + position[1])
    xtest.fake_input(conn, X.ButtonPress, 1)
    xtest.fake_input(conn, X.ButtonRelease, 1)
    conn.sync()


def press_return(conn):
    keycode = conn.keysym_to_keycode(0xff0d)
    xtest.fake_input(conn, X.KeyPress, keycode)
    xtest.fake_input(conn, X.KeyRelease, keycode)
    conn.sync()


def close(conn, window):
    protocols = conn.intern_atom("WM_PROTOCOLS")
    delete = conn.intern_atom("WM_DELETE_WINDOW")
    window.send_event(protocol.event.ClientMessage(
        window=window, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0])))
    conn.sync()


def settings(config, folder):
    os.makedirs(os.path.join(config, "Brindlework"), exist_ok=True)
    with open(os.path.join(config, "Brindlework", "Quorvane.ini"), "w") as out:
        out.write(f"[General]\nFolder={folder}\nOption5=True\nOption4=False\nOption3=False\n")
        out.write("Option6=False\nOption7=True\nOption8=False\nText2=3\n")


def answer_message(conn):
    wait_for(lambda: len(windows_titled(conn, TITLE)) == 2)
    time.sleep(0.3)
    press_return(conn)
    wait_for(lambda: len(windows_titled(conn, TITLE)) == 1)


def copy_first_level(conn, window):
    click(conn, window, START_CREATING_LIST)
    answer_message(conn)
    click(conn, window, COPY_RESULTS_TO_CLIPBOARD)
    answer_message(conn)


def one_close(program, tree, delay, copy, name, scratch):
    config = os.path.join(scratch, f"config-{delay}")
    env = dict(os.environ, DISPLAY=name, QT_QPA_PLATFORM="xcb", HOME=scratch,
               XDG_CONFIG_HOME=config, XDG_RUNTIME_DIR=scratch, TMPDIR=scratch,
               XDG_DATA_DIRS="/nonexistent")
    conn = display.Display(name)
    # The first level of the tree, copied to the clipboard if asked, then every level.
    settings(config, tree)
    started = subprocess.Popen([program], env=without_browser(env, scratch))
    window = wait_for(lambda: windows_titled(conn, TITLE))[0]
    time.sleep(0.5)
    if copy:
        copy_first_level(conn, window)
    # Every level, chosen in the window.
    click(conn, window, (pixels(120 + 240) + 40, pixels(2410 + 300) + 8))
    click(conn, window, START_CREATING_LIST)
    if delay > 0:
        time.sleep(delay)
    else:
        # Once the run is over, "Done." answered: the whole list held.
        wait_for(lambda: len(windows_titled(conn, TITLE)) == 2, seconds=600)
        answer_message(conn)
    running = started.poll() is None and len(windows_titled(conn, TITLE)) == 1
    closed_at = time.monotonic()
    close(conn, window)
    status = started.wait(timeout=60)
    elapsed = time.monotonic() - closed_at
    conn.close()
    if delay > 0:
        when = f"{delay:4.1f} s after the start" + (" of the run" if running else " (run over)")
    else:
        when = "with the whole list, the run over"
    held = "copied text to hand over" if copy else "nothing copied"
    print(f"closed {when}, {held}: gone {elapsed:.3f} s later (exit status {status})",
          flush=True)


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

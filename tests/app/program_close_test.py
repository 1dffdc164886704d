#!/usr/bin/python3
"""Starts the built program on a virtual X display, lists a small tree with "Start Creating
List" and copies it with "Copy Results To Clipboard", then starts a long run and closes the
window in the middle of it: the program must end promptly, without a further message, remove
its scratch file on the way out, and leave the copied text with the desktop's clipboard
manager, which a stand-in here plays.

The long run needs no large tree: each folder of a short chain holds two links to the next one,
so the walk meets 2 + 4 + ... + 2**22 folders, and every level of the same target is long
while depth 3 is small.

    program_close_test.py PROGRAM
"""

import os
import subprocess
import sys
import tempfile
import threading
import time

import Xlib.error
from Xlib import X, XK, display, protocol
from Xlib.ext import xtest

PROGRAM = sys.argv[1]
TITLE = "Quorvane"
LEVELS = 22
TWIPS_PER_PIXEL = 15


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


def twips(x, y):
    return x // TWIPS_PER_PIXEL, y // TWIPS_PER_PIXEL


# Centres of the controls used, in the window's client area (frame origin plus control origin).
START_CREATING_LIST = (twips(120, 4035)[0] + 260, twips(120, 4035)[1] + 13)
COPY_RESULTS_TO_CLIPBOARD = (twips(4080, 7170)[0] + 128, twips(4080, 7170)[1] + 13)
EVERY_LEVEL_OPTION = (twips(120 + 240, 2410 + 300)[0] + 40, twips(120 + 240, 2410 + 300)[1] + 8)


def make_tree(root):
    for level in range(LEVELS + 1):
        os.makedirs(os.path.join(root, f"level{level}"))
    for level in range(LEVELS):
        for link in ("x", "y"):
            os.symlink(f"../level{level + 1}", os.path.join(root, f"level{level}", link))
    return os.path.join(root, "level0")


def write_settings(config_home, target):
    folder = os.path.join(config_home, "Brindlework")
    os.makedirs(folder)
    with open(os.path.join(folder, "Quorvane.ini"), "w") as settings:
        settings.write("[General]\n")
        settings.write(f"Folder={target}\nOption5=True\nOption4=False\nOption3=False\n")
        settings.write("Option6=True\nOption7=False\nOption8=False\nText2=3\n")


def start_display():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
        pass_fds=[write_end], stderr=subprocess.DEVNULL)
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
    """The desktop's clipboard manager, as far as the freedesktop protocol goes: it owns the
    CLIPBOARD_MANAGER selection, and when an ending program asks it to SAVE_TARGETS, it copies
    the clipboard's text before it answers."""

    def __init__(self, name):
        super().__init__(daemon=True)
        self.conn = display.Display(name)
        self.window = self.conn.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
        self.manager = self.conn.intern_atom("CLIPBOARD_MANAGER")
        self.window.set_selection_owner(self.manager, X.CurrentTime)
        self.conn.sync()
        self.saved = None

    def run(self):
        clipboard = self.conn.intern_atom("CLIPBOARD")
        text = self.conn.intern_atom("UTF8_STRING")
        save = self.conn.intern_atom("SAVE_TARGETS")
        copy = self.conn.intern_atom("QUORVANE_TEST_COPY")
        while True:
            try:
                request = self.conn.next_event()
            except Xlib.error.ConnectionClosedError:
                return  # the test is over
            if request.type != X.SelectionRequest or request.selection != self.manager:
                continue
            answer = X.NONE
            if request.target == save:
                self.window.convert_selection(clipboard, text, copy, X.CurrentTime)
                self.conn.flush()
                reply = self.conn.next_event()
                while reply.type != X.SelectionNotify:
                    reply = self.conn.next_event()
                if reply.property != X.NONE:
                    self.saved = self.window.get_full_property(copy, X.AnyPropertyType).value
                    answer = request.property
            request.requestor.send_event(protocol.event.SelectionNotify(
                time=request.time, requestor=request.requestor, selection=request.selection,
                target=request.target, property=answer))
            self.conn.flush()


def window_name(conn, window):
    """The window's title as the desktop shows it (_NET_WM_NAME, UTF-8)."""
    name = window.get_full_property(conn.intern_atom("_NET_WM_NAME"),
                                    conn.intern_atom("UTF8_STRING"))
    return name.value.decode("utf-8") if name else window.get_wm_name()


def windows_titled(conn, title):
    """The program's windows on the screen: the message boxes carry its title, and the main
    window too, or while a run goes on the title with the count of folders found."""
    found = []
    for window in conn.screen().root.query_tree().children:
        try:
            name = window_name(conn, window)
            if ((name == title or name.startswith(title + " \u2013 ")) and
                    window.get_attributes().map_state == X.IsViewable):
                found.append(window)
        except Exception:
            pass
    return found


def wait_for(condition, what, seconds=30):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.05)
    raise AssertionError(f"timed out waiting for {what}")


def click(conn, window, position):
    origin = window.translate_coords(conn.screen().root, 0, 0)
    x, y = -origin.x + position[0], -origin.y + position[1]
    xtest.fake_input(conn, X.MotionNotify, x=x, y=y)
    xtest.fake_input(conn, X.ButtonPress, 1)
    xtest.fake_input(conn, X.ButtonRelease, 1)
    conn.sync()


def answer_box(conn, main_window):
    """Presses Return in the message box once it has the keyboard: before, Return would press
    the button that has the focus in the window, and start another run."""
    box = wait_for(lambda: [w for w in windows_titled(conn, TITLE) if w.id != main_window.id],
                   "the message box")[0]

    def has_focus():
        focus = conn.get_input_focus().focus
        while isinstance(focus, type(box)) and focus.id not in (0, conn.screen().root.id):
            if focus.id == box.id:
                return True
            focus = focus.query_tree().parent
        return False

    wait_for(has_focus, "the message box to have the keyboard")
    press_return(conn)


def press_return(conn):
    keycode = conn.keysym_to_keycode(XK.XK_Return)
    xtest.fake_input(conn, X.KeyPress, keycode)
    xtest.fake_input(conn, X.KeyRelease, keycode)
    conn.sync()


def close(conn, window):
    protocols = conn.intern_atom("WM_PROTOCOLS")
    delete = conn.intern_atom("WM_DELETE_WINDOW")
    event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                         data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(event)
    conn.sync()


def main():
    with tempfile.TemporaryDirectory() as scratch:
        target = make_tree(os.path.join(scratch, "tree"))
        config = os.path.join(scratch, "config")
        write_settings(config, target)
        scratch_file = os.path.join(scratch, "vrn.txt")
        open(scratch_file, "w").close()

        server, name = start_display()
        program = None
        try:
            manager = ClipboardManager(name)
            manager.start()
            env = dict(os.environ, DISPLAY=name, QT_QPA_PLATFORM="xcb", HOME=scratch,
                       XDG_CONFIG_HOME=config, XDG_RUNTIME_DIR=scratch, TMPDIR=scratch,
                       XDG_DATA_DIRS="/nonexistent")
            program = subprocess.Popen([PROGRAM], env=without_browser(env, scratch))
            conn = display.Display(name)
            main_window = wait_for(lambda: windows_titled(conn, TITLE), "the window")[0]
            time.sleep(0.5)  # let the window take its first paint

            # Depth 3 of the tree is small: the run ends with "Done.".
            click(conn, main_window, START_CREATING_LIST)
            wait_for(lambda: len(windows_titled(conn, TITLE)) == 2, '"Done." of the small run')
            answer_box(conn, main_window)
            wait_for(lambda: len(windows_titled(conn, TITLE)) == 1, '"Done." to close')
            click(conn, main_window, COPY_RESULTS_TO_CLIPBOARD)
            wait_for(lambda: len(windows_titled(conn, TITLE)) == 2, "the message of the copy")
            answer_box(conn, main_window)
            wait_for(lambda: len(windows_titled(conn, TITLE)) == 1, "the message to close")

            # Every level is long; close the window while it runs.
            click(conn, main_window, EVERY_LEVEL_OPTION)
            click(conn, main_window, START_CREATING_LIST)
            time.sleep(1.0)
            assert program.poll() is None, "the program ended before it was closed"
            assert len(windows_titled(conn, TITLE)) == 1, "the long run ended before the close"
            counting = window_name(conn, main_window)
            assert counting.startswith(TITLE + " \u2013 ") and counting.endswith(" folders"), \
                f"the caption does not count: {counting!r}"
            closed_at = time.monotonic()
            close(conn, main_window)
            status = program.wait(timeout=10)
            elapsed = time.monotonic() - closed_at
            assert status == 0, f"exit status {status}"
            assert not os.path.exists(scratch_file), "the scratch file is still there"
            copied = (manager.saved or b"").decode("utf-8", "replace")
            assert os.path.join(target, "x") in copied, f"the clipboard manager got {copied!r}"
            print(f"closed during the run; the program ended {elapsed:.2f} s later")
        finally:
            if program and program.poll() is None:
                program.kill()
            server.terminate()
            server.wait()


if __name__ == "__main__":
    main()

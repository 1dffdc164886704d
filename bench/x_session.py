"""The window program on a virtual X display, for the benchmarks that drive it from outside:
the display, the program's windows found by their titles, clicks, keys and the close, and the
stored choices a run starts from."""

import os
import subprocess
import time

import Xlib.error
from Xlib import X, display, protocol
from Xlib.ext import xtest

TITLE = "Quorvane"


def pixels(twips):
    return twips // 15


START_CREATING_LIST = (pixels(120) + 260, pixels(4035) + 13)
COPY_RESULTS_TO_CLIPBOARD = (pixels(4080) + 128, pixels(7170) + 13)
EVERY_LEVEL_OPTION = (pixels(120 + 240) + 40, pixels(2410 + 300) + 8)


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


def program_environment(name, scratch, config):
    env = dict(os.environ, DISPLAY=name, QT_QPA_PLATFORM="xcb", HOME=scratch,
               XDG_CONFIG_HOME=config, XDG_RUNTIME_DIR=scratch, TMPDIR=scratch,
               XDG_DATA_DIRS="/nonexistent")
    return without_browser(env, scratch)


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


def window_name(conn, window):
    """The title as the desktop shows it (_NET_WM_NAME, UTF-8)."""
    name = window.get_full_property(conn.intern_atom("_NET_WM_NAME"),
                                    conn.intern_atom("UTF8_STRING"))
    return name.value.decode("utf-8") if name else (window.get_wm_name() or "")


def windows_titled(conn, title=TITLE):
    """The program's windows on the screen: its message boxes carry its title, and so does the
    main window, which during a run adds the count of folders found."""
    found = []
    for window in conn.screen().root.query_tree().children:
        try:
            name = window_name(conn, window)
            if ((name == title or name.startswith(title + " \u2013 ")) and
                    window.get_attributes().map_state == X.IsViewable):
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


def store_choices(config, folder, every_level=False):
    """The stored choices: "Look at this folder:" on `folder`, the first level only or every
    level."""
    os.makedirs(os.path.join(config, "Brindlework"), exist_ok=True)
    first, every = ("False", "True") if every_level else ("True", "False")
    with open(os.path.join(config, "Brindlework", "Quorvane.ini"), "w") as out:
        out.write(f"[General]\nFolder={folder}\nOption5=True\nOption4=False\nOption3=False\n")
        out.write(f"Option6=False\nOption7={first}\nOption8={every}\nText2=3\n")


def answer_message(conn):
    wait_for(lambda: len(windows_titled(conn)) == 2)
    time.sleep(0.3)
    press_return(conn)
    wait_for(lambda: len(windows_titled(conn)) == 1)

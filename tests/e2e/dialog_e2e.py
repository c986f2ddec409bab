#!/usr/bin/env python3
"""Whole-program tests of t482.exe under Wine, worked like a user with xdotool.

Needs DISPLAY, WINEPREFIX and a running wineserver; run-e2e.sh provides them,
and names the loader that runs the build's programs (T482_E2E_LOADER: wine
for the 32-bit build, wine64 for the 64-bit one).
Each case copies the program into a fresh folder with the host's file and the
settings file, starts it from another working folder (so the program must
find its files beside itself), works the dialog and then compares the
folder's files byte for byte, with the results of the Windows headless
runner t482-batch.exe (run under the same Wine) where the two must agree.

  dialog_e2e.py --exe t482.exe --batch t482-batch.exe --source REPO
                [--work DIR] [-k SUBSTRING] [--screenshot PNG] [--measure N]
"""

import argparse
import ctypes
import ctypes.util
import os
import re
import shutil
import signal
import subprocess
import sys
import time
import traceback

def layout_rects():
    """Client rectangles (left, top, width, height) of the dialog's controls,
    by name, read from the table the dialog is built from."""
    table = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                         "..", "tool", "controls.inc")
    row = re.compile(r"^T482_CONTROL\((\w+),\s*\w+,\s*[\w:]+,"
                     r"\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+),")
    rects = {}
    with open(table, encoding="utf-8") as f:
        for line in f:
            m = row.match(line)
            if m:
                rects[m.group(1)] = tuple(int(v) for v in m.groups()[1:])
    if "Button1" not in rects:
        raise SystemExit("no control rows found in %s" % table)
    return rects


RECTS = layout_rects()
CLIENT_W, CLIENT_H = 511, 375
DIALOG = "^ハルカゼ$"
CONFIRM = "^確認$"

args = None
LOADER = os.environ.get("T482_E2E_LOADER", "wine")

# How t482.exe ends (win32/main.cpp): 0 however its dialog goes away, after
# an OK that drew or without drawing (Cancel, the close box, a refusal or a
# message the user confirmed); 1 when its windows cannot be made or an
# exception reaches WinMain. Any other status is a crash or a kill. Every
# case says which it expects; the two names keep apart what they mean.
DREW = 0
CLOSED = 0


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def faults(text):
    """The lines of Wine's error output that report a fault, under heap
    checking (scripts/wine-env.sh)."""
    pattern = os.environ.get("T482_WINE_FAULTS")
    if not pattern:
        return []
    return [line for line in text.splitlines() if re.search(pattern, line)]


def run(cmd, limit=20):
    """Runs a short command under `timeout`; returns its stdout."""
    done = subprocess.run(["timeout", str(limit)] + cmd, capture_output=True,
                          text=True)
    if done.returncode != 0:
        raise Failure("%s failed (%d): %s" % (" ".join(cmd), done.returncode,
                                              done.stderr.strip()))
    return done.stdout


def xdotool(*words, limit=20):
    return run(["xdotool"] + [str(w) for w in words], limit)


# Characters the cases type that the display's keymap lacks.
TYPED_BEYOND_KEYMAP = "寸"


def bind_keys(chars):
    """Binds each character to a spare key of the display for the whole run.

    xdotool types a character the keymap lacks by binding it to a spare key,
    pressing the key and unbinding it at once; Wine turns the key into a
    character only when the program translates it, and a program that is
    slow to do so (on a loaded machine) finds the key unbound and gets no
    character. Bound before any program starts, the key stays."""
    x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XGetKeyboardMapping.restype = ctypes.POINTER(ctypes.c_ulong)
    x11.XGetKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_ubyte,
                                        ctypes.c_int,
                                        ctypes.POINTER(ctypes.c_int)]
    x11.XChangeKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_int,
                                           ctypes.c_int,
                                           ctypes.POINTER(ctypes.c_ulong),
                                           ctypes.c_int]
    display = x11.XOpenDisplay(None)
    if not display:
        raise Failure("no X display to bind keys on")
    low, high, per = ctypes.c_int(), ctypes.c_int(), ctypes.c_int()
    x11.XDisplayKeycodes(ctypes.c_void_p(display), ctypes.byref(low),
                         ctypes.byref(high))
    count = high.value - low.value + 1
    syms = x11.XGetKeyboardMapping(display, low.value, count,
                                   ctypes.byref(per))
    # The lowest spare keys, as xdotool takes: Wine gives keys virtual-key
    # codes in order, from a pool that the highest keys may find empty.
    spare = [low.value + k for k in range(count)
             if not any(syms[k * per.value + j] for j in range(per.value))]
    x11.XFree(syms)
    if len(spare) < len(chars):
        raise Failure("the display has no spare keys for %r" % chars)
    for char, code in zip(chars, spare):
        sym = (ctypes.c_ulong * 1)(0x01000000 + ord(char))  # Unicode keysym
        x11.XChangeKeyboardMapping(display, code, 1, sym, 1)
    x11.XSync(ctypes.c_void_p(display), 0)
    x11.XCloseDisplay(ctypes.c_void_p(display))


# ---- files -----------------------------------------------------------------

def read(path):
    with open(path, "rb") as f:
        return f.read()


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def settings_lines(path):
    return read(path).split(b"\r\n")[:31]


def settings_bytes(lines):
    return b"".join(line + b"\r\n" for line in lines)


def with_lines(data, changes):
    """The settings file `data` with lines replaced ({line number: bytes})."""
    lines = data.split(b"\r\n")[:31]
    for number, value in changes.items():
        lines[number - 1] = value
    return settings_bytes(lines)


def golden_input(case):
    folder = os.path.join(args.source, "tests", "runs", case, "in")
    return {name: read(os.path.join(folder, name))
            for name in os.listdir(folder)}


def precision_input():
    """A dimension 12.35 long at 0.1 precision, rounded half up: 12.3 in
    extended precision, 12.4 if the program computed with doubles."""
    files = golden_input("right_extension")
    jwc = files["JWC_TEMP.TXT"]
    jwc = jwc.replace(b"hp1  150 0", b"hp1  12.35 0")
    jwc = jwc.replace(b"hp2  110 40", b"hp2  -20 40")
    files["JWC_TEMP.TXT"] = jwc
    files["t207.dat"] = with_lines(files["t207.dat"], {
        5: b"3", 6: b"1", 7: b"2",
        26: b"-50", 27: b"0", 28: b"0", 29: b"0", 30: b"0", 31: b"20"})
    return files


class Folder:
    """A fresh tool folder holding t482.exe and the given files."""

    count = 0

    def __init__(self, files, subpath=None):
        Folder.count += 1
        base = os.path.join(args.work, "case%02d" % Folder.count)
        shutil.rmtree(base, ignore_errors=True)
        self.path = os.path.join(base, subpath) if subpath else base
        os.makedirs(self.path)
        shutil.copy(args.exe, os.path.join(self.path, "t482.exe"))
        for name, data in files.items():
            write(os.path.join(self.path, name), data)
        self.before = dict(files)

    def file(self, name):
        path = os.path.join(self.path, name)
        return read(path) if os.path.exists(path) else None

    def batch_copy(self, files):
        """Runs t482-batch.exe on a copy of `files`; returns the folder's
        files."""
        copy = self.path.rstrip("/") + "-batch"
        os.makedirs(copy)
        for name, data in files.items():
            write(os.path.join(copy, name), data)
        # Exit 0 when it drew, 1 when it refused or showed a message.
        done = subprocess.run(["timeout", "60", LOADER, args.batch,
                               "Z:" + copy.replace("/", "\\")],
                              stdin=subprocess.DEVNULL, capture_output=True)
        check(done.returncode in (0, 1), "t482-batch failed (%d)"
              % done.returncode)
        found = faults(done.stderr.decode("utf-8", "replace"))
        check(not found, "t482-batch faulted: %s" % "; ".join(found))
        return {name: read(os.path.join(copy, name))
                for name in os.listdir(copy)}


# ---- the running program ---------------------------------------------------

class App:
    running = []  # every program started, ended after each case

    def __init__(self, folder):
        App.running.append(self)
        self.folder = folder
        self.log = open(os.path.join(args.work, "wine.log"), "ab")
        self.started = time.monotonic()
        self.killed = False
        # Started from the scratch root, not from its own folder.
        self.proc = subprocess.Popen(
            ["timeout", "--kill-after=5", "120", LOADER,
             os.path.join(folder.path, "t482.exe")],
            cwd=args.work, stdin=subprocess.DEVNULL, stdout=self.log,
            stderr=subprocess.STDOUT, start_new_session=True)

    def find(self, name=DIALOG, limit=30):
        out = xdotool("search", "--sync", "--onlyvisible", "--name", name,
                      limit=limit)
        window = out.split()[0]
        time.sleep(0.5)  # keys sent right after mapping can be lost
        xdotool("windowfocus", "--sync", window)
        return window

    def visible(self, name=DIALOG):
        done = subprocess.run(
            ["timeout", "10", "xdotool", "search", "--onlyvisible", "--name",
             name], capture_output=True, text=True)
        return done.stdout.split()

    def geometry(self, window):
        out = xdotool("getwindowgeometry", window)
        pos = re.search(r"Position: (-?\d+),(-?\d+)", out)
        size = re.search(r"Geometry: (\d+)x(\d+)", out)
        return (int(pos.group(1)), int(pos.group(2)), int(size.group(1)),
                int(size.group(2)))

    def client_origin(self, window):
        """Offset of the client area inside the window (frame, caption)."""
        _, _, w, h = self.geometry(window)
        border = (w - CLIENT_W) // 2
        return border, h - CLIENT_H - border

    def click(self, window, x, y):
        dx, dy = self.client_origin(window)
        xdotool("mousemove", "--window", window, x + dx, y + dy, "click", "1")
        time.sleep(0.2)

    def click_control(self, window, name, at_left=False):
        left, top, width, height = RECTS[name]
        x = left + 6 if at_left else left + width // 2
        self.click(window, x, top + height // 2)

    def keys(self, *keys):
        for key in keys:
            xdotool("key", key)
            time.sleep(0.1)

    def type(self, text):
        # Any other character would be bound only around its key press.
        check(all(ord(c) < 128 or c in TYPED_BEYOND_KEYMAP for c in text),
              "%r: a character beyond the keymap not in TYPED_BEYOND_KEYMAP"
              % text)
        xdotool("type", "--delay", "50", text)
        time.sleep(0.2)

    def alive(self):
        return self.proc.poll() is None

    def wait_exit(self, expected, limit=30):
        """Waits for the program to end by itself, with `expected` as its
        exit status."""
        try:
            status = self.proc.wait(timeout=limit)
        except subprocess.TimeoutExpired:
            self.kill()
            raise Failure("the program did not end within %d s and was "
                          "killed" % limit)
        # `timeout` passes the status on: 124 when it stopped the program,
        # 128 + N when the program ended by signal N.
        check(status == expected, "t482.exe ended with %s, expected %d"
              % ("a time-out" if status == 124 else "status %d" % status,
                 expected))
        return status

    def kill(self):
        """Ends the program if it still runs, and marks it as killed: its
        run had no end of its own."""
        if not self.alive():
            return
        self.killed = True
        os.killpg(self.proc.pid, signal.SIGTERM)
        try:
            self.proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            os.killpg(self.proc.pid, signal.SIGKILL)
            self.proc.wait(timeout=10)


def screenshot(path):
    run(["import", "-window", "root", path], 30)


def pixel(png, x, y):
    out = run(["/usr/bin/convert", png, "-crop", "1x1+%d+%d" % (x, y),
               "-depth", "8", "txt:-"])
    found = re.search(r"\((\d+),(\d+),(\d+)", out.splitlines()[-1])
    return tuple(int(v) for v in found.groups())


# ---- cases -----------------------------------------------------------------

HQ = b"hq\r\n"


def case_no_settings_file():
    files = golden_input("right_extension")
    del files["t207.dat"]
    folder = Folder(files)
    app = App(folder)
    app.find(CONFIRM)
    check(not app.visible(DIALOG), "the dialog shows beside the refusal")
    app.keys("Return")
    app.wait_exit(CLOSED)
    check(folder.file("JWC_TEMP.TXT") == HQ, "JWC_TEMP.TXT is not just hq")
    check(folder.file("t207.dat") is None, "a settings file was created")


def close_ways():
    def escape(app, w):
        app.keys("Escape")

    def cancel_button(app, w):
        app.click_control(w, "Button2")

    def close_box(app, w):
        _, _, width, _ = app.geometry(w)
        border, caption = app.client_origin(w)
        # The close box is the rightmost of the caption's buttons.
        xdotool("mousemove", "--window", w, width - border - 9,
                (border + caption) // 2, "click", "1")

    def system_menu(app, w):
        app.keys("alt+space")
        time.sleep(0.5)
        app.keys("c")

    def cancel_key(app, w):
        app.keys("alt+n")

    def enter_on_focused_cancel(app, w):
        # Backwards from the first list: the notes are skipped, Cancel has
        # the focus and Enter presses it, not the default button.
        app.keys("shift+Tab", "Return")

    return [("escape", escape), ("cancel button", cancel_button),
            ("close box", close_box), ("system menu", system_menu),
            ("cancel accelerator", cancel_key),
            ("enter on the focused cancel button", enter_on_focused_cancel)]


def case_every_way_of_closing_draws_nothing():
    for name, close in close_ways():
        folder = Folder(golden_input("right_extension"))
        app = App(folder)
        w = app.find()
        close(app, w)
        try:
            app.wait_exit(CLOSED, 15)
        except Failure as e:
            raise Failure("%s: %s" % (name, e))
        check(folder.file("JWC_TEMP.TXT") == HQ, "%s: JWC_TEMP.TXT is not hq"
              % name)
        check(folder.file("t207.dat") == folder.before["t207.dat"],
              "%s: t207.dat changed" % name)


def case_bad_value_keeps_dialog_and_focus():
    folder = Folder(golden_input("right_extension"))
    app = App(folder)
    w = app.find()
    app.click_control(w, "Edit7")
    app.keys("End", "shift+Home")
    app.type("0")
    app.keys("Return")
    time.sleep(1.5)
    check(app.alive() and app.visible(DIALOG), "the dialog closed")
    check(folder.file("JWC_TEMP.TXT") == folder.before["JWC_TEMP.TXT"],
          "JWC_TEMP.TXT was written")
    check(folder.file("t207.dat") == folder.before["t207.dat"],
          "t207.dat was written")
    # The refusal put the focus on Edit7 with its text selected: what is
    # typed now replaces it.
    app.type("5")
    app.keys("Return")
    app.wait_exit(DREW)
    line = settings_lines(os.path.join(folder.path, "t207.dat"))[13]
    check(line == b"5", "Edit7 was not focused (line 14 is %r)" % line)


def agrees_with_batch(files, subpath=None, press=("Return",)):
    folder = Folder(files, subpath)
    app = App(folder)
    app.find()
    app.keys(*press)
    app.wait_exit(DREW)
    expected = folder.batch_copy(files)
    for name in ("JWC_TEMP.TXT", "t207.dat"):
        got = folder.file(name)
        check(got == expected[name], "%s differs from t482-batch:\n%r\n%r"
              % (name, got, expected[name]))
    check(folder.file("JWC_TEMP.TXT") != HQ, "nothing was drawn")
    return folder


# OK presses the construction answers with a message: after it the dialog
# has closed, or stays open until the user cancels. Either way the files end
# as t482-batch leaves them.
MESSAGE_CASES = [
    ("inside_refused", False),
    ("missing_point", False),
    ("no_host_file", False),
    ("zero_length", True),
]


def case_messages_of_the_construction():
    for case, stays_open in MESSAGE_CASES:
        files = golden_input(case)
        folder = Folder(files)
        app = App(folder)
        app.find()
        app.keys("Return")
        app.find(CONFIRM)
        app.keys("Return")
        time.sleep(1)
        check(bool(app.visible(DIALOG)) == stays_open,
              "%s: dialog %s after the message" % (
                  case, "closed" if stays_open else "still open"))
        if stays_open:
            app.find()
            app.keys("Escape")
        app.wait_exit(CLOSED)
        expected = folder.batch_copy(files)
        for name in ("JWC_TEMP.TXT", "t207.dat"):
            check(folder.file(name) == expected.get(name),
                  "%s: %s differs from t482-batch" % (case, name))


def case_ok_draws_as_the_batch_runner():
    for case in ("right_extension", "left_extension", "scale_change",
                 "axis_changed", "reversed_overhang", "dim_figure",
                 "full_width_grouping", "axis_90", "axis_270_reversed"):
        try:
            agrees_with_batch(golden_input(case))
        except Failure as e:
            raise Failure("%s: %s" % (case, e))


def case_extended_precision_at_run_time():
    folder = agrees_with_batch(precision_input())
    text = [line for line in folder.file("JWC_TEMP.TXT").split(b"\r\n")
            if line.startswith(b"cs ")]
    check(len(text) == 1 and text[0].endswith(b'"12.3'),
          "value text %r, expected 12.3" % text)


def case_folder_with_japanese_name_and_blank():
    # OK by its accelerator this time.
    agrees_with_batch(golden_input("right_extension"),
                      subpath="外部変形/寸法 追加", press=("alt+y",))


# Keys for the tab-order walk: what to do on each control in turn, from the
# first, and the settings-file line it must change to which value.
TAB_WALK = [
    ("ComboBox1", ["Down"], 3, b"1"),
    ("ComboBox2", ["Down", "Down"], 4, b"2"),
    ("Edit7", ["type:7"], 14, b"7"),
    ("Edit8", ["type:20"], 15, b"20"),
    ("Edit1", ["type:2"], 8, b"2"),
    ("ComboBox3", ["Down"], 5, b"4"),
    ("Edit2", ["type:L=寸"], 9, "L=寸".encode("cp932")),
    ("Edit3", ["type:mm"], 10, b"mm"),
    ("ComboBox4", ["Up", "Up"], 6, b"1"),
    ("ComboBox5", ["Up"], 7, b"1"),
    ("RadioGroup1", ["Right"], 17, b"1"),
    ("RadioGroup2", ["Right"], 18, b"1"),
    ("CheckBox1", ["space"], 19, b"1"),
    ("CheckBox2", ["space"], 20, b"1"),
    ("CheckBox3", [], 21, b"0"),
    ("CheckBox4", ["space"], 22, b"1"),
    ("Edit4", ["type:1"], 11, b"1"),
    ("Edit5", ["type:3"], 12, b"3"),
    ("Edit6", ["type:4"], 13, b"4"),
    ("Edit9", ["type:1.5"], 16, b"1.5"),
    ("Button1", [], None, None),
    ("Button2", [], None, None),
]


def case_tab_order_and_every_setting_reach_the_file():
    files = golden_input("right_extension")
    folder = Folder(files)
    app = App(folder)
    app.find()
    for i, (name, keys, _, _) in enumerate(TAB_WALK):
        if i > 0:
            app.keys("Tab")
        for key in keys:
            if key.startswith("type:"):
                app.type(key[5:])
            else:
                app.keys(key)
    # Past Button2 the Tab key wraps to the first list, skipping the notes;
    # Enter there presses the default button.
    app.keys("Tab", "Return")
    app.wait_exit(DREW)
    lines = settings_lines(os.path.join(folder.path, "t207.dat"))
    for name, _, number, value in TAB_WALK:
        if number is not None:
            check(lines[number - 1] == value, "%s: line %d is %r, expected %r"
                  % (name, number, lines[number - 1], value))
    # The same settings in the file give t482-batch the same drawing.
    typed = {number: value for _, _, number, value in TAB_WALK if number}
    files["t207.dat"] = with_lines(files["t207.dat"], typed)
    expected = folder.batch_copy(files)
    check(folder.file("JWC_TEMP.TXT") == expected["JWC_TEMP.TXT"],
          "the drawing differs from t482-batch with the same settings")


def case_mouse_settings_reach_the_file():
    folder = Folder(golden_input("right_extension"))
    app = App(folder)
    w = app.find()
    app.click_control(w, "CheckBox1", at_left=True)
    left, top, width, _ = RECTS["RadioGroup1"]
    app.click(w, left + 8 + (width - 10) // 2 + 6, top + 25)  # 有
    app.click_control(w, "Edit2")
    app.type("AB")
    app.click_control(w, "ComboBox4")  # opens the list
    app.keys("Down", "Return")
    app.click_control(w, "Button1")
    app.wait_exit(DREW)
    lines = settings_lines(os.path.join(folder.path, "t207.dat"))
    for number, value in ((19, b"1"), (17, b"1"), (9, b"AB"), (6, b"4")):
        check(lines[number - 1] == value, "line %d is %r, expected %r"
              % (number, lines[number - 1], value))


def case_edit_limit_counts_bytes():
    folder = Folder(golden_input("right_extension"))
    app = App(folder)
    w = app.find()
    app.click_control(w, "Edit2")
    app.type("A" * 40)
    app.click_control(w, "Edit3")
    # Two bytes each: 16 fit, and the rest is refused.
    app.type("寸" * 30)
    app.click_control(w, "Edit7")
    app.keys("End", "shift+Home")
    app.type("123456789")  # 8 bytes at most: 12345678, too long an arrow
    app.keys("Return")
    time.sleep(1)
    app.keys("End", "shift+Home")
    app.type("3")
    app.keys("Return")
    app.wait_exit(DREW)
    lines = settings_lines(os.path.join(folder.path, "t207.dat"))
    check(lines[8] == b"A" * 32, "Edit2 kept %r" % lines[8])
    check(lines[9] == ("寸" * 16).encode("cp932"), "Edit3 kept %r"
          % lines[9].decode("cp932", "replace"))
    check(lines[13] == b"3", "Edit7 kept %r" % lines[13])

    # Loaded texts count Shift-JIS bytes: 15 double-byte characters leave
    # room for two more bytes. A loaded text over the limit stays whole.
    kanji = "寸" * 15
    for loaded, typed, saved in ((kanji, "AAA", kanji + "AA"),
                                 ("B" * 40, "C", "B" * 40)):
        files = golden_input("right_extension")
        files["t207.dat"] = with_lines(files["t207.dat"],
                                       {9: loaded.encode("cp932")})
        folder = Folder(files)
        app = App(folder)
        w = app.find()
        app.click_control(w, "Edit2")
        app.keys("End")
        app.type(typed)
        app.keys("Return")
        app.wait_exit(DREW)
        line = settings_lines(os.path.join(folder.path, "t207.dat"))[8]
        check(line == saved.encode("cp932"), "loaded %r, typed %r: saved %r"
              % (loaded, typed, line.decode("cp932", "replace")))


# A saved position and where the dialog must appear on the 1280 x 1024
# screen: reachable positions as they stand, the others at the design place.
POSITIONS = [
    ((100, 100), (100, 100)),
    ((0, 0), (0, 0)),
    ((1200, 900), (1200, 900)),   # 80 px of the title bar on the screen
    ((-470, 10), (-470, 10)),     # 47 px of it at the left edge
    ((-5000, -5000), (194, 107)),
    ((1250, 500), (194, 107)),    # only 30 px left to grab
    ((300, 1020), (194, 107)),    # title bar below the screen's edge
    ((2147483000, 0), (194, 107)),
]


def case_saved_position():
    for (left, top), (want_left, want_top) in POSITIONS:
        files = golden_input("right_extension")
        files["t207.dat"] = with_lines(files["t207.dat"], {
            1: str(left).encode(), 2: str(top).encode()})
        folder = Folder(files)
        app = App(folder)
        w = app.find()
        x, y, _, _ = app.geometry(w)
        app.keys("Escape")
        app.wait_exit(CLOSED)
        check((x, y) == (want_left, want_top), "saved %d,%d: dialog at %d,%d"
              % (left, top, x, y))
        check(folder.file("t207.dat") == files["t207.dat"],
              "saved %d,%d: t207.dat changed" % (left, top))


def case_layout_and_colours():
    folder = Folder(golden_input("right_extension"))
    app = App(folder)
    w = app.find()
    x, y, width, height = app.geometry(w)
    dx, dy = app.client_origin(w)
    png = os.path.join(args.work, "layout.png")
    screenshot(png)
    app.keys("Escape")
    app.wait_exit(CLOSED)
    check(width - 2 * dx == CLIENT_W, "client width %d" % (width - 2 * dx))
    check(height - dy - dx == CLIENT_H, "client height %d" % (height - dy - dx))
    samples = [
        ("background", (330, 300), (255, 255, 255)),
        ("background", (150, 348), (255, 255, 255)),
        ("status line", (5, CLIENT_H - 4), (231, 231, 231)),
        ("status line", (CLIENT_W - 5, CLIENT_H - 20), (231, 231, 231)),
        ("notes", (470, 5), (187, 235, 244)),
        ("notes", (320, 212), (187, 235, 244)),
    ]
    for what, (cx, cy), colour in samples:
        got = pixel(png, x + dx + cx, y + dy + cy)
        check(got == colour, "%s at %d,%d is %s, expected %s"
              % (what, cx, cy, got, colour))


CASES = [
    case_no_settings_file,
    case_every_way_of_closing_draws_nothing,
    case_bad_value_keeps_dialog_and_focus,
    case_ok_draws_as_the_batch_runner,
    case_messages_of_the_construction,
    case_extended_precision_at_run_time,
    case_folder_with_japanese_name_and_blank,
    case_tab_order_and_every_setting_reach_the_file,
    case_mouse_settings_reach_the_file,
    case_edit_limit_counts_bytes,
    case_saved_position,
    case_layout_and_colours,
]


# ---- extras ----------------------------------------------------------------

def save_screenshot(path):
    """The dialog as the user first sees it, cropped, for the read-me."""
    folder = Folder(golden_input("right_extension"))
    app = App(folder)
    w = app.find()
    x, y, width, height = app.geometry(w)
    full = os.path.join(args.work, "root.png")
    screenshot(full)
    app.keys("Escape")
    app.wait_exit(CLOSED)
    run(["/usr/bin/convert", full, "-crop", "%dx%d+%d+%d" % (width, height, x, y),
         "+repage", path])


def seconds_until_shown(app, limit=30):
    """Polls for the dialog; seconds from the program's start."""
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        if app.visible(DIALOG):
            return time.monotonic() - app.started
        time.sleep(0.02)
    raise Failure("no dialog within %d s" % limit)


def measure(times):
    """Start-up until the dialog is on the screen, with the wineserver
    stopped before each start (cold) and kept running (warm)."""
    result = {"cold": [], "warm": []}
    for mode in ("cold", "warm"):
        for _ in range(times):
            if mode == "cold":
                run(["wineserver", "-k"], 30)
                run(["wineserver", "-w"], 30)
            folder = Folder(golden_input("right_extension"))
            app = App(folder)
            result[mode].append(seconds_until_shown(app))
            app.find()
            app.keys("Escape")
            app.wait_exit(CLOSED)
        if mode == "cold":
            # Persistent again (2: a server is up already).
            subprocess.run(["timeout", "30", "wineserver", "-p"])
    return result


def main():
    global args
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--batch", required=True)
    parser.add_argument("--work", default="/tmp/t482-e2e")
    parser.add_argument("-k", dest="only", default="")
    parser.add_argument("--screenshot")
    parser.add_argument("--measure", type=int, default=0)
    args = parser.parse_args()
    args.exe = os.path.abspath(args.exe)
    args.batch = os.path.abspath(args.batch)
    if not os.path.isfile(args.batch):
        print("FAIL: no t482-batch.exe at %s" % args.batch)
        return 1
    args.work = os.path.abspath(args.work)
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)

    if args.screenshot:
        save_screenshot(args.screenshot)
        return 0
    if args.measure:
        for mode, times in measure(args.measure).items():
            print("%s: %s s" % (mode, " ".join("%.2f" % t for t in times)))
        return 0

    bind_keys(TYPED_BEYOND_KEYMAP)
    failed = 0
    log = os.path.join(args.work, "wine.log")
    for case in CASES:
        name = case.__name__[5:]
        if args.only not in name:
            continue
        start = time.monotonic()
        logged = os.path.getsize(log) if os.path.exists(log) else 0
        try:
            case()
            ok = True
        except Exception as e:  # a failed case must not stop the others
            ok = False
            print("FAIL %s: %s" % (name, e))
            if not isinstance(e, Failure):
                traceback.print_exc()
        for app in App.running:
            app.kill()
        killed = [app for app in App.running if app.killed]
        App.running = []
        if killed:
            ok = False
            print("FAIL %s: %d program(s) ended by the test, not by "
                  "themselves" % (name, len(killed)))
        if os.path.exists(log):
            with open(log, "rb") as f:
                f.seek(logged)
                found = faults(f.read().decode("utf-8", "replace"))
            if found:
                ok = False
                print("FAIL %s: t482.exe faulted: %s"
                      % (name, "; ".join(found)))
        if ok:
            print("ok   %s (%.1f s)" % (name, time.monotonic() - start))
        else:
            failed += 1
        sys.stdout.flush()
    print("%d case(s) failed" % failed if failed else "all cases passed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())

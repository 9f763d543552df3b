#!/usr/bin/env python3
"""Scenarios of TarvelAXContainer on Linux, run against the real program in
an X display (scripts/xsession.sh gives one with openbox): real input through
xdotool, window queries through xwininfo and xprop, the settings file and
the processes checked afterwards. Every wait is bounded.

  container_gui_test.py --bin BUILD/bin --scenario NAME
  container_gui_test.py --list
"""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

TITLE = "Tarvelaxcontainer"        # the application title: boxes are captioned with it
CAPTION = "TarvelAXContainer"      # the main window's caption
DEFAULT_BOUNDS = (200, 164, 1062, 744)
NO_NAME = "Укажите имя создаваемого объекта"

# Client coordinates of the controls (the panel and the tool bar sit at the
# top-left of the client area).
ON_TOP_BUTTON = (1 + 74 + 13, 1 + 2 + 13)
COMBO_EDIT = (152 + 150, 4 + 10)
CREATE_BUTTON = (520 + 37, 8 + 8)
PANEL_HEIGHT = 33


class Failure(Exception):
    pass


class Skip(Exception):
    pass


SKIPPED = 77  # ctest's SKIP_RETURN_CODE of these tests


def check(condition, message):
    if not condition:
        raise Failure(message)


STEPS = []  # what the scenario waited for, with times: printed when it fails
STARTED = time.monotonic()


def run(*args, check_rc=False):
    try:
        result = subprocess.run(args, capture_output=True, text=True, timeout=20)
    except subprocess.TimeoutExpired:
        raise Failure(f"{' '.join(args)} did not end within 20 s")
    if check_rc and result.returncode != 0:
        raise Failure(f"{' '.join(args)} failed: {result.stderr.strip()}")
    return result.stdout


def wait_for(what, probe, timeout=20.0, interval=0.05):
    begin = time.monotonic()
    deadline = begin + timeout
    while True:
        value = probe()
        if value:
            STEPS.append(f"{begin - STARTED:6.2f}s +{time.monotonic() - begin:5.2f}s {what}")
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out waiting for {what}")
        time.sleep(interval)


def settle(seconds=0.3):
    time.sleep(seconds)


# ------------------------------------------------------------------ X queries

def visible_windows(name):
    """Mapped windows named exactly name (xdotool itself ignores case)."""
    out = run("xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(name)}$")
    return [int(w) for w in out.split()
            if run("xdotool", "getwindowname", w).rstrip("\n") == name]


def window_info(wid):
    out = run("xwininfo", "-id", str(wid))
    def field(label):
        m = re.search(label + r":\s+(-?\d+)", out)
        return int(m.group(1)) if m else None
    return {"x": field("Absolute upper-left X"), "y": field("Absolute upper-left Y"),
            "width": field("Width"), "height": field("Height"),
            "mapped": "IsViewable" in out}


def frame_extents(wid):
    out = run("xprop", "-id", str(wid), "_NET_FRAME_EXTENTS")
    m = re.search(r"=\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+)", out)
    return tuple(int(v) for v in m.groups()) if m else None


def outer_bounds(wid):
    info = window_info(wid)
    ext = frame_extents(wid) or (0, 0, 0, 0)
    left, right, top, bottom = ext
    return (info["x"] - left, info["y"] - top, info["width"] + left + right, info["height"] + top + bottom)


def net_wm_state(wid):
    return run("xprop", "-id", str(wid), "_NET_WM_STATE")


def children(wid):
    """Direct child windows: (id, name, x, y, width, height)."""
    out = run("xwininfo", "-children", "-id", str(wid))
    result = []
    for m in re.finditer(r"^\s+(0x[0-9a-f]+) (\"[^\"]*\"|\(has no name\)).*?(\d+)x(\d+)\+(-?\d+)\+(-?\d+)",
                         out, re.M):
        result.append((int(m.group(1), 16), m.group(2).strip('"'), int(m.group(5)), int(m.group(6)),
                       int(m.group(3)), int(m.group(4))))
    return result


# ------------------------------------------------------------------ processes

def alive(pid):
    """True while the process exists, a zombie (ended, not reaped) included."""
    return os.path.exists(f"/proc/{pid}")


def child_processes(pid):
    kids = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            if int(fields[1]) == pid:
                kids.append(int(entry))
        except (FileNotFoundError, ProcessLookupError, IndexError, ValueError):
            pass
    return kids


def environment_of(pid):
    try:
        with open(f"/proc/{pid}/environ", "rb") as f:
            pairs = f.read().split(b"\0")
    except FileNotFoundError:
        return {}
    env = {}
    for pair in pairs:
        if b"=" in pair:
            k, v = pair.split(b"=", 1)
            env[k.decode(errors="replace")] = v.decode(errors="replace")
    return env


# ------------------------------------------------------------------ the program

class Container:
    """One run of the real program in a fresh folder of its own."""

    def __init__(self, bin_dir, ini=None, ini_is_folder=False, args=(), classes=None, env=None):
        self.dir = tempfile.mkdtemp(prefix="tarvelax_gui_")
        check("." not in self.dir, "the test folder must hold no '.'")
        self.program = os.path.join(self.dir, "TarvelAXContainer")
        shutil.copy2(os.path.join(bin_dir, "TarvelAXContainer"), self.program)
        shutil.copy2(os.path.join(bin_dir, "tarvelax-sample"), os.path.join(self.dir, "tarvelax-sample"))
        shutil.copytree(os.path.join(bin_dir, "classes"), os.path.join(self.dir, "classes"))
        for progid, exec_line in (classes or {}).items():
            with open(os.path.join(self.dir, "classes", progid + ".class"), "w") as f:
                f.write(f"[Embeddable Object]\nProgID={progid}\nExec={exec_line}\n")
        self.ini = self.program + ".ini"
        if ini_is_folder:
            os.mkdir(self.ini)
        elif ini is not None:
            with open(self.ini, "wb") as f:
                f.write(ini.encode("utf-8"))
        self.box_log = os.path.join(self.dir, "boxes.log")
        environment = dict(os.environ)
        environment.update({"TARVELAX_BOX_LOG": self.box_log,
                            "XDG_DATA_HOME": os.path.join(self.dir, "data-home"),
                            "XDG_DATA_DIRS": os.path.join(self.dir, "data-dirs"),
                            # A loaded machine can take long to start an X client.
                            "TARVELAX_EMBED_TIMEOUT_MS": "30000"})
        environment.update(env or {})
        self.proc = subprocess.Popen([self.program, *args], cwd=self.dir, env=environment,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        self.wid = None
        self.seen_children = set()

    # -- finding things
    def window(self, timeout=30.0):
        def probe():
            if self.proc.poll() is not None:
                raise Failure(f"the program ended early: {self.proc.stderr.read().decode()[-500:]}")
            wins = [w for w in visible_windows(CAPTION) if window_info(w)["width"] > 50]
            return wins[0] if wins else None
        self.wid = wait_for("the main window", probe, timeout)
        return self.wid

    def wait_bounds(self, expected, timeout=10.0):
        try:
            return wait_for(f"bounds {expected}", lambda: outer_bounds(self.wid) == tuple(expected), timeout)
        except Failure:
            raise Failure(f"bounds {outer_bounds(self.wid)}, expected {tuple(expected)}")

    def client_area(self):
        """The OleContainerTarvelAX window: the child below the panel."""
        for c in children(self.wid):
            if c[3] == PANEL_HEIGHT:
                return c
        raise Failure(f"no container window among {children(self.wid)}")

    def embedded(self):
        return [c for c in children(self.client_area()[0])]

    def objects(self):
        kids = child_processes(self.proc.pid)
        self.seen_children.update(kids)
        return kids

    def wait_object(self, progid, timeout=30.0):
        def probe():
            for pid in self.objects():
                if environment_of(pid).get("TARVELAX_PROGID", "").lower() == progid.lower():
                    wins = [w for w in self.embedded() if window_info(w[0])["mapped"]]
                    if wins:
                        return pid, wins[-1]
            return None
        return wait_for(f"object {progid} shown in the container", probe, timeout)

    def boxes(self):
        try:
            with open(self.box_log, encoding="utf-8") as f:
                return [tuple(line.rstrip("\n").split("\t", 2)) for line in f if line.strip()]
        except FileNotFoundError:
            return []

    def settings(self):
        with open(self.ini, "rb") as f:
            return f.read().decode("utf-8")

    # -- real input
    def click(self, x, y):
        run("xdotool", "mousemove", "--window", str(self.wid), str(x), str(y), "click", "1", check_rc=True)

    def activate(self, wid=None):
        wid = wid or self.wid
        run("xdotool", "windowactivate", str(wid))
        try:
            wait_for("the window to be active",
                     lambda: run("xdotool", "getactivewindow").strip() == str(wid), 3)
        except Failure:
            pass  # a modal box keeps the activation; the input goes where the focus is

    def type_name(self, text):
        self.activate()
        self.click(*COMBO_EDIT)
        run("xdotool", "key", "--clearmodifiers", "ctrl+a", "BackSpace", check_rc=True)
        if text:
            run("xdotool", "type", "--delay", "15", text, check_rc=True)
        settle(0.1)

    def press_create(self):
        self.click(*CREATE_BUTTON)

    def dismiss_box(self, kind, text, timeout=10.0):
        """Waits for the box, checks its kind, title and text, presses OK."""
        count = len(self.boxes())
        box = wait_for("a message box", lambda: [w for w in visible_windows(TITLE)], timeout)[0]
        logged = wait_for("the box in the log", lambda: self.boxes()[count - 1:] if self.boxes() else None, 2)
        check((kind, TITLE, text) in self.boxes(), f"box {(kind, TITLE, text)} not among {self.boxes()}")
        self.activate(box)
        run("xdotool", "key", "Return")
        wait_for("the box to go", lambda: not visible_windows(TITLE), timeout)
        del logged

    def close(self, timeout=40.0):
        """Closes the window as a person does (Alt+F4), waits for the end."""
        self.objects()
        deadline = time.monotonic() + timeout
        # A loaded machine may hand the keys on before the window has the
        # focus: a person presses again while the window is still there.
        while True:
            self.activate()
            run("xdotool", "key", "alt+F4")
            try:
                self.proc.wait(5)
                break
            except subprocess.TimeoutExpired:
                if time.monotonic() > deadline or not visible_windows(CAPTION):
                    try:
                        self.proc.wait(max(1.0, deadline - time.monotonic()))
                        break
                    except subprocess.TimeoutExpired:
                        raise Failure("the program did not end after its window was closed")
        check(self.proc.returncode == 0, f"exit code {self.proc.returncode}")

    def check_nothing_left(self, timeout=5.0):
        wait_for(f"objects {sorted(self.seen_children)} to be gone",
                 lambda: not any(alive(p) for p in self.seen_children), timeout)

    def stop(self):
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGKILL)
            self.proc.wait(5)
        for pid in self.seen_children:
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        shutil.rmtree(self.dir, ignore_errors=True)


def ini_value(text, section, key):
    current = None
    for line in text.replace("\r\n", "\n").split("\n"):
        s = line.strip()
        if s.startswith("[") and "]" in s:
            current = s[1:s.rindex("]")].strip().lower()
        elif "=" in s and current == section.lower():
            k, v = s.split("=", 1)
            if k.strip().lower() == key.lower():
                return v.strip()
    return None


# ------------------------------------------------------------------ scenarios

ABC = ("[Objects]\r\nobj1=Sample.A\r\nobj2=Sample.B\r\nobj3=Sample.C\r\n[Last]\r\nid=2\r\n")
SAMPLE_CLASSES = {name: "tarvelax-sample --into %w --application %a --container %c"
                  for name in ("Sample.A", "Sample.B", "Sample.C", "Sample.D", "Sample.E")}

SCENARIOS = {}


def scenario(fn):
    SCENARIOS[fn.__name__] = fn
    return fn


@scenario
def first_start_without_settings(bin_dir):
    c = Container(bin_dir)
    try:
        c.window()
        c.wait_bounds(DEFAULT_BOUNDS)
        check(c.embedded() == [], "nothing is created without a settings file")
        area = c.client_area()
        info = window_info(c.wid)
        check((area[2], area[3], area[4], area[5]) == (0, 33, info["width"], info["height"] - 33),
              f"the container fills the client area below the panel: {area}")
        c.close()
        text = c.settings()
        check(text == "[WindowPosition]\r\nLeft=200\r\nTop=164\r\nWidth=1062\r\nHeight=744\r\n", repr(text))
    finally:
        c.stop()


@scenario
def width_only_changes_the_width(bin_dir):
    c = Container(bin_dir, ini="[WindowPosition]\r\nWidth=800\r\n")
    try:
        c.window()
        c.wait_bounds((200, 164, 800, 744))
        c.close()
        check(ini_value(c.settings(), "WindowPosition", "Width") == "800", c.settings())
    finally:
        c.stop()


def left_written_as(spelling):
    def body(bin_dir):
        c = Container(bin_dir, ini=f"[WindowPosition]\r\nLeft={spelling}\r\nTop=100\r\n")
        try:
            c.window()
            c.wait_bounds((32, 100, 1062, 744))
            c.close()
            check(ini_value(c.settings(), "WindowPosition", "Left") == "32", c.settings())
        finally:
            c.stop()
    return body


SCENARIOS["left_as_0x20"] = left_written_as("0x20")
SCENARIOS["left_as_dollar20"] = left_written_as("$20")
SCENARIOS["left_as_x20"] = left_written_as("x20")


@scenario
def bounds_saved_after_a_move_and_resize(bin_dir):
    c = Container(bin_dir)
    try:
        c.window()
        c.wait_bounds(DEFAULT_BOUNDS)
        run("xdotool", "windowsize", str(c.wid), "700", "500", check_rc=True)
        run("xdotool", "windowmove", str(c.wid), "50", "60", check_rc=True)
        settle(0.5)
        expected = outer_bounds(c.wid)
        c.close()
        text = c.settings()
        got = tuple(int(ini_value(text, "WindowPosition", k)) for k in ("Left", "Top", "Width", "Height"))
        check(got == expected, f"saved {got}, window was {expected}")
        check(got[2] == 700 + (expected[2] - 700) and got[2] != 1062, f"the new size is saved: {got}")
    finally:
        c.stop()


@scenario
def top_most_toggle_there_and_back(bin_dir):
    c = Container(bin_dir, ini="[WindowPosition]\r\nLeft=100\r\nTop=80\r\nWidth=900\r\nHeight=600\r\n")
    try:
        c.window()
        c.wait_bounds((100, 80, 900, 600))
        check("_NET_WM_STATE_ABOVE" not in net_wm_state(c.wid), "a start begins in the normal band")
        c.click(*ON_TOP_BUTTON)
        wait_for("_NET_WM_STATE_ABOVE", lambda: "_NET_WM_STATE_ABOVE" in net_wm_state(c.wid), 5)
        c.wait_bounds((100, 80, 900, 600))
        c.click(*ON_TOP_BUTTON)
        wait_for("_NET_WM_STATE_ABOVE to go", lambda: "_NET_WM_STATE_ABOVE" not in net_wm_state(c.wid), 5)
        c.wait_bounds((100, 80, 900, 600))
        c.close()
        check("ABOVE" not in c.settings().upper(), "the top-most state is not saved")
    finally:
        c.stop()


@scenario
def remembered_list_creates_the_last(bin_dir):
    c = Container(bin_dir, ini=ABC, classes=SAMPLE_CLASSES)
    try:
        c.window()
        pid_b, _ = c.wait_object("Sample.B")
        # The list reads C, B, A from the top: A sits at position 2, so
        # creating it again writes id=1.
        c.type_name("Sample.A")
        c.press_create()
        pid_a, _ = c.wait_object("Sample.A")
        wait_for("B to be reaped", lambda: not alive(pid_b), 5)
        wait_for("id=1", lambda: ini_value(c.settings(), "Last", "id") == "1", 5)
        check("obj4" not in c.settings(), "a listed name is not written again")
        c.close()
        c.check_nothing_left()
    finally:
        c.stop()


@scenario
def new_names_in_one_run_share_one_key(bin_dir):
    c = Container(bin_dir, ini=ABC, classes=SAMPLE_CLASSES)
    try:
        c.window()
        c.wait_object("Sample.B")
        c.type_name("Sample.D")
        c.press_create()
        c.wait_object("Sample.D")
        wait_for("obj4=D, id=4", lambda: (ini_value(c.settings(), "Objects", "obj4"),
                                          ini_value(c.settings(), "Last", "id")) == ("Sample.D", "4"), 5)
        c.type_name("Sample.E")
        c.press_create()
        c.wait_object("Sample.E")
        wait_for("obj4=E, id=4", lambda: (ini_value(c.settings(), "Objects", "obj4"),
                                          ini_value(c.settings(), "Last", "id")) == ("Sample.E", "4"), 5)
        check("obj5" not in c.settings(), "the list does not grow during a run")
        c.close()
        c.check_nothing_left()
    finally:
        c.stop()


@scenario
def lower_case_name_is_new_but_finds_its_number(bin_dir):
    c = Container(bin_dir, ini=ABC, classes=SAMPLE_CLASSES)
    try:
        c.window()
        c.wait_object("Sample.B")
        # Typing completes from the list ("sample.a" completes to nothing
        # more: the whole name is typed) and keeps the typed letters.
        c.type_name("sample.a")
        c.press_create()
        c.wait_object("Sample.A")
        wait_for("obj4=sample.a, id=1", lambda: (ini_value(c.settings(), "Objects", "obj4"),
                                                 ini_value(c.settings(), "Last", "id")) == ("sample.a", "1"), 5)
        c.close()
    finally:
        c.stop()


@scenario
def completion_keeps_the_typed_letters(bin_dir):
    c = Container(bin_dir, ini=ABC.replace("id=2", "id=9"), classes=SAMPLE_CLASSES)
    try:
        c.window()
        settle(0.5)
        check(c.embedded() == [], "id=9 names no object")
        # "sample." begins every entry; the first from the top is Sample.C,
        # so the text becomes "sample." + "C".
        c.type_name("sample.")
        c.press_create()
        c.wait_object("Sample.C")
        wait_for("obj4=sample.C, id=3", lambda: (ini_value(c.settings(), "Objects", "obj4"),
                                                 ini_value(c.settings(), "Last", "id")) == ("sample.C", "3"), 5)
        c.close()
    finally:
        c.stop()


@scenario
def enter_presses_create_only_with_the_focus(bin_dir):
    c = Container(bin_dir, classes=SAMPLE_CLASSES)
    try:
        c.window()
        c.type_name("Sample.D")
        run("xdotool", "key", "Return")
        settle(0.7)
        check(not os.path.exists(c.ini) and c.embedded() == [], "Enter in the combo box creates nothing")
        run("xdotool", "key", "Tab")  # the focus moves on to Создать
        settle(0.2)
        run("xdotool", "key", "Return")
        c.wait_object("Sample.D")
        check(ini_value(c.settings(), "Objects", "obj1") == "Sample.D", c.settings())
        c.close()
    finally:
        c.stop()


@scenario
def keys_obj1_and_obj3_only(bin_dir):
    c = Container(bin_dir, ini="[Objects]\r\nobj1=Sample.A\r\nobj3=Sample.C\r\n", classes=SAMPLE_CLASSES)
    try:
        c.window()
        c.wait_object("Sample.A")  # id defaults to 1
        c.type_name("Sample.D")
        c.press_create()
        c.wait_object("Sample.D")
        wait_for("obj3=D, id=3", lambda: (ini_value(c.settings(), "Objects", "obj3"),
                                          ini_value(c.settings(), "Last", "id")) == ("Sample.D", "3"), 5)
        c.close()
    finally:
        c.stop()


@scenario
def one_argument_after_the_remembered_object(bin_dir):
    logged = {name: f'sh -c "echo {name} >> started.log; exec ./tarvelax-sample --into %w"'
              for name in ("Sample.B", "Sample.E")}
    c = Container(bin_dir, ini=ABC, args=["Sample.E"], classes=logged)
    try:
        c.window()
        pid_e, _ = c.wait_object("Sample.E")
        with open(os.path.join(c.dir, "started.log")) as f:
            started = f.read().split()
        check(started == ["Sample.B", "Sample.E"], f"the last object first, then the argument's: {started}")
        wait_for("obj4=E, id=4", lambda: (ini_value(c.settings(), "Objects", "obj4"),
                                          ini_value(c.settings(), "Last", "id")) == ("Sample.E", "4"), 5)
        # Away to another window and back: nothing more is created.
        other = subprocess.Popen(["xterm", "-title", "other", "-geometry", "40x5+0+0"],
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            w = wait_for("the other window", lambda: visible_windows("other"), 10)[0]
            c.activate(w)
            settle(0.3)
            c.activate()
            settle(0.5)
        finally:
            other.terminate()
            other.wait(5)
        check(c.objects() == [pid_e], f"still one object, E: {c.objects()}")
        with open(os.path.join(c.dir, "started.log")) as f:
            check(len(f.read().split()) == 2, "coming back creates nothing")
        c.close()
        c.check_nothing_left()
    finally:
        c.stop()


@scenario
def two_arguments_create_nothing(bin_dir):
    c = Container(bin_dir, args=["Sample.A", "Sample.B"], classes=SAMPLE_CLASSES)
    try:
        c.window()
        settle(1.0)
        check(c.objects() == [] and c.embedded() == [], "no object from two arguments")
        c.close()
        check("Objects" not in c.settings(), c.settings())
    finally:
        c.stop()


@scenario
def unknown_name(bin_dir):
    c = Container(bin_dir, ini=ABC, classes=SAMPLE_CLASSES)
    try:
        c.window()
        pid_b, _ = c.wait_object("Sample.B")
        c.type_name("No.Such.Class")
        c.press_create()
        c.dismiss_box("exception", "Invalid class string.")
        text = c.settings()
        check(ini_value(text, "Objects", "obj4") == "No.Such.Class", text)
        check(ini_value(text, "Last", "id") == "2", "Last is not written")
        check(alive(pid_b) and c.embedded(), "the closed object stays in the container")
        c.close()
        c.check_nothing_left()
    finally:
        c.stop()


@scenario
def empty_name(bin_dir):
    c = Container(bin_dir)
    try:
        c.window()
        c.type_name("")
        c.press_create()
        c.dismiss_box("message", NO_NAME)
        check(not os.path.exists(c.ini), "nothing is written")
        c.close()
    finally:
        c.stop()


@scenario
def unwritable_settings_file(bin_dir):
    c = Container(bin_dir, ini_is_folder=True, classes=SAMPLE_CLASSES)
    try:
        c.window()
        c.wait_bounds(DEFAULT_BOUNDS)
        c.type_name("Sample.A")
        c.press_create()
        c.dismiss_box("exception", f"Unable to write to {c.ini}.")
        check(c.embedded() == [], "nothing is created when the new name cannot be written")
        # Closing shows the error, and the window still closes.
        for _ in range(3):
            c.activate()
            run("xdotool", "key", "alt+F4")
            try:
                wait_for("the box of the close", lambda: visible_windows(TITLE), 5)
                break
            except Failure:
                pass
        c.dismiss_box("exception", f"Unable to write to {c.ini}.")
        c.proc.wait(10)
        check(os.path.isdir(c.ini), "the folder stays")
    finally:
        c.stop()


def check_embedded_follows(c, progid):
    pid, win = c.wait_object(progid)

    def fitted():
        a = c.client_area()
        w = [x for x in c.embedded() if x[0] == win[0]]
        return (w and (w[0][2], w[0][3], w[0][4], w[0][5]) == (0, 0, a[4], a[5])
                and a[4] == window_info(c.wid)["width"])
    try:
        wait_for(f"{progid} to fill the container", fitted, 5)
    except Failure:
        raise Failure(f"{progid} does not fill the container: {c.embedded()} in {c.client_area()}")
    run("xdotool", "windowsize", str(c.wid), "640", "420", check_rc=True)
    wait_for("the new size", lambda: window_info(c.wid)["width"] == 640, 5)
    try:
        wait_for(f"{progid} to follow the resize", fitted, 5)
    except Failure:
        raise Failure(f"{progid} did not follow the resize: {c.embedded()} in {c.client_area()}")
    return pid


@scenario
def sample_object_sits_inside_and_resizes(bin_dir):
    c = Container(bin_dir, args=["TarvelAX.Sample"])
    try:
        c.window()
        pid = check_embedded_follows(c, "TarvelAX.Sample")
        env = environment_of(pid)
        check(env.get("TARVELAX_APPLICATION") == TITLE and env.get("TARVELAX_CONTAINER") == "OleContainerTarvelAX",
              f"host names handed over: {env.get('TARVELAX_APPLICATION')}, {env.get('TARVELAX_CONTAINER')}")
        c.close()
        c.check_nothing_left()
    finally:
        c.stop()


@scenario
def xterm_sits_inside_and_resizes(bin_dir):
    if not shutil.which("xterm"):
        raise Skip("xterm is not installed")
    c = Container(bin_dir, args=["xterm.terminal"])
    try:
        c.window()
        check_embedded_follows(c, "XTerm.Terminal")
        c.close()
        c.check_nothing_left()
    finally:
        c.stop()


@scenario
def object_that_ends_before_its_window(bin_dir):
    c = Container(bin_dir, args=["Broken.Object"], classes={"Broken.Object": 'sh -c "exit 3"'})
    try:
        c.window()
        # ")" sorts below ".": the box adds no ".".
        c.dismiss_box("exception", "Broken.Object ended before it showed a window (exit status 3)")
        check(ini_value(c.settings(), "Last", "id") is None, "Last is not written")
        c.close()
    finally:
        c.stop()


@scenario
def object_without_a_window_in_time(bin_dir):
    c = Container(bin_dir, args=["Silent.Object"], classes={"Silent.Object": "sleep 30"},
                  env={"TARVELAX_EMBED_TIMEOUT_MS": "1500"})
    try:
        c.window()
        wait_for("the object process", lambda: c.objects() or None, 5)
        c.dismiss_box("exception", "Silent.Object showed no window within 1.50 seconds.")
        check(not any(alive(p) for p in c.seen_children), "the silent object was ended and reaped")
        c.close()
    finally:
        c.stop()


@scenario
def stubborn_object_is_ended_and_reaped(bin_dir):
    # The object's window goes on WM_DELETE_WINDOW, but the process the
    # container started ignores SIGTERM: it takes SIGKILL.
    stubborn = {"Stubborn.Object":
                "sh -c \"./tarvelax-sample --into %w & trap '' TERM; exec sleep 60\""}
    c = Container(bin_dir, args=["Stubborn.Object"], classes=stubborn)
    try:
        c.window()
        pid, _ = c.wait_object("Stubborn.Object")
        started = time.monotonic()
        c.close(timeout=15)
        check(not alive(pid), f"the stubborn object {pid} is gone")
        took = time.monotonic() - started
        check(took >= 2.5, f"it was given time to go first ({took:.1f} s)")
    finally:
        c.stop()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin")
    parser.add_argument("--scenario")
    parser.add_argument("--list", action="store_true")
    args = parser.parse_args()
    if args.list:
        print("\n".join(SCENARIOS))
        return 0
    if "DISPLAY" not in os.environ:
        print("no X display: run me inside scripts/xsession.sh", file=sys.stderr)
        return 1
    try:
        SCENARIOS[args.scenario](os.path.abspath(args.bin))
    except Skip as skip:
        print(f"SKIP {args.scenario}: {skip}")
        return SKIPPED
    except Failure as failure:
        print("\n".join(STEPS), file=sys.stderr)
        print(f"FAIL {args.scenario} after {time.monotonic() - STARTED:.1f} s: {failure}", file=sys.stderr)
        return 1
    print(f"PASS {args.scenario}")
    return 0


if __name__ == "__main__":
    sys.exit(main())

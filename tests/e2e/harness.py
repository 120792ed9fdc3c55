"""Drives orbalt.exe and orbalt.scr under Wine on a private X server: the
end-to-end tests and the demo flight (scripts/demo-flight.py) both use it.

A `Session` owns one X server (on a display number the server picks itself),
a Wine prefix (created once, with Wine's windows unmanaged so that no window
manager is needed and no hide stalls 2 s; the tests share one) and a copy of
the program directory in a run folder (temporary unless one is given).
`Session.launch` starts a program of that folder (orbalt.exe unless told
otherwise) and returns a `Program`, which waits on conditions (a window, a
message box, a log line, the process's exit), never on bare sleeps.

The X server is Xvfb with one screen, or, for a session given `monitors`,
Xorg with the dummy video driver and one RandR output per monitor: the only
set-up in which Wine sees several monitors. A machine that cannot run that
server raises `XServerUnavailable`, which a test turns into a skip.

Keys go to a window as XTEST events after the window has been given the X
focus: Wine's windows do not take key events sent to them with XSendEvent
(`xdotool key --window` falls back to that whenever the window is not the
focused one). A key can still get lost while a window is being (re)mapped, so
every key with an effect to wait for is sent again until the effect shows.

Environment (set by ctest):
  ORBALT_BIN_DIR     the ready-to-run program directory (orbalt.exe, orbalt.scr,
                     their data, and the test helper preview_parent.exe)
  ORBALT_E2E_WORK    where the prefix, temporary runs and failure screenshots go
  ORBALT_XRR_ADDMODE the helper that adds switchable display modes to Xvfb

On a failure inside `with Session(...)`, a screenshot is saved as
ORBALT_E2E_WORK/artifacts/<name>.png (failure-<name>.png in a given run
folder) so that the failure can be read.
"""

import ctypes
import ctypes.util
import fcntl
import functools
import glob
import os
import re
import select
import shlex
import shutil
import signal
import subprocess
import tempfile
import time

BIN_DIR = os.environ.get("ORBALT_BIN_DIR", "")
WORK_DIR = os.environ.get("ORBALT_E2E_WORK", os.path.join(tempfile.gettempdir(), "orbalt-e2e"))
XRR_ADDMODE = os.environ.get("ORBALT_XRR_ADDMODE", "")
PREFIX = os.path.join(WORK_DIR, "wineprefix")

# The locale of a Western Windows for the programs' environment: Wine's ANSI
# code page is then 1252, which holds "ö" but no Cyrillic or Japanese letter,
# and Unix file names are UTF-8.
WESTERN_LOCALE = {"LANG": "C.UTF-8", "LC_ALL": "C.UTF-8"}

# Rows at the top of a window picture that hold text rather than the scene:
# the caption Wine draws on its unmanaged windows (23 rows) and the program's
# frame-rate line below it (16 rows).
TEXT_ROWS = 40

MSGBOX_TRACE = re.compile(r'trace:msgbox:MSGBOX_OnInit L"(.*)"(?:\.\.\.)?\s*$')


class E2EError(AssertionError):
    """A condition the test waited for did not come in time."""


class XServerUnavailable(Exception):
    """The X server a session asked for cannot run on this machine (a
    package missing, no permission): a reason to skip, not a failure."""


def wait_until(condition, timeout, what, interval=0.05):
    """Polls `condition` until it returns a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise E2EError("timed out after %.1f s waiting for %s" % (timeout, what))
        time.sleep(interval)


def unescape(text):
    """Undoes the C escapes of Wine's trace output (\\n, \\t, \\", \\\\, \\00e9)."""
    out, i = [], 0
    simple = {"n": "\n", "r": "\r", "t": "\t", '"': '"', "\\": "\\"}
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            nxt = text[i + 1]
            if nxt in simple:
                out.append(simple[nxt])
                i += 2
                continue
            if re.match(r"[0-9a-fA-F]{4}", text[i + 1:i + 5]):
                out.append(chr(int(text[i + 1:i + 5], 16)))
                i += 5
                continue
        out.append(c)
        i += 1
    return "".join(out)


class Session:
    def __init__(self, name, extra_modes=(), screen="1024x768x24", bin_dir=None, prefix=None,
                 run_dir=None, monitors=None, primary=0, program_folder="orbalt dir"):
        """`run_dir`, when given, is created and kept (the demo's output folder);
        otherwise the run happens in a temporary folder removed at close.
        `program_folder` names the copy of the program directory in it.
        `monitors`, when given, is a list of sizes ("960x1080"): the session
        then runs an Xorg server with one monitor of each size, laid side by
        side from x = 0 in that order, number `primary` the primary one."""
        self.name = re.sub(r"[^A-Za-z0-9_.-]", "_", name)
        self.extra_modes = list(extra_modes)
        self.screen = screen
        self.monitors = [tuple(int(n) for n in size.split("x")) for size in monitors or ()]
        self.primary = primary
        self.program_folder = program_folder
        self.bin_dir = bin_dir or BIN_DIR
        self.prefix = prefix or PREFIX
        self.run_dir = run_dir
        self.processes = []  # (Popen, description) we started, ended in close()
        self.files = []      # output files of those processes, closed in close()
        self.tmp = None
        self.display = None
        self.launches = 0    # programs started so far, which names their output files

    # -- life cycle ---------------------------------------------------------
    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, kind, value, traceback):
        if kind is not None:
            self.save_failure_screenshot()
        self.close()
        return False

    def start(self):
        if not os.path.isfile(os.path.join(self.bin_dir, "orbalt.exe")):
            raise E2EError("no orbalt.exe in %r: build the windows preset" % self.bin_dir)
        if self.run_dir:
            os.makedirs(self.run_dir)
            self.tmp = self.run_dir
        else:
            os.makedirs(WORK_DIR, exist_ok=True)
            self.tmp = tempfile.mkdtemp(prefix="run-%s-" % self.name, dir=WORK_DIR)
        if self.monitors:
            self.start_xorg()
        else:
            self.start_xvfb()
        ensure_prefix(self.env(), self.prefix)
        if self.extra_modes:
            self.start_mode_helper()
        # The default name holds a blank on purpose.
        self.program_dir = os.path.join(self.tmp, self.program_folder)
        shutil.copytree(self.bin_dir, self.program_dir)

    def start_xvfb(self):
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-screen", "0", self.screen, "-nolisten", "tcp", "-noreset",
             "-displayfd", str(write_end)],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL,
            stderr=self.output_file("xvfb.log"))
        os.close(write_end)
        self.processes.append((xvfb, "Xvfb"))
        with os.fdopen(read_end) as numbers:
            number = numbers.readline().strip()  # written once the server accepts clients
        if not number:
            raise E2EError("Xvfb did not start")
        self.display = ":" + number

    def monitor_rects(self):
        """The X rectangles (x, y, width, height) of the session's monitors, in order."""
        rects, x = [], 0
        for width, height in self.monitors:
            rects.append((x, 0, width, height))
            x += width
        return rects

    def start_xorg(self):
        """Starts Xorg with the dummy driver and gives each monitor an output of
        its own (DUMMY0, DUMMY1, ...) with a mode of its size. Raises
        XServerUnavailable, saying why, when this cannot be done here."""
        if not shutil.which("Xorg") or not shutil.which("xrandr"):
            raise XServerUnavailable("Xorg or xrandr is missing (packages xserver-xorg-core, "
                                     "xserver-xorg-video-dummy, x11-xserver-utils)")
        config = os.path.join(self.tmp, "xorg.conf")
        with open(config, "w") as out:
            out.write(dummy_xorg_config(self.monitors))
        log = os.path.join(self.tmp, "xorg.log")
        read_end, write_end = os.pipe()
        try:
            xorg = subprocess.Popen(
                ["Xorg", "-config", config, "-noreset", "-nolisten", "tcp", "-logfile", log,
                 "-displayfd", str(write_end)],
                pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                stderr=self.output_file("xorg.err"))
        finally:
            os.close(write_end)
        self.processes.append((xorg, "Xorg"))
        # The number comes once the server accepts clients; a server that
        # cannot start closes the pipe by exiting.
        with os.fdopen(read_end) as numbers:
            ready, _, _ = select.select([numbers], [], [], 30)
            number = numbers.readline().strip() if ready else ""
        if not number:
            raise XServerUnavailable("Xorg with the dummy driver did not start: %s"
                                     % xorg_errors(log, os.path.join(self.tmp, "xorg.err")))
        self.display = ":" + number
        try:
            wait_until(lambda: self.xrandr("--query"), 20, "xrandr to answer on %s" % self.display)
            commands = [["--addmode", "DUMMY%d" % i, mode_name(size)] for i, size in enumerate(self.monitors)]
            layout = []
            for i, (x, y, width, height) in enumerate(self.monitor_rects()):
                layout += ["--output", "DUMMY%d" % i, "--mode", mode_name((width, height)),
                           "--pos", "%dx%d" % (x, y)]
            commands.append(layout)
            commands.append(["--output", "DUMMY%d" % self.primary, "--primary"])
            for command in commands:
                if not self.xrandr(*command):
                    raise E2EError("xrandr %s failed" % " ".join(command))
            listed = self.x("xrandr", "--listmonitors")
            if ("Monitors: %d" % len(self.monitors)) not in listed:
                raise E2EError("xrandr lists other monitors: %s" % listed)
        except E2EError as error:
            raise XServerUnavailable("Xorg started, but its outputs could not be set: %s" % error)

    def xrandr(self, *args):
        """Runs xrandr on this display; True when it succeeded."""
        return subprocess.run(["xrandr"] + list(args), env=self.env(), stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0

    def start_mode_helper(self):
        if not os.access(XRR_ADDMODE, os.X_OK):
            raise E2EError("no xrr_addmode helper at %r" % XRR_ADDMODE)
        helper = subprocess.Popen([XRR_ADDMODE] + self.extra_modes, env=self.env(),
                                  stdout=subprocess.PIPE, text=True)
        self.processes.append((helper, "xrr_addmode"))
        self.files.append(helper.stdout)
        if helper.stdout.readline().strip() != "ready":
            raise E2EError("xrr_addmode could not add %s" % self.extra_modes)

    def close(self):
        if self.display:
            subprocess.run(["wineserver", "-k"], env=self.env(), stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
            subprocess.run(["wineserver", "-w"], env=self.env(), stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=30)
        for process, _ in reversed(self.processes):
            if process.poll() is None:
                process.send_signal(signal.SIGTERM)
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        self.processes = []
        for file in self.files:
            file.close()
        self.files = []
        if self.tmp and self.tmp != self.run_dir:
            shutil.rmtree(self.tmp, ignore_errors=True)
        self.tmp = None

    def output_file(self, name):
        file = open(os.path.join(self.tmp, name), "w")
        self.files.append(file)
        return file

    # -- environment and X helpers ------------------------------------------
    def env(self, extra=None):
        env = dict(os.environ)
        env.update({
            "DISPLAY": self.display or "",
            "WINEPREFIX": self.prefix,
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
        })
        env.update(extra or {})
        return env

    def x(self, *args, check=False):
        """Runs an X client (xdotool, xdpyinfo, ...) on this display; returns stdout."""
        result = subprocess.run(list(args), env=self.env(), capture_output=True, text=True)
        if check and result.returncode != 0:
            raise E2EError("%s failed: %s" % (" ".join(args), result.stderr.strip()))
        return result.stdout

    def windows(self, title_regex):
        """Ids of the visible windows whose title matches the anchored regex."""
        return self.x("xdotool", "search", "--onlyvisible", "--name", title_regex).split()

    def type_keys(self, window, *keys):
        """Gives `window` the X focus, then presses the keys there as XTEST events."""
        self.x("xdotool", "windowfocus", window, "key", *keys)

    def request_close(self, window):
        """Asks the window to close as a window manager does; Wine makes it a WM_CLOSE."""
        send_close_request(self.display, window)

    def pointer_position(self):
        """Where the X pointer is, as (x, y)."""
        out = self.x("xdotool", "getmouselocation", "--shell", check=True)
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(values["X"]), int(values["Y"])

    def pointer_shown(self):
        """Whether the pointer's current image has any pixel that is not fully
        transparent: a hidden pointer under Wine is a blank X cursor."""
        return cursor_has_visible_pixels(self.display)

    def screen_size(self):
        match = re.search(r"dimensions:\s+(\d+)x(\d+) pixels", self.x("xdpyinfo"))
        return (int(match.group(1)), int(match.group(2))) if match else None

    def window_geometry(self, window):
        out = self.x("xdotool", "getwindowgeometry", "--shell", window)
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return {k: int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT") if k in values}

    def window_picture(self, window):
        """(width, height, RGB bytes) of the window, or None."""
        geometry = self.window_geometry(window)
        pixels = self.window_pixels(window)
        if not geometry or len(pixels) != geometry["WIDTH"] * geometry["HEIGHT"] * 3:
            return None
        return geometry["WIDTH"], geometry["HEIGHT"], pixels

    def window_dump(self, window):
        """The window's picture in X's xwd format (empty when it cannot be read)."""
        # xwd reads the window without grabbing anything: a grab (as import
        # makes) can take the focus from Wine's window, which then drops keys.
        dump = subprocess.run(["xwd", "-silent", "-id", window], env=self.env(), capture_output=True)
        return dump.stdout if dump.returncode == 0 else b""

    def screen_picture(self):
        """(width, height, RGB bytes) of the whole X screen, or None. Read
        without a grab, as `window_dump` reads a window."""
        dump = subprocess.run(["xwd", "-silent", "-root"], env=self.env(), capture_output=True)
        if dump.returncode != 0 or not dump.stdout:
            return None
        size = self.screen_size()
        result = subprocess.run(["convert", "xwd:-", "-depth", "8", "rgb:-"], input=dump.stdout,
                                capture_output=True)
        if not size or result.returncode != 0 or len(result.stdout) != size[0] * size[1] * 3:
            return None
        return size[0], size[1], result.stdout

    def window_pixels(self, window):
        """The window's picture as raw RGB bytes (empty when it cannot be read)."""
        dump = self.window_dump(window)
        result = subprocess.run(["convert", "xwd:-", "-depth", "8", "rgb:-"], input=dump,
                                capture_output=True) if dump else None
        return result.stdout if result and result.returncode == 0 else b""

    def save_window_picture(self, window, path):
        """Writes the window's picture to `path` (PNG); True when written."""
        dump = self.window_dump(window)
        return bool(dump) and subprocess.run(["convert", "xwd:-", path], input=dump,
                                             capture_output=True).returncode == 0

    def screenshot(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        self.x("import", "-window", "root", path)
        return path

    def save_failure_screenshot(self):
        if self.display:
            folder = self.run_dir or os.path.join(WORK_DIR, "artifacts")
            path = os.path.join(folder, "failure-%s.png" % self.name if self.run_dir else self.name + ".png")
            try:
                self.screenshot(path)
                print("failure screenshot: %s" % path)
            except Exception as error:  # a broken display must not hide the real failure
                print("no failure screenshot: %s" % error)

    # -- the program ----------------------------------------------------------
    def write_config(self, text):
        """Writes the configuration file: text as it is, or bytes exactly."""
        data = text if isinstance(text, bytes) else text.encode()
        with open(os.path.join(self.program_dir, "orbalt_config.txt"), "wb") as config:
            config.write(data)

    def launch(self, args=(), cwd=None, exe="orbalt.exe", env=None, terminal=False):
        """Starts `exe` of the program folder (orbalt.exe, orbalt.scr or a
        test helper built beside them) with `args`; `env`, when given, holds
        variables added to the program's environment (e.g. settings read by
        the host's GL driver, which runs inside the Wine process). With
        `terminal` the program runs on a terminal of its own, where Wine gives
        it a real console: its console text then holds the terminal's
        control sequences, and Wine's trace lines (message boxes) with it."""
        return Program(self, list(args), cwd or self.tmp, exe, env, terminal)

    def user_data_folder(self):
        """The prefix's %APPDATA% (C:\\users\\<user>\\AppData\\Roaming) as a path here."""
        found = glob.glob(os.path.join(self.prefix, "drive_c", "users", "*", "AppData", "Roaming"))
        mine = [path for path in found if os.sep + "Public" + os.sep not in path]
        if not mine:
            raise E2EError("no AppData\\Roaming folder in the prefix %s" % self.prefix)
        return mine[0]

    def saver_folder(self):
        """Where orbalt.scr keeps its settings and log: %APPDATA%\\orbalt."""
        return os.path.join(self.user_data_folder(), "orbalt")

    def clear_saver_folder(self):
        """Removes the saver's settings and log: the prefix is shared, and each
        run has to start from what it wrote itself."""
        shutil.rmtree(self.saver_folder(), ignore_errors=True)

    def write_saver_settings(self, text):
        os.makedirs(self.saver_folder(), exist_ok=True)
        with open(os.path.join(self.saver_folder(), SAVER_SETTINGS), "wb") as settings:
            settings.write(text if isinstance(text, bytes) else text.encode())


SAVER_SETTINGS = "orbalt_scr.txt"


class Program:
    def __init__(self, session, args, cwd, exe="orbalt.exe", env=None, terminal=False):
        self.session = session
        self.exe = exe
        path = os.path.join(session.program_dir, exe)
        if not os.path.isfile(path):
            raise E2EError("no %s in %r: build the windows preset" % (exe, session.bin_dir))
        # The first program of a session writes stdout.txt and stderr.txt;
        # later ones, which may run beside it, files of their own.
        session.launches += 1
        suffix = "" if session.launches == 1 else "-%d" % session.launches
        self.stdout_path = os.path.join(session.tmp, "stdout%s.txt" % suffix)
        self.stderr_path = os.path.join(session.tmp, "stderr%s.txt" % suffix)
        command = ["wine", path] + args
        if terminal:
            # script(1) makes the pseudo-terminal, wide enough that no line
            # wraps, copies what appears on it to stdout and ends with the
            # program's exit code.
            command = ["script", "-qefc", "stty cols 1000 && exec " + shlex.join(command), "/dev/null"]
        self.process = subprocess.Popen(
            command, cwd=cwd,
            env=session.env(dict({"WINEDEBUG": "-all,+msgbox"}, **(env or {}))),
            stdin=subprocess.DEVNULL,
            stdout=session.output_file(os.path.basename(self.stdout_path)),
            stderr=session.output_file(os.path.basename(self.stderr_path)))
        session.processes.append((self.process, "wine " + exe))

    # The program writes its console lines and its log in UTF-8.
    def console(self):
        with open(self.stdout_path, encoding="utf-8", errors="replace") as out:
            return out.read()

    def log_path(self):
        if self.exe == "orbalt.scr":
            return os.path.join(self.session.saver_folder(), "orbalt_scr_log.txt")
        return os.path.join(self.session.program_dir, "orbalt_log.txt")

    def log(self):
        with open(self.log_path(), encoding="utf-8", errors="replace") as log:
            return log.read().replace("\r\n", "\n")

    def wait_for_log(self, text, timeout=20):
        """Waits until the program's log holds `text`; returns the log."""
        def holds():
            try:
                log = self.log()
            except OSError:
                return None
            return log if text in log else None
        return wait_until(holds, timeout, "%r in the log of %s" % (text, self.exe))

    def message_boxes(self):
        """Texts of every message box the program opened so far, in order."""
        with open(self.stderr_path, errors="replace") as err:
            return [unescape(m.group(1)) for m in map(MSGBOX_TRACE.search, err) if m]

    def wait_for_message_box(self, count, timeout=20):
        return wait_until(lambda: len(self.message_boxes()) >= count and self.message_boxes(),
                          timeout, "message box number %d" % count)[count - 1]

    def wait_for_window(self, title_regex, timeout=20, exclude=()):
        def found():
            ids = [w for w in self.session.windows(title_regex) if w not in exclude]
            return ids[0] if ids else None
        return wait_until(found, timeout, "a window titled %s" % title_regex)

    def wait_for_console(self, text, timeout=20):
        return wait_until(lambda: text in self.console(), timeout, "console text %r" % text)

    def key(self, window, *keys):
        self.session.type_keys(window, *keys)

    def request_close(self, title_regex=r"^orbalt$", timeout=20):
        """Asks the window to close as a window manager would (WM_CLOSE), again
        should a request get lost, until the program ends; returns its exit code."""
        deadline = time.monotonic() + timeout
        while self.running():
            if time.monotonic() > deadline:
                raise E2EError("a close request did not end the program")
            for window in self.session.windows(title_regex)[:1]:
                self.session.request_close(window)
            try:
                wait_until(lambda: not self.running(), 2.0, "the program to end")
            except E2EError:
                continue
        return self.wait_exit()

    def press_until(self, title_regex, key, done, what, timeout=20):
        """Sends `key` to the window titled so until `done()` holds. Under Wine a
        key sent right after a window appears can get lost (its X window may
        still be re-created), so the key is sent again, to the window found
        anew, whenever a try has no effect within 2 s."""
        deadline = time.monotonic() + timeout
        while not done():
            if time.monotonic() > deadline:
                raise E2EError("%s: no effect of %s on %s" % (what, key, title_regex))
            ids = self.session.windows(title_regex)
            if ids:
                # Without a window manager Wine can leave the X focus elsewhere once
                # a box owned by the window closes: `key` focuses the window first.
                self.key(ids[0], key)
            try:
                wait_until(done, 2.0, what)
            except E2EError:
                continue

    def dismiss(self, title_regex, key="Return", timeout=20):
        """Closes the box or window titled so by a key."""
        self.press_until(title_regex, key, lambda: not self.session.windows(title_regex),
                         "closing %s" % title_regex, timeout)

    def quit_with_escape(self, title_regex=r"^orbalt$", timeout=30):
        """Presses Escape in the program window until the program ends; returns its exit code."""
        self.press_until(title_regex, "Escape", lambda: not self.running(), "quitting with Escape",
                         timeout)
        return self.wait_exit()

    def dismiss_boxes(self, title_regex, window, timeout=30):
        """Closes, one after the other, every window titled so except `window`
        (message boxes that share the main window's title). At least one box
        is waited for: the program may have shown it (as its log of boxes
        says) before its window is mapped."""
        deadline = time.monotonic() + timeout
        wait_until(lambda: [w for w in self.session.windows(title_regex) if w != window], timeout,
                   "a box titled %s beside the window" % title_regex)
        while True:
            boxes = [w for w in self.session.windows(title_regex) if w != window]
            if not boxes:
                return
            if time.monotonic() > deadline:
                raise E2EError("message boxes titled %s stay open" % title_regex)
            self.session.request_close(boxes[0])  # a key could go on arriving as characters
            try:
                wait_until(lambda: boxes[0] not in self.session.windows(title_regex), 2.0, "a box to close")
            except E2EError:
                continue

    def close_box(self, title_regex, timeout=20):
        """Closes the box titled so with a close request, sent again should one
        get lost, until no window of that title is left. Unlike a key, a close
        request leaves nothing behind for the window under the box: under Wine
        a Return that closes a box can go on arriving at the program window
        as characters."""
        deadline = time.monotonic() + timeout
        while self.session.windows(title_regex):
            if time.monotonic() > deadline:
                raise E2EError("%s did not close" % title_regex)
            for window in self.session.windows(title_regex)[:1]:
                self.session.request_close(window)
            try:
                wait_until(lambda: not self.session.windows(title_regex), 2.0, "%s to close" % title_regex)
            except E2EError:
                continue

    def dismiss_about_box(self, timeout=60):
        # The About box is the first window of a run: on a busy machine Wine
        # can take far longer to start than its usual two seconds.
        self.wait_for_window(r"^Orbalt, the demo$", timeout)
        self.close_box(r"^Orbalt, the demo$")

    def answer_boxes(self, count, timeout=10):
        """Waits for message boxes 2 ... count + 1 (box 1 is the About box) in
        turn, answering each with Return once it is there, then for the
        program's exit; returns the boxes' texts and the exit code."""
        texts = []
        for number in range(2, count + 2):
            texts.append(self.wait_for_message_box(number, timeout))
            self.press_until(r"^orbalt$", "Return",
                             lambda: len(self.message_boxes()) > number or not self.running(),
                             "answering %r" % texts[-1], timeout)
        return texts, self.wait_exit(timeout)

    def expect_no_change(self, happened, seconds, what):
        """Checks for `seconds` that `happened` stays false."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if happened():
                raise E2EError("unexpected: %s" % what)
            time.sleep(0.05)

    def wait_exit(self, timeout=30):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise E2EError("%s did not exit within %d s" % (self.exe, timeout))

    def running(self):
        return self.process.poll() is None


def changed_fraction(before, after, skip_rows=0, row_bytes=None):
    """The share of pixels that differ between two RGB pictures of one size,
    leaving out the first `skip_rows` rows (where the frame rate is printed)."""
    if not before or len(before) != len(after):
        return 1.0
    start = skip_rows * row_bytes if row_bytes else 0
    differing = sum(1 for i in range(start, len(before), 3) if before[i:i + 3] != after[i:i + 3])
    return differing / max(1, (len(before) - start) // 3)


class _ClientMessage(ctypes.Structure):
    """Xlib's XClientMessageEvent."""
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class _Event(ctypes.Union):
    """Xlib's XEvent: every event is padded to 24 longs."""
    _fields_ = [("xclient", _ClientMessage), ("pad", ctypes.c_long * 24)]


_CLIENT_MESSAGE = 33
# Xlib's default error handler ends the process; a window that is gone by the
# time the request arrives (a box closing by itself) is no error here.
_IGNORE_X_ERRORS = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda *_: 0)


@functools.lru_cache(maxsize=None)
def _xlib():
    lib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    lib.XOpenDisplay.restype = ctypes.c_void_p
    lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    lib.XInternAtom.restype = ctypes.c_ulong
    lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    lib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.POINTER(_Event)]
    lib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    lib.XFree.argtypes = [ctypes.c_void_p]
    lib.XSetErrorHandler(_IGNORE_X_ERRORS)
    return lib


def send_close_request(display, window):
    """Sends the window the WM_PROTOCOLS client message carrying WM_DELETE_WINDOW,
    the close request of a window manager."""
    xlib = _xlib()
    connection = xlib.XOpenDisplay(display.encode())
    if not connection:
        raise E2EError("cannot open the X display %s" % display)
    try:
        event = _Event()
        event.xclient.type = _CLIENT_MESSAGE
        event.xclient.window = int(window)
        event.xclient.message_type = xlib.XInternAtom(connection, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data[0] = xlib.XInternAtom(connection, b"WM_DELETE_WINDOW", 0)
        xlib.XSendEvent(connection, int(window), 0, 0, ctypes.byref(event))
        xlib.XSync(connection, 0)
    finally:
        xlib.XCloseDisplay(connection)


def mode_name(size):
    return "%dx%d" % size


def dummy_xorg_config(monitors):
    """An xorg.conf for the dummy driver with a mode line for each monitor's
    size (at about 60 Hz) and a virtual screen wide enough for all of them.
    The blanking is kept wide: Xorg drops a mode whose timings look like
    reduced blanking, which the dummy monitor does not offer."""
    lines = []
    for width, height in monitors:
        h_total, v_total = -(-width * 132 // 800) * 8, height + max(31, height // 36)
        clock = h_total * v_total * 60 / 1e6
        lines.append('    Modeline "%s" %.2f %d %d %d %d %d %d %d %d -hsync +vsync' % (
            mode_name((width, height)), clock, width, width + 64, width + 160, h_total,
            height, height + 3, height + 13, v_total))
    virtual_width = -(-sum(w for w, _ in monitors) // 8) * 8
    virtual_height = max(h for _, h in monitors)
    return "\n".join([
        'Section "Device"', '    Identifier "dummy"', '    Driver "dummy"', "    VideoRam 256000",
        "EndSection",
        'Section "Monitor"', '    Identifier "monitor"', "    HorizSync 5.0 - 1000.0",
        "    VertRefresh 5.0 - 200.0"] + lines + ["EndSection",
        'Section "Screen"', '    Identifier "screen"', '    Device "dummy"', '    Monitor "monitor"',
        "    DefaultDepth 24", '    SubSection "Display"', "        Depth 24",
        "        Virtual %d %d" % (virtual_width, virtual_height), "    EndSubSection",
        "EndSection", ""])


def xorg_errors(*paths):
    """The error lines of the first of Xorg's outputs (its log, its stderr)
    that has any, for the reason of a skip."""
    for path in paths:
        try:
            with open(path, errors="replace") as text:
                # The legend of the markers ("(EE) error, (NI) not implemented") is no error.
                errors = [line.split("(EE)", 1)[1].strip() for line in text
                          if "(EE) " in line and "(NI)" not in line]
        except OSError:
            continue
        errors = [error for error in errors if error and "check the log file" not in error]
        if errors:
            return "; ".join(dict.fromkeys(errors))
    return "no reason given"


class _CursorImage(ctypes.Structure):
    """libXfixes' XFixesCursorImage."""
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


@functools.lru_cache(maxsize=None)
def _xfixes():
    lib = ctypes.CDLL(ctypes.util.find_library("Xfixes") or "libXfixes.so.3")
    lib.XFixesGetCursorImage.restype = ctypes.POINTER(_CursorImage)
    lib.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    return lib


def cursor_has_visible_pixels(display):
    """Whether the cursor X shows now has a pixel with some opacity (ARGB
    pixels, one in each unsigned long)."""
    xlib, xfixes = _xlib(), _xfixes()
    connection = xlib.XOpenDisplay(display.encode())
    if not connection:
        raise E2EError("cannot open the X display %s" % display)
    try:
        image = xfixes.XFixesGetCursorImage(connection)
        if not image:
            raise E2EError("XFixesGetCursorImage failed on %s" % display)
        try:
            cursor = image.contents
            count = cursor.width * cursor.height
            return any(cursor.pixels[i] & 0xFF000000 for i in range(count))
        finally:
            xlib.XFree(image)
    finally:
        xlib.XCloseDisplay(connection)


READY_STAMP = ".orbalt-ready"


def prefix_ready(prefix):
    return os.path.exists(os.path.join(prefix, READY_STAMP))


def ensure_prefix(env, prefix):
    """Creates the Wine prefix once (about 15 s), under a lock so that two runs
    never build it at the same time."""
    os.makedirs(os.path.dirname(prefix), exist_ok=True)
    with open(prefix + ".lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if prefix_ready(prefix):
            return
        shutil.rmtree(prefix, ignore_errors=True)
        quiet = dict(stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wine", "wineboot", "-i"], env=env, check=True, timeout=300, **quiet)
        subprocess.run(["wineserver", "-w"], env=env, timeout=300, **quiet)
        # Unmanaged windows: Wine focuses its windows itself and hides them
        # without waiting for a window manager.
        subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed",
                        "/t", "REG_SZ", "/d", "N", "/f"], env=env, check=True, timeout=120, **quiet)
        subprocess.run(["wineserver", "-w"], env=env, timeout=120, **quiet)
        open(os.path.join(prefix, READY_STAMP), "w").close()

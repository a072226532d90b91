"""End-to-end harness: the real Tintmesh.exe under Wine in a private Xvfb.

A `Session` owns one X server on a free display, one Wine prefix copied from
the run's template, and every process started in them. It brings the prefix's
server and desktop up first (with the warm-up program), starts the program
under test, drives it with real pointer and keyboard input through xdotool
and reads the screen with ImageMagick. Closing the session ends all of it,
also when a test failed; a failing test leaves its last screenshot and the
Wine log under build/e2e/failures/.

Only the Python standard library is used.
"""

import contextlib
import os
import select
import shutil
import signal
import subprocess
import tempfile
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
BUILD_DIR = REPO / "build" / "win64"
FAILURE_DIR = REPO / "build" / "e2e" / "failures"
PREFIX_SCRIPT = REPO / "scripts" / "wine-prefix.sh"

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"

SCREEN_WIDTH = 1024
SCREEN_HEIGHT = 768

# Log lines of a prefix whose desktop came up too late: every later window of
# that prefix would get no display driver.
DESKTOP_FAILURE_MARKS = ("The explorer process failed to start", "nodrv_CreateWindow")


class HarnessError(Exception):
    """The environment, not the program under test, failed."""


class Config:
    """What the runner hands the tests: the executables and the template prefix."""

    program = BUILD_DIR / "Tintmesh.exe"
    warmup = BUILD_DIR / "wine_warmup.exe"
    template_prefix = None


# ---------------------------------------------------------------------------
# Screen pixels


class Shot:
    """One screenshot as a plain RGB byte grid."""

    def __init__(self, width, height, data, raw=b""):
        self.width = width
        self.height = height
        self.data = data
        self.raw = raw

    def pixel(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError("pixel (%d, %d) is off the %dx%d screen" % (x, y, self.width, self.height))
        i = 3 * (y * self.width + x)
        return (self.data[i], self.data[i + 1], self.data[i + 2])

    def rect_pixels(self, left, top, width, height):
        for y in range(top, top + height):
            for x in range(left, left + width):
                yield x, y, self.pixel(x, y)

    def rect_mismatch(self, left, top, width, height, colour):
        """First pixel of the rectangle that is not `colour`, or None."""
        for x, y, p in self.rect_pixels(left, top, width, height):
            if p != colour:
                return (x, y, p)
        return None

    def row(self, y, left, right):
        return [self.pixel(x, y) for x in range(left, right)]


def parse_ppm(raw):
    """Reads a binary 8-bit PPM (P6) into a Shot."""
    fields = []
    pos = 0
    while len(fields) < 4:
        while pos < len(raw) and raw[pos:pos + 1].isspace():
            pos += 1
        if raw[pos:pos + 1] == b"#":
            while pos < len(raw) and raw[pos:pos + 1] not in (b"\n", b"\r"):
                pos += 1
            continue
        start = pos
        while pos < len(raw) and not raw[pos:pos + 1].isspace():
            pos += 1
        if start == pos:
            raise HarnessError("truncated PPM header")
        fields.append(raw[start:pos])
    pos += 1  # the single whitespace byte after the maximum value
    if fields[0] != b"P6" or fields[3] != b"255":
        raise HarnessError("screenshot is not an 8-bit binary PPM: %r" % (fields,))
    width, height = int(fields[1]), int(fields[2])
    data = raw[pos:pos + 3 * width * height]
    if len(data) != 3 * width * height:
        raise HarnessError("truncated PPM data")
    return Shot(width, height, data, raw)


# Wine's popup menus as drawn here: a one-pixel frame around a white panel;
# enabled captions in black, disabled ones in grey, a separator a one-pixel
# grey line across the panel, a submenu arrow at the right edge.
MENU_PANEL = (255, 255, 255)
MENU_TEXT = (0, 0, 0)
MENU_DISABLED_TEXT = (128, 128, 128)
MENU_ARROW_ZONE = 14


class MenuEntry:
    def __init__(self, kind, top, bottom, enabled=None, submenu=False):
        self.kind = kind            # "item" or "separator"
        self.top = top              # first screen row of the entry's ink
        self.bottom = bottom        # one past the last row
        self.enabled = enabled
        self.submenu = submenu

    @property
    def centre_y(self):
        return (self.top + self.bottom - 1) // 2

    def summary(self):
        if self.kind == "separator":
            return "-"
        state = {True: "on", False: "off"}.get(self.enabled, "?")
        return state + (" >" if self.submenu else "")

    def __repr__(self):
        return "<%s %d..%d %s>" % (self.kind, self.top, self.bottom, self.summary())


def read_menu(shot, left, top, width, height):
    """Reads an open popup menu's entries, top to bottom, from the screen.

    Rows of the panel that hold anything but the panel colour are grouped
    into bands; a band of at most two rows that spans most of the panel is a
    separator, any other band is an item: enabled when it holds black text,
    disabled when its text is grey. Ink in the panel's right-hand end is a
    submenu arrow.
    """
    inner_left, inner_right = left + 1, left + width - 1
    inner_width = inner_right - inner_left
    entries = []
    band = []
    for y in range(top + 1, top + height):
        ink = [x for x in range(inner_left, inner_right) if shot.pixel(x, y) != MENU_PANEL]
        if ink and y < top + height - 1:
            band.append((y, ink))
            continue
        if band:
            rows = [y0 for y0, _ in band]
            xs = sorted({x for _, row in band for x in row})
            if len(band) <= 2 and len(xs) >= inner_width * 0.7:
                entries.append(MenuEntry("separator", rows[0], rows[-1] + 1))
            else:
                arrow_from = inner_right - MENU_ARROW_ZONE
                text = [shot.pixel(x, y0) for y0, row in band for x in row if x < arrow_from]
                if MENU_TEXT in text:
                    enabled = True
                elif MENU_DISABLED_TEXT in text:
                    enabled = False
                else:
                    enabled = None  # neither: not a plain menu item
                entries.append(MenuEntry("item", rows[0], rows[-1] + 1, enabled=enabled,
                                         submenu=any(x >= arrow_from for x in xs)))
            band = []
    return entries


def rgb(value):
    """0xRRGGBB (as written on screen, not a TColor) to an (r, g, b) tuple."""
    return ((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF)


# ---------------------------------------------------------------------------
# Waiting


def wait_until(predicate, timeout, what, interval=0.05, max_interval=None):
    """Polls `predicate` until it returns a true value, which is returned.

    The pause between polls starts at `interval` and, when `max_interval` is
    given, grows by half each time up to it, so that a long wait does not keep
    loading the machine it waits on. Raises AssertionError naming `what` when
    `timeout` seconds pass first.
    """
    deadline = time.monotonic() + timeout
    pause = interval
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise AssertionError("timed out after %.1f s waiting for %s" % (timeout, what))
        time.sleep(pause)
        if max_interval is not None:
            pause = min(max_interval, pause * 1.5)


def process_cpu_time(pid):
    """User plus system CPU time of a process, in clock ticks; None once it is gone."""
    try:
        fields = Path("/proc/%d/stat" % pid).read_text().rsplit(")", 1)[1].split()
    except (OSError, IndexError):
        return None
    return int(fields[11]) + int(fields[12])


def _wait_process(proc, timeout):
    try:
        return proc.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        return None


# ---------------------------------------------------------------------------
# The template prefix


def make_template_prefix(path, log_path):
    """Boots the run's template prefix at `path` with no display at all."""
    env = {k: v for k, v in os.environ.items() if not k.startswith("WINE")}
    env.pop("DISPLAY", None)
    with open(log_path, "wb") as log:
        result = subprocess.run(["sh", str(PREFIX_SCRIPT), str(path)], env=env,
                                stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                timeout=300)
    if result.returncode != 0:
        raise HarnessError("booting the template prefix failed:\n" + Path(log_path).read_text(errors="replace"))


def server_dir_of(prefix):
    """The directory holding a prefix's wineserver socket, or None."""
    tag_file = Path(prefix) / "wineserver"
    try:
        st = os.stat(prefix)
    except OSError:
        return None
    name = "server-%x-%x" % (st.st_dev, st.st_ino)
    if tag_file.exists():
        return Path(tempfile.gettempdir()) / tag_file.read_text().strip() / name
    return Path(tempfile.gettempdir()) / (".wine-%d" % os.getuid()) / name


def end_prefix_servers(prefix, env=None):
    """Ends every Wine process of a prefix and removes its socket directory."""
    env = dict(env or os.environ)
    env["WINEPREFIX"] = str(prefix)
    server_dir = server_dir_of(prefix)
    subprocess.run([WINESERVER, "-k"], env=env, stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
    proc = subprocess.Popen([WINESERVER, "-w"], env=env, stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if _wait_process(proc, 15) is None:
        proc.kill()
        proc.wait()
    if server_dir is not None:
        shutil.rmtree(server_dir, ignore_errors=True)


# ---------------------------------------------------------------------------
# A session


class Session:
    """One Xvfb, one Wine prefix and the program under test.

    Use as a context manager: `with Session("name") as s: ...`.
    """

    def __init__(self, name, program=None, warmup=None, template=None):
        self.name = name
        self.program_path = Path(program or Config.program)
        self.warmup_path = Path(warmup or Config.warmup)
        template = template or Config.template_prefix
        if template is None:
            raise HarnessError("no template Wine prefix: run the tests through tests/e2e/run.py")
        self.template = Path(template)
        self.tmp = Path(tempfile.mkdtemp(prefix="tintmesh-e2e-%s-" % name))
        self.prefix = self.tmp / "prefix"
        self.wine_log_path = self.tmp / "wine.log"
        self.xvfb = None
        self.display = None
        self.program = None
        self.procs = []
        self.last_shot = None
        self.env = None

    # -- context manager --------------------------------------------------

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self._save_failure()
            self.close()
            raise
        return self

    def __exit__(self, exc_type, exc, tb):
        if exc_type is not None:
            self._save_failure()
        self.close()
        return False

    # -- start-up -----------------------------------------------------------

    def start(self):
        self._start_xvfb()
        shutil.copytree(self.template, self.prefix, symlinks=True)
        self.env = self._wine_env()
        self.wine_log = open(self.wine_log_path, "ab", buffering=0)
        for attempt in range(3):
            if self._bring_desktop_up():
                return
            self._log("desktop failed to come up (attempt %d); restarting the prefix" % (attempt + 1))
            end_prefix_servers(self.prefix, self.env)
        raise HarnessError("Wine's desktop did not come up in three attempts (the Wine log is "
                           "kept in %s)" % FAILURE_DIR)

    def _start_xvfb(self):
        read_fd, write_fd = os.pipe()
        log = open(self.tmp / "xvfb.log", "wb")
        try:
            self.xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_fd), "-screen", "0",
                 "%dx%dx24" % (SCREEN_WIDTH, SCREEN_HEIGHT), "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_fd,), stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                start_new_session=True)
        finally:
            os.close(write_fd)
            log.close()
        try:
            number = b""
            deadline = time.monotonic() + 30
            while not number.endswith(b"\n"):
                remaining = deadline - time.monotonic()
                if remaining <= 0 or self.xvfb.poll() is not None:
                    raise HarnessError("Xvfb did not start (its log is kept in %s)" % FAILURE_DIR)
                ready, _, _ = select.select([read_fd], [], [], remaining)
                if ready:
                    chunk = os.read(read_fd, 64)
                    if not chunk:
                        raise HarnessError("Xvfb closed its display pipe without a number")
                    number += chunk
        finally:
            os.close(read_fd)
        self.display = ":" + number.decode().strip()
        wait_until(lambda: self._xdotool_ok("getdisplaygeometry"), 20, "Xvfb on %s to answer" % self.display)

    def _wine_env(self):
        env = {k: v for k, v in os.environ.items() if not k.startswith("WINE")}
        env.update({
            "DISPLAY": self.display,
            "WINEPREFIX": str(self.prefix),
            "WINEARCH": "win64",
            "WINEDEBUG": "err+winediag",
            "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d",
        })
        return env

    def _log(self, text):
        self.wine_log.write(("--- harness: %s\n" % text).encode())

    def _bring_desktop_up(self):
        """Starts the prefix's server and desktop; False when the desktop failed."""
        start = self.wine_log_path.stat().st_size
        self._log("wineserver -p")
        server = subprocess.Popen([WINESERVER, "-p"], env=self.env, stdin=subprocess.DEVNULL,
                                  stdout=self.wine_log, stderr=self.wine_log)
        if _wait_process(server, 30) is None:
            raise HarnessError("wineserver -p did not return")
        self._log("warm-up")
        warmup = self.start_wine(self.warmup_path)
        code = _wait_process(warmup, 90)
        if code is None:
            raise HarnessError("the warm-up program did not end within 90 s")
        text = self.wine_log_path.read_bytes()[start:].decode(errors="replace")
        if any(mark in text for mark in DESKTOP_FAILURE_MARKS) or code != 0:
            return False
        return True

    def start_wine(self, exe, *args):
        """Starts a Windows program in this session's prefix; output goes to the Wine log."""
        proc = subprocess.Popen([WINE, str(exe)] + [str(a) for a in args], env=self.env,
                                cwd=str(self.tmp), stdin=subprocess.DEVNULL,
                                stdout=self.wine_log, stderr=self.wine_log)
        self.procs.append(proc)
        return proc

    def launch(self, title="Tintmesh", size=(340, 409), timeout=60):
        """Starts the program under test and waits for its window; returns its geometry."""
        if not self.program_path.exists():
            raise HarnessError("%s does not exist (build it with: cmake --preset win64 && "
                               "cmake --build build/win64)" % self.program_path)
        self._log("launch %s" % self.program_path.name)
        self.program = self.start_wine(self.program_path)
        return self.wait_window(title, size, timeout)

    # -- tear-down ----------------------------------------------------------

    def _save_failure(self):
        try:
            FAILURE_DIR.mkdir(parents=True, exist_ok=True)
            if self.display is not None and self.xvfb is not None and self.xvfb.poll() is None:
                subprocess.run(["import", "-silent", "-window", "root", "-depth", "8",
                                str(FAILURE_DIR / ("%s.png" % self.name))],
                               env=self._x_env(), stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
            if self.last_shot is not None:
                subprocess.run(["convert", "ppm:-", str(FAILURE_DIR / ("%s-last-check.png" % self.name))],
                               input=self.last_shot.raw, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, timeout=30)
            if self.wine_log_path.exists():
                shutil.copyfile(self.wine_log_path, FAILURE_DIR / ("%s-wine.log" % self.name))
            if (self.tmp / "xvfb.log").exists():
                shutil.copyfile(self.tmp / "xvfb.log", FAILURE_DIR / ("%s-xvfb.log" % self.name))
        except Exception as err:  # the test's own failure matters more
            print("  (could not save the failure screenshot: %s)" % err)

    def close(self):
        if self.env is not None:
            try:
                end_prefix_servers(self.prefix, self.env)
            except Exception:
                pass
        for proc in self.procs:
            if proc.poll() is None:
                proc.kill()
            _wait_process(proc, 10)
        if self.xvfb is not None:
            if self.xvfb.poll() is None:
                os.killpg(self.xvfb.pid, signal.SIGTERM)
                if _wait_process(self.xvfb, 10) is None:
                    os.killpg(self.xvfb.pid, signal.SIGKILL)
                    self.xvfb.wait()
            self.xvfb = None
        if getattr(self, "wine_log", None) is not None:
            self.wine_log.close()
            self.wine_log = None
        shutil.rmtree(self.tmp, ignore_errors=True)

    # -- X helpers ----------------------------------------------------------

    def _x_env(self):
        env = dict(os.environ)
        env["DISPLAY"] = self.display
        return env

    def _xdotool_ok(self, *args):
        try:
            return subprocess.run(["xdotool"] + list(args), env=self._x_env(), stdin=subprocess.DEVNULL,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                  timeout=10).returncode == 0
        except subprocess.TimeoutExpired:
            return False

    def xdotool(self, *args):
        result = subprocess.run(["xdotool"] + [str(a) for a in args], env=self._x_env(),
                                stdin=subprocess.DEVNULL, capture_output=True, timeout=30)
        if result.returncode != 0:
            raise HarnessError("xdotool %s failed: %s" % (" ".join(map(str, args)),
                                                          result.stderr.decode(errors="replace").strip()))
        return result.stdout.decode(errors="replace")

    def screenshot(self):
        result = subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "ppm:-"],
                                env=self._x_env(), stdin=subprocess.DEVNULL, capture_output=True,
                                timeout=30)
        if result.returncode != 0:
            raise HarnessError("import failed: %s" % result.stderr.decode(errors="replace").strip())
        self.last_shot = parse_ppm(result.stdout)
        return self.last_shot

    def pixel(self, x, y):
        return self.screenshot().pixel(x, y)

    def wait_screen(self, predicate, timeout, what, interval=0.05):
        """Takes screenshots until `predicate(shot)` is true; returns that shot.

        The first screenshots follow each other closely; the pause between them
        then grows to 0.3 s, so that a long wait does not load the machine."""
        found = []

        def check():
            shot = self.screenshot()
            if predicate(shot):
                found.append(shot)
                return True
            return False

        wait_until(check, timeout, what, interval, max_interval=max(interval, 0.3))
        return found[0]

    def wait_program_idle(self, timeout=30, quiet=0.15, what="the program to go idle"):
        """Waits until the program under test has used no CPU time for `quiet`
        seconds: it has handled what it was sent and waits for messages, so any
        timer that is due has fired. Returns at once when no program runs."""
        if self.program is None or self.program.poll() is not None:
            return
        deadline = time.monotonic() + timeout
        last = process_cpu_time(self.program.pid)
        since = time.monotonic()
        while last is not None:
            time.sleep(0.05)
            now = process_cpu_time(self.program.pid)
            if now != last:
                last, since = now, time.monotonic()
            elif time.monotonic() - since >= quiet:
                return
            if time.monotonic() >= deadline:
                raise AssertionError("timed out after %.1f s waiting for %s" % (timeout, what))

    def settle(self, at_least, timeout=30, what="the program to go idle"):
        """Lets `at_least` seconds pass and then waits for the program to go idle:
        the wait after a press before the next one (the program's click lock-out
        must have ended, and under load its timer fires late), and the wait before
        checking that something did not happen."""
        time.sleep(at_least)
        self.wait_program_idle(timeout, what=what)

    def wait_screen_stable(self, timeout=10, what="the screen to settle"):
        """Waits until the program is idle and the screen has stayed alike over
        three screenshots spanning at least 0.3 s; returns the last."""
        deadline = time.monotonic() + timeout
        self.wait_program_idle(timeout, what=what)
        previous = [self.screenshot(), time.monotonic()]

        def check():
            shot = self.screenshot()
            if shot.data != previous[0].data:
                previous[0], previous[1] = shot, time.monotonic()
                return False
            return time.monotonic() - previous[1] >= 0.3

        wait_until(check, max(1.0, deadline - time.monotonic()), what, interval=0.15)
        return previous[0]

    # -- windows ------------------------------------------------------------

    def windows(self, title):
        """(id, left, top, width, height) of the visible windows whose name matches `title` (a regex)."""
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title],
                                env=self._x_env(), stdin=subprocess.DEVNULL, capture_output=True,
                                timeout=30)
        found = []
        for wid in result.stdout.decode().split():
            geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", wid],
                                      env=self._x_env(), stdin=subprocess.DEVNULL,
                                      capture_output=True, timeout=30)
            if geometry.returncode != 0:
                continue
            values = dict(line.split("=", 1) for line in geometry.stdout.decode().split() if "=" in line)
            try:
                found.append((wid, int(values["X"]), int(values["Y"]),
                              int(values["WIDTH"]), int(values["HEIGHT"])))
            except (KeyError, ValueError):
                continue
        return found

    def window_rect(self, title, size=None):
        """(left, top, width, height) of the one visible window named `title`, or None."""
        pattern = "^%s$" % title
        matches = [w for w in self.windows(pattern) if size is None or (w[3], w[4]) == tuple(size)]
        if len(matches) != 1:
            return None
        return matches[0][1:]

    def wait_window(self, title, size=None, timeout=60):
        def check():
            if self.program is not None and self.program.poll() is not None:
                raise AssertionError("the program ended (exit code %s) before its window showed"
                                     % self.program.returncode)
            return self.window_rect(title, size)

        return wait_until(check, timeout, "a visible %s window named %r" % (
            "%dx%d " % tuple(size) if size else "", title), interval=0.1)

    def visible_windows(self):
        """Every visible window except the full-screen root and desktop: {id: (left, top, width, height)}."""
        return {w[0]: w[1:] for w in self.windows(".*")
                if (w[3], w[4]) != (SCREEN_WIDTH, SCREEN_HEIGHT)}

    def wait_popup(self, before, timeout=15, what="a popup menu to open"):
        """Waits for a visible window that is not in `before` (a `visible_windows()` result)
        and for the screen to settle; returns (rect, shot). With several new windows
        the largest is taken (a hint window may show beside a menu)."""
        def check():
            new = [r for wid, r in self.visible_windows().items() if wid not in before]
            return max(new, key=lambda r: r[2] * r[3]) if new else None

        rect = wait_until(check, timeout, what, interval=0.1)
        shot = self.wait_screen_stable(what="the popup to finish drawing")
        return rect, shot

    def wait_popup_closed(self, rect, timeout=15, what="the popup menu to close"):
        wait_until(lambda: rect not in self.visible_windows().values(), timeout, what, interval=0.1)

    def wait_program_exit(self, timeout=30):
        code = _wait_process(self.program, timeout)
        if code is None:
            raise AssertionError("the program was still running %.0f s later" % timeout)
        return code

    # -- input --------------------------------------------------------------
    #
    # The program reads the pointer's position from the system when it handles
    # a press, not from the press itself. Under load it may handle the press
    # late, so after a press the pointer must stay where it was until the
    # program has visibly reacted, as a person's hand would.

    def pointer(self):
        """The pointer's current screen position."""
        here = self.xdotool("getmouselocation", "--shell")
        values = dict(line.split("=", 1) for line in here.split() if "=" in line)
        return int(values.get("X", -1)), int(values.get("Y", -1))

    def move(self, x, y):
        # `mousemove --sync` to the place where the pointer already is can wait some
        # 15 s before it gives up, so such a move is skipped.
        if self.pointer() != (int(x), int(y)):
            self.xdotool("mousemove", "--sync", int(x), int(y))

    def click(self, x, y, button=1):
        self.move(x, y)
        self.xdotool("click", button)

    def right_click(self, x, y):
        self.click(x, y, button=3)

    @contextlib.contextmanager
    def holding(self, key):
        """Holds a key (xdotool's name, e.g. "shift") down for the `with` block."""
        self.xdotool("keydown", key)
        try:
            yield
        finally:
            self.xdotool("keyup", key)

    def drag(self, x0, y0, x1, y1, steps=10, button=1):
        """Presses at (x0, y0), moves in steps to (x1, y1) and releases there."""
        self.move(x0, y0)
        self.xdotool("mousedown", button)
        try:
            for i in range(1, steps + 1):
                time.sleep(0.03)
                self.move(x0 + (x1 - x0) * i // steps, y0 + (y1 - y0) * i // steps)
        finally:
            time.sleep(0.05)
            self.xdotool("mouseup", button)

    def key(self, name):
        self.xdotool("key", name)

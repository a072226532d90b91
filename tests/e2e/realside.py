"""Helpers for the end-to-end tests of what the program takes from the system:
the prefix's registry (set before the program starts, read after it ends),
the ink of texts on the screen, and restarting the program in one session.

Registry tools run inside the session's prefix while its server is up, so
what they read is what the program wrote, and what they write is what the
next program start reads. Their output goes to a file, never to a pipe (a
Wine process may hand a pipe on to the prefix's long-lived services).
"""

import re
import subprocess
import tempfile
from pathlib import Path

import mainwindow as mw
import palette_ui as ui
from harness import WINE, HarnessError, wait_until

TIMEOUT = ui.TIMEOUT
DIALOG_FACE = (240, 240, 240)

MACHINE = "HKEY_LOCAL_MACHINE"
MAKER_KEY = MACHINE + r"\SOFTWARE\Brindlewick"
PALETTE_KEY = MAKER_KEY + r"\Palette"
FONTS_KEY = MACHINE + r"\SYSTEM\CurrentControlSet\Hardware Profiles\Current\Software\Fonts"
VIDEO_KEY = MACHINE + r"\HARDWARE\DEVICEMAP\VIDEO"
PROFILE_SYSTEM_KEY = MACHINE + r"\SYSTEM\CurrentControlSet\Hardware Profiles\Current\System"
SERVICES_KEY = PROFILE_SYSTEM_KEY + r"\CurrentControlSet\Services"


# ---------------------------------------------------------------------------
# The prefix's registry


def reg(session, *args, check=True):
    """Runs Wine's reg.exe in the session's prefix; returns (exit code, output)."""
    with tempfile.TemporaryFile(dir=str(session.tmp)) as out:
        try:
            code = subprocess.run([WINE, "reg"] + [str(a) for a in args], env=session.env,
                                  cwd=str(session.tmp), stdin=subprocess.DEVNULL, stdout=out,
                                  stderr=subprocess.STDOUT, timeout=120).returncode
        except subprocess.TimeoutExpired:
            raise HarnessError("reg %s did not end within 120 s" % " ".join(map(str, args)))
        out.seek(0)
        text = out.read().decode(errors="replace")
    if check and code != 0:
        raise HarnessError("reg %s failed (%d): %s" % (" ".join(map(str, args)), code, text.strip()))
    return code, text


def reg_values(session, key):
    """The values of one key as {name: (type, data)}, or None when the key does not exist.
    The unnamed value is listed under the name "(Default)"."""
    code, text = reg(session, "query", key, check=False)
    if code != 0:
        return None
    values = {}
    in_key = False
    for line in text.splitlines():
        if not line.strip():
            continue
        if not line.startswith(" "):
            in_key = line.strip().lower() == key.lower()
            continue
        if in_key:
            match = re.match(r"^    (.*?)    (REG_[A-Z_]+)    ?(.*)$", line.rstrip("\r"))
            if match:
                values[match.group(1)] = (match.group(2), match.group(3))
    return values


def set_value(session, key, name, kind, data):
    """Sets one value (kind: "REG_SZ", "REG_DWORD" with a decimal, "REG_BINARY" with hex)."""
    reg(session, "add", key, "/v", name, "/t", kind, "/d", data, "/f")


def video_device(session):
    """The device text the display probe reads, as this prefix's Wine writes it."""
    values = reg_values(session, VIDEO_KEY) or {}
    kind, data = values.get(r"\Device\Video0", (None, None))
    if kind != "REG_SZ":
        raise HarnessError(r"%s holds no \Device\Video0 string: %r" % (VIDEO_KEY, values))
    return data


def depth_key(device):
    """The key the program reads the colour depth from, built from the device text the way
    the program builds it: the text after the first "Services\\" (case-sensitive), or from
    its ninth character on when there is none."""
    found = device.find("Services\\")
    tail = device[found + len("Services\\"):] if found >= 0 else device[8:]
    return SERVICES_KEY + "\\" + tail


def set_colour_depth(session, bits):
    """Makes the program's colour-depth probe read `bits`.

    Wine keeps the hardware profile's "System" tree volatile, and a volatile key only takes
    volatile subkeys (ERROR_CHILD_MUST_BE_VOLATILE), which reg.exe cannot make. So the tree
    is replaced by an ordinary one holding the depth key; Wine adds its own video keys under
    it again when the next program starts. Returns the key written.
    """
    key = depth_key(video_device(session))
    if reg_values(session, key) is None:
        reg(session, "delete", PROFILE_SYSTEM_KEY, "/f", check=False)
    set_value(session, key, "DefaultSettings.BitsPerPel", "REG_DWORD", bits)
    return key


# ---------------------------------------------------------------------------
# Ink on the screen


def ink(shot, left, top, rect, is_ink):
    """The points (x, y) of `rect` (left, top, width, height, relative to (left, top))
    for which `is_ink(x, y, pixel)` holds, relative to (left, top)."""
    rl, rt, rw, rh = rect
    return [(x - left, y - top) for x, y, p in shot.rect_pixels(left + rl, top + rt, rw, rh)
            if is_ink(x - left, y - top, p)]


def bbox(points):
    """(left, top, right, bottom) of a set of points, right and bottom exclusive; None if empty."""
    if not points:
        return None
    xs = [x for x, _ in points]
    ys = [y for _, y in points]
    return (min(xs), min(ys), max(xs) + 1, max(ys) + 1)


def inside(points, rect):
    """The points that lie outside `rect` (left, top, width, height)."""
    l, t, w, h = rect
    return [(x, y) for x, y in points if not (l <= x < l + w and t <= y < t + h)]


def text_lines(points):
    """Groups ink points into lines: runs of rows with ink, separated by empty rows.
    Returns a list of (top, bottom, left, right) with bottom and right exclusive."""
    rows = {}
    for x, y in points:
        rows.setdefault(y, []).append(x)
    lines = []
    for y in sorted(rows):
        if lines and y == lines[-1][1]:
            t, _, l, r = lines[-1]
            lines[-1] = (t, y + 1, min(l, min(rows[y])), max(r, max(rows[y]) + 1))
        else:
            lines.append((y, y + 1, min(rows[y]), max(rows[y]) + 1))
    return lines


def message_box_ink(shot, box, button):
    """Ink of a message box's client area (`box` its mapped rect) outside its OK button
    (`button` in client coordinates): every pixel that is not the dialog face colour."""
    bl, bt, bw, bh = button

    def is_ink(x, y, p):
        return p != DIALOG_FACE and not (bl <= x < bl + bw and bt <= y < bt + bh)

    return ink(shot, box[0], box[1], (0, 0, box[2], box[3]), is_ink)


def assert_button_at(test, shot, box, button):
    """The OK button's frame lies on `button` (client coordinates), with face colour just outside."""
    bl, bt, bw, bh = button
    edge = [shot.pixel(box[0] + x, box[1] + y) for x in range(bl, bl + bw) for y in (bt, bt + bh - 1)]
    edge += [shot.pixel(box[0] + x, box[1] + y) for y in range(bt, bt + bh) for x in (bl, bl + bw - 1)]
    test.assertNotIn(DIALOG_FACE, edge, "the OK button's frame at %s" % (button,))
    for x, y in ((bl - 1, bt + bh // 2), (bl + bw, bt + bh // 2), (bl + bw // 2, bt - 1), (bl + bw // 2, bt + bh)):
        test.assertEqual(shot.pixel(box[0] + x, box[1] + y), DIALOG_FACE, "just outside the OK button")


# ---------------------------------------------------------------------------
# The program


def close_program(app):
    """Ends the program with the main window's close mark and waits for it to exit."""
    app.session.click(*app.at(mw.CLOSE_MARK_POINT))
    code = app.session.wait_program_exit(TIMEOUT)
    if code != 0:
        raise AssertionError("the program ended with exit code %s" % code)


def launch_without_waiting(session):
    """Starts the program under test; returns without waiting for any window."""
    session._log("launch %s" % session.program_path.name)
    session.program = session.start_wine(session.program_path)
    return session.program


def type_into_file_dialog(app, title, text):
    """Types `text` into the name box of the open file dialog `title`, presses Enter and
    waits for the dialog to close."""
    rect = app.wait_dialog(title, not_size=mw.SIZE)
    app.session.move(rect[0] + rect[2] // 2, rect[1] + rect[3] // 2)
    app.session.xdotool("type", "--delay", "20", text)
    app.session.key("Return")
    app.wait_gone(title, rect)
    app.park()


def cancel_file_dialog(app, title):
    rect = app.wait_dialog(title, not_size=mw.SIZE)
    app.session.move(rect[0] + rect[2] // 2, rect[1] + rect[3] // 2)
    app.session.key("Escape")
    app.wait_gone(title, rect)
    app.park()


def answer_prompt(app, title, dialog_size, key="Return"):
    """Answers the one window named `title` whose mapped size is not `dialog_size` (the
    overwrite prompt of a save dialog carries the dialog's title) with a key."""
    rect = wait_until(lambda: next((w[1:] for w in app.session.windows("^%s$" % re.escape(title))
                                    if (w[3], w[4]) != tuple(dialog_size)), None),
                      TIMEOUT, "the prompt of %r" % title, interval=0.1)
    app.session.move(rect[0] + rect[2] // 2, rect[1] + rect[3] // 2)
    app.session.key(key)
    app.wait_gone(title, rect)
    return rect


def dismiss_about(app):
    about = app.wait_dialog("About Tintmesh")
    app.session.move(about[0] + about[2] // 2, about[1] + about[3] // 2)
    app.session.key("Return")
    app.wait_gone("About Tintmesh", about)
    app.park()


def files_in(folder):
    return sorted(p.name for p in Path(folder).iterdir())

"""Runs every end-to-end test (tests/e2e/test_*.py), one after another.

    python3 tests/e2e/run.py [-k TEXT] [--program EXE] [--warmup EXE]

Boots one template Wine prefix for the run; each test copies it. Prints one
line per test (with the failure's traceback under it) and ends with the line
"N passed, M failed"; the exit status is 1 when any test failed.
"""

import argparse
import os
import shutil
import signal
import sys
import tempfile
import time
import traceback
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

import harness  # noqa: E402


class LineResult(unittest.TestResult):
    """Prints one line per test as it ends."""

    def __init__(self):
        super().__init__()
        self.passed = 0
        self.failed = 0
        self.started = 0.0

    def startTest(self, test):
        super().startTest(test)
        self.started = time.monotonic()

    def _line(self, word, test, detail=None):
        print("%-4s %s (%.1f s)" % (word, test.id(), time.monotonic() - self.started), flush=True)
        if detail:
            for line in detail.rstrip().splitlines():
                print("     " + line)
            sys.stdout.flush()

    def addSuccess(self, test):
        super().addSuccess(test)
        self.passed += 1
        self._line("PASS", test)

    def addFailure(self, test, err):
        super().addFailure(test, err)
        self.failed += 1
        self._line("FAIL", test, "".join(traceback.format_exception(*err)))

    def addError(self, test, err):
        super().addError(test, err)
        self.failed += 1
        self._line("FAIL", test, "".join(traceback.format_exception(*err)))

    def addSkip(self, test, reason):
        super().addSkip(test, reason)
        self._line("SKIP", test, reason)


def selected_tests(suite, pattern):
    for item in suite:
        if isinstance(item, unittest.TestSuite):
            yield from selected_tests(item, pattern)
        elif pattern is None or pattern in item.id():
            yield item


def interrupt(signum, frame):
    raise KeyboardInterrupt()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("-k", dest="pattern", help="run only tests whose id contains TEXT")
    parser.add_argument("--program", default=str(harness.Config.program), help="Tintmesh.exe to test")
    parser.add_argument("--warmup", default=str(harness.Config.warmup), help="the warm-up program")
    args = parser.parse_args()

    # A TERM (a CI time-out, say) unwinds like Ctrl-C, so every session ends
    # its X server and Wine processes.
    signal.signal(signal.SIGTERM, interrupt)

    began = time.monotonic()
    loader = unittest.TestLoader()
    discovered = loader.discover(str(HERE), pattern="test_*.py", top_level_dir=str(HERE))
    tests = list(selected_tests(discovered, args.pattern))
    if not tests:
        print("e2e: no test matches %r" % args.pattern)
        print("0 passed, 0 failed")
        return 1
    result = LineResult()

    missing = [tool for tool in (harness.WINE, harness.WINESERVER) if not os.access(tool, os.X_OK)]
    missing += [tool for tool in ("Xvfb", "xdotool", "import") if shutil.which(tool) is None]
    missing += [path for path in (args.warmup,) if not Path(path).exists()]
    if missing:
        print("e2e: missing: %s" % ", ".join(missing), flush=True)
        print("0 passed, %d failed" % max(len(tests), 1))
        return 1

    harness.Config.program = Path(args.program)
    harness.Config.warmup = Path(args.warmup)
    if not harness.Config.program.exists():
        print("e2e: %s does not exist; the tests that start it will fail" % args.program, flush=True)

    # The screenshots and logs of this run's failures only.
    shutil.rmtree(harness.FAILURE_DIR, ignore_errors=True)

    work = Path(tempfile.mkdtemp(prefix="tintmesh-e2e-run-"))
    template = work / "prefix"
    tag_dir = None
    try:
        print("e2e: booting the template Wine prefix ...", flush=True)
        boot_began = time.monotonic()
        try:
            harness.make_template_prefix(template, work / "boot.log")
        except (harness.HarnessError, OSError) as err:
            print("e2e: %s" % err, flush=True)
            print("0 passed, %d failed" % max(len(tests), 1))
            return 1
        print("e2e: template ready in %.1f s" % (time.monotonic() - boot_began), flush=True)
        harness.Config.template_prefix = template
        tag_dir = harness.server_dir_of(template)
        tag_dir = tag_dir.parent if tag_dir is not None else None

        for test in tests:
            test.run(result)
    except KeyboardInterrupt:
        print("e2e: interrupted", flush=True)
        result.failed += 1
    finally:
        try:
            if template.exists():
                harness.end_prefix_servers(template)
        finally:
            shutil.rmtree(work, ignore_errors=True)
            try:
                if tag_dir is not None and tag_dir.name.startswith("wine-"):
                    tag_dir.rmdir()  # only when no other prefix still uses it
            except OSError:
                pass

    print("e2e: %d tests in %.1f s" % (len(tests), time.monotonic() - began))
    print("%d passed, %d failed" % (result.passed, result.failed))
    return 0 if result.failed == 0 and result.passed > 0 else 1


if __name__ == "__main__":
    sys.exit(main())

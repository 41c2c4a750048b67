"""The AT-SPI harness itself: it skips where it cannot run, fails clearly
where the program does not show up, and leaves no process behind."""

import io
import os
import re
import subprocess
import sys
import tempfile
import unittest
from contextlib import redirect_stdout
from unittest import mock

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import atspi_harness as harness  # noqa: E402

HARNESS = os.path.join(HERE, "atspi_harness.py")
CHECK = os.path.join(HERE, "check_vorel.py")


def alive_in_groups(groups):
    """Processes (not yet ended) whose process group is one of groups."""
    alive = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as f:
                stat = f.read()
        except OSError:
            continue
        # The command may hold blanks; the fields after it do not.
        fields = stat.rsplit(")", 1)[1].split()
        state, group = fields[0], int(fields[2])
        if group in groups and state not in ("Z", "X"):
            alive.append(int(entry))
    return alive


class Harness(unittest.TestCase):
    def run_harness(self, program, arguments, timeout):
        """Runs the harness as ctest does; returns its status and output."""
        result = subprocess.run(
            [sys.executable, "-B", HARNESS, "--timeout", str(timeout), program, CHECK] + arguments,
            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, timeout=120)
        groups = [int(pid) for pid in re.findall(r"started .* \(process (\d+)\)", result.stdout)]
        self.assertEqual(len(groups), 4, result.stdout)
        self.assertEqual(alive_in_groups(groups), [], result.stdout)
        return result.returncode, result.stdout

    def test_skips_with_reason_where_tools_are_missing(self):
        out = io.StringIO()
        with tempfile.TemporaryDirectory() as empty, \
                mock.patch.dict(os.environ, {"PATH": empty}), redirect_stdout(out):
            status = harness.main(["harness", "/bin/true", CHECK])
        self.assertEqual(status, harness.SKIP)
        self.assertIn("SKIP: this machine lacks Xvfb (package xvfb)", out.getvalue())

    def test_bad_usage(self):
        with redirect_stdout(io.StringIO()), mock.patch("sys.stderr", io.StringIO()):
            self.assertEqual(harness.main(["harness"]), 2)
            self.assertEqual(harness.main(["harness", "/nonexistent/program", CHECK]), 2)

    # Display, session bus, AT-SPI bus and program each end with their
    # whole process group.
    def test_program_that_ends_at_once(self):
        status, output = self.run_harness("/bin/false", [], 10)
        self.assertEqual(status, 1)
        self.assertIn("FAILED: the program ended with status 1 before it showed a window", output)

    def test_program_without_window_times_out_and_is_ended(self):
        status, output = self.run_harness("/bin/sleep", ["60"], 1)
        self.assertEqual(status, 1)
        self.assertIn("FAILED: timed out after 1 s waiting for sleep to appear", output)

    def test_interrupted_run_ends_everything(self):
        process = subprocess.Popen(
            [sys.executable, "-B", HARNESS, "--timeout", "60", "/bin/sleep", CHECK, "60"],
            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        output = ""
        while "started program" not in output:
            line = process.stdout.readline()
            self.assertTrue(line, output)
            output += line
        process.terminate()
        output += process.communicate(timeout=60)[0]
        self.assertEqual(process.returncode, 1)
        self.assertIn("interrupted (signal 15)", output)
        groups = [int(pid) for pid in re.findall(r"started .* \(process (\d+)\)", output)]
        self.assertEqual(alive_in_groups(groups), [], output)


if __name__ == "__main__":
    missing = harness.missing_tools()
    if missing:
        print("SKIP: this machine lacks " + "; ".join(missing))
        sys.exit(harness.SKIP)
    unittest.main()

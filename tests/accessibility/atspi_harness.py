"""Runs one desktop program as a screen reader meets it, and a check on it.

    atspi_harness.py [--timeout SECONDS] PROGRAM CHECK_MODULE [ARGUMENT...]

starts a virtual X display (Xvfb), a private D-Bus session bus and the
AT-SPI bus launcher on it (which brings up the accessibility bus and its
registry), starts PROGRAM with Qt's AT-SPI bridge switched on, waits until
the program's application object appears in the registry, and hands it to
the function check(session) of the Python file CHECK_MODULE. The check
reads the accessibility tree through the Session helpers below and raises
CheckFailed (or any exception) when something is wrong.

Exit status: 0 the check passed, 1 it failed or the set-up broke down,
77 the machine lacks a package the harness needs (the reason is printed),
2 bad usage. Every process the harness starts is ended before it exits,
also when it is interrupted or runs out of time: the program has SECONDS
(30 by default) to appear, the whole run three times as long.
"""

import importlib.machinery
import importlib.util
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

# The checks live in the source tree, which stays free of bytecode caches.
sys.dont_write_bytecode = True

SKIP = 77

BUS_LAUNCHER_PLACES = (
    "/usr/libexec/at-spi-bus-launcher",
    "/usr/lib/at-spi2-core/at-spi-bus-launcher",
    "/usr/lib/at-spi2/at-spi-bus-launcher",
)
REGISTRY_PLACES = (
    "/usr/libexec/at-spi2-registryd",
    "/usr/lib/at-spi2-core/at-spi2-registryd",
    "/usr/lib/at-spi2/at-spi2-registryd",
)


class CheckFailed(Exception):
    """What a check raises when the program does not show what it should."""


def log(text):
    print("atspi: " + text, flush=True)


def first_existing(places):
    for place in places:
        if os.access(place, os.X_OK):
            return place
    return None


def read_line_from(fd, what, timeout, process):
    """Reads one line that a starting server writes to the pipe fd."""
    deadline = time.monotonic() + timeout
    data = b""
    os.set_blocking(fd, False)
    while b"\n" not in data:
        if process.poll() is not None:
            raise RuntimeError("%s ended at start with status %d" % (what, process.returncode))
        if time.monotonic() > deadline:
            raise RuntimeError("%s did not start within %g s" % (what, timeout))
        try:
            chunk = os.read(fd, 4096)
        except BlockingIOError:
            time.sleep(0.05)
            continue
        if not chunk:
            time.sleep(0.05)
            continue
        data += chunk
    return data.split(b"\n", 1)[0].decode().strip()


class Session:
    """The virtual desktop with its buses, the program and helpers to read it."""

    def __init__(self, program, arguments, workdir, timeout):
        self.program = program
        self.arguments = arguments
        self.workdir = workdir
        self.timeout = timeout
        self.children = []  # (name, Popen), ended in reverse order
        self.env = None
        self.pyatspi = None
        self.app = None
        self.process = None
        self.program_log = os.path.join(workdir, "program.log")

    # -- starting ---------------------------------------------------------

    def spawn(self, name, command, env, **kwargs):
        # Each child leads a process group of its own, so that ending the
        # group also ends what it started (the accessibility bus, the
        # registry that bus activates).
        process = subprocess.Popen(command, env=env, start_new_session=True, **kwargs)
        self.children.append((name, process))
        log("started %s (process %d)" % (name, process.pid))
        return process

    def start_display(self):
        read_fd, write_fd = os.pipe()
        try:
            xvfb = self.spawn(
                "Xvfb",
                ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1600x1000x24",
                 "-nolisten", "tcp", "-noreset"],
                self.base_env(),
                pass_fds=(write_fd,),
                stdout=subprocess.DEVNULL,
                stderr=open(os.path.join(self.workdir, "xvfb.log"), "w"),
            )
            os.close(write_fd)
            write_fd = None
            number = read_line_from(read_fd, "Xvfb", 15, xvfb)
        finally:
            if write_fd is not None:
                os.close(write_fd)
            os.close(read_fd)
        return ":" + number

    def start_session_bus(self, env):
        read_fd, write_fd = os.pipe()
        try:
            bus = self.spawn(
                "dbus-daemon",
                ["dbus-daemon", "--session", "--nofork", "--nosyslog",
                 "--print-address=%d" % write_fd],
                env,
                pass_fds=(write_fd,),
                stdout=subprocess.DEVNULL,
                stderr=open(os.path.join(self.workdir, "dbus.log"), "w"),
            )
            os.close(write_fd)
            write_fd = None
            return read_line_from(read_fd, "dbus-daemon", 15, bus)
        finally:
            if write_fd is not None:
                os.close(write_fd)
            os.close(read_fd)

    def base_env(self):
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("DBUS_", "AT_SPI", "WAYLAND", "QT_", "XDG_"))
               and k not in ("DISPLAY", "XAUTHORITY")}
        runtime = os.path.join(self.workdir, "runtime")
        os.makedirs(runtime, mode=0o700, exist_ok=True)
        for variable, folder in (("HOME", "home"), ("XDG_CONFIG_HOME", "config"),
                                 ("XDG_DATA_HOME", "data"), ("XDG_CACHE_HOME", "cache")):
            path = os.path.join(self.workdir, folder)
            os.makedirs(path, exist_ok=True)
            env[variable] = path
        env["XDG_RUNTIME_DIR"] = runtime
        # English texts, C-locale numbers, whatever the machine's language.
        env["LANG"] = "C.UTF-8"
        env["LC_ALL"] = "C.UTF-8"
        env["LANGUAGE"] = ""
        return env

    def start(self):
        display = self.start_display()
        env = self.base_env()
        env["DISPLAY"] = display
        env["DBUS_SESSION_BUS_ADDRESS"] = self.start_session_bus(env)
        self.env = env
        log("display %s, session bus %s" % (display, env["DBUS_SESSION_BUS_ADDRESS"]))

        launcher = first_existing(BUS_LAUNCHER_PLACES)
        self.spawn("at-spi-bus-launcher", [launcher, "--launch-immediately", "--a11y=1"], env,
                   stdout=subprocess.DEVNULL,
                   stderr=open(os.path.join(self.workdir, "at-spi.log"), "w"))

        # pyatspi finds the accessibility bus through the session bus and
        # the display, so both are set before it is loaded.
        os.environ.update({k: env[k] for k in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                                                "XDG_RUNTIME_DIR", "HOME")})
        import pyatspi  # noqa: E402 (needs the environment above)
        self.pyatspi = pyatspi
        # A busy machine answers slowly: 10 s for a call instead of libatspi's
        # 0.8 s, 30 s for an application that is still starting.
        pyatspi.setTimeout(10000, 30000)
        self.wait_for(self.registry_answers, 30, "the AT-SPI registry to answer")

        program_env = dict(env)
        program_env.update({
            "QT_QPA_PLATFORM": "xcb",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "QT_ACCESSIBILITY": "1",
        })
        self.process = self.spawn(
            "program", [self.program] + self.arguments, program_env,
            stdin=subprocess.DEVNULL, stdout=open(self.program_log, "w"),
            stderr=subprocess.STDOUT, cwd=self.workdir)
        self.app = self.wait_for(self.find_application, self.timeout,
                                 "%s to appear in the registry" % os.path.basename(self.program))
        log("found application %r (process %d)" % (self.app.name, self.process.pid))

    def registry_answers(self):
        try:
            self.pyatspi.Registry.getDesktop(0).childCount
            return True
        except Exception:
            return False

    def find_application(self):
        if self.process.poll() is not None:
            raise CheckFailed("the program ended with status %d before it showed a window"
                              % self.process.returncode)
        desktop = self.pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == self.process.pid \
                        and app.childCount > 0:
                    return app
            except Exception:
                continue
        return None

    # -- ending -----------------------------------------------------------

    def stop(self):
        for name, process in reversed(self.children):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    log("%s did not end on SIGTERM, killing it" % name)
            # Whatever the child started in its group goes with it.
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except (ProcessLookupError, PermissionError):
                pass
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                log("%s (process %d) would not end" % (name, process.pid))
        self.children.clear()

    def program_output(self):
        try:
            with open(self.program_log, errors="replace") as f:
                lines = f.read().splitlines()
        except OSError:
            return ""
        return "\n".join(lines[-40:])

    # -- helpers for checks -----------------------------------------------

    def wait_for(self, probe, timeout, what):
        """Calls probe until it returns something true; fails after timeout."""
        deadline = time.monotonic() + timeout
        while True:
            result = probe()
            if result:
                return result
            if time.monotonic() > deadline:
                raise CheckFailed("timed out after %g s waiting for %s" % (timeout, what))
            self.pump(0.1)

    def pump(self, seconds):
        """Lets events arrive for the given time."""
        from gi.repository import GLib
        context = GLib.MainContext.default()
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            while context.pending():
                context.iteration(False)
            time.sleep(0.02)
        while context.pending():
            context.iteration(False)

    @staticmethod
    def role(node):
        return node.getRoleName()

    def descendants(self, root=None):
        """Every node under root (the application by default), depth first."""
        stack = [root if root is not None else self.app]
        while stack:
            node = stack.pop()
            if node is None:
                continue
            yield node
            try:
                count = node.childCount
            except Exception:
                continue
            stack.extend(node.getChildAtIndex(i) for i in reversed(range(count)))

    def find_all(self, role=None, name=None, root=None, showing=None):
        found = []
        for node in self.descendants(root):
            if role is not None and self.role(node) != role:
                continue
            if name is not None and node.name != name:
                continue
            if showing is not None and self.is_showing(node) != showing:
                continue
            found.append(node)
        return found

    def find(self, role=None, name=None, root=None, showing=None):
        """The one node with this role and name under root."""
        found = self.find_all(role, name, root, showing)
        if len(found) != 1:
            raise CheckFailed("expected one %s named %r, found %d" % (role or "node", name,
                                                                      len(found)))
        return found[0]

    def is_showing(self, node):
        return node.getState().contains(self.pyatspi.STATE_SHOWING)

    def labels_of(self, node):
        """Names of the nodes that label node (the labelled-by relation)."""
        names = []
        for relation in node.getRelationSet():
            if relation.getRelationType() == self.pyatspi.RELATION_LABELLED_BY:
                for i in range(relation.getNTargets()):
                    names.append(relation.getTarget(i).name)
        return names

    @staticmethod
    def value(node):
        return node.queryValue().currentValue

    @staticmethod
    def set_value(node, number):
        node.queryValue().currentValue = number

    @staticmethod
    def text(node):
        t = node.queryText()
        return t.getText(0, t.characterCount)

    def listen(self, event_type):
        """Starts recording events of event_type; returns the list they go to."""
        received = []

        def record(event):
            received.append(event)

        self.pyatspi.Registry.registerEventListener(record, event_type)
        return received


def load_check(path):
    """The check module at path, or None when it cannot be loaded."""
    # Checks import CheckFailed and friends from this file by its name; they
    # get the running module, not a second copy with classes of its own.
    sys.modules.setdefault("atspi_harness", sys.modules[__name__])
    loader = importlib.machinery.SourceFileLoader("atspi_check", path)
    spec = importlib.util.spec_from_loader("atspi_check", loader)
    module = importlib.util.module_from_spec(spec)
    try:
        loader.exec_module(module)
    except (OSError, SyntaxError) as error:
        print("atspi: cannot load the check %s: %s" % (path, error), file=sys.stderr)
        return None
    if not callable(getattr(module, "check", None)):
        print("atspi: %s defines no check(session)" % path, file=sys.stderr)
        return None
    return module


def missing_tools():
    missing = []
    for tool, package in (("Xvfb", "xvfb"), ("dbus-daemon", "dbus-daemon")):
        if shutil.which(tool) is None:
            missing.append("%s (package %s)" % (tool, package))
    if first_existing(BUS_LAUNCHER_PLACES) is None or first_existing(REGISTRY_PLACES) is None:
        missing.append("the AT-SPI bus launcher and registry (package at-spi2-core)")
    try:
        import gi  # noqa: F401
        import pyatspi  # noqa: F401
    except ImportError:
        missing.append("pyatspi for %s (package python3-pyatspi)" % sys.executable)
    return missing


def main(argv):
    args = argv[1:]
    timeout = 30.0
    if args[:1] == ["--timeout"] and len(args) > 1:
        timeout = float(args[1])
        args = args[2:]
    if len(args) < 2:
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    program, check_path, arguments = os.path.abspath(args[0]), args[1], args[2:]
    if not os.access(program, os.X_OK):
        print("atspi: %s is no program" % program, file=sys.stderr)
        return 2
    check = load_check(check_path)
    if check is None:
        return 2

    missing = missing_tools()
    if missing:
        print("SKIP: this machine lacks " + "; ".join(missing))
        return SKIP

    # A timeout from outside (ctest) ends the run through the clean-up.
    def terminate(signum, frame):
        if signum == signal.SIGALRM:
            raise KeyboardInterrupt("out of time after %d s" % (3 * timeout))
        raise KeyboardInterrupt("signal %d" % signum)

    signal.signal(signal.SIGTERM, terminate)
    signal.signal(signal.SIGHUP, terminate)
    # A check that hangs in a call ends here, before anything outside has
    # to kill the harness and could leave the display and buses behind.
    signal.signal(signal.SIGALRM, terminate)
    signal.alarm(int(3 * timeout))

    workdir = tempfile.mkdtemp(prefix="vorel-atspi-")
    session = Session(program, arguments, workdir, timeout)
    status = 1
    try:
        session.start()
        check.check(session)
        log("check passed")
        status = 0
    except CheckFailed as failure:
        log("FAILED: %s" % failure)
    except KeyboardInterrupt as interruption:
        log("interrupted (%s)" % interruption)
    except Exception:
        log("FAILED with an error:\n" + traceback.format_exc())
    finally:
        # A second signal must not cut the clean-up short.
        signal.alarm(0)
        signal.signal(signal.SIGTERM, signal.SIG_IGN)
        signal.signal(signal.SIGHUP, signal.SIG_IGN)
        output = session.program_output() if status != 0 else ""
        session.stop()
        if output:
            log("last output of the program:\n" + output)
        shutil.rmtree(workdir, ignore_errors=True)
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv))

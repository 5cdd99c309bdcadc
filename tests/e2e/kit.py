"""What one case works with: its game and kit folders, the robot script with what each command
should print, and the expected log and game folder."""

import difflib
import os
import re
import shutil
from collections import namedtuple

# The package files in the order in which both programs handle them, read from the list the
# programs are built from: (file name, game sub-folder).
PACKAGE_LIST = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "common",
                            "package_list.inc")
with open(PACKAGE_LIST) as _list:
    PACKAGES = [(name, kind) for kind, name in
                re.findall(r'^PACKAGE\((\w+), "([^"]+)"\)', _list.read(), re.M)]

INI = "System/DeusEx.ini"
TEMP_INI = "System/DeusEx_kes.ini"  # the setup's spelling; the uninstaller's differs in case only
BACKUP_INI = "System/DeusEx_Kes_Backup.ini"


Case = namedtuple("Case", "name build")


def case_registry(program):
    """A list of cases and the decorator that adds a build function to it as program.name."""
    cases = []

    def case(name):
        def register(build):
            cases.append(Case(program + "." + name, build))
            return build

        return register

    return cases, case


def package_bytes(name):
    # CR LF, NUL and Ctrl-Z in it: a copy in text mode would change them.
    return name.encode() + b"\r\n" + bytes(range(256)) + b"\n\x1a\x00"


def crlf(text):
    """An ini file's bytes as the game writes them."""
    return text.replace("\n", "\r\n").encode("latin-1")


def escape(text):
    """A text as the robot prints it."""
    table = {"\n": "\\n", "\t": "\\t", "\r": "\\r", "\\": "\\\\"}
    return "".join(table.get(c, "\\x%02X" % ord(c) if ord(c) < 0x20 else c) for c in text)


def box_line(caption, text, buttons="OK"):
    return "box %s | %s | %s" % (escape(caption), escape(text), buttons)


class Stamped(str):
    """A log entry written with the time-stamp prefix."""


# The shape of ctime's text: the day of the month always two digits.
STAMP = re.compile(
    r"\[ (Mon|Tue|Wed|Thu|Fri|Sat|Sun) (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) "
    r"\d\d \d\d:\d\d:\d\d \d{4} \] "
)
STAMP_MARK = "[ <time stamp> ] "


def compare_log(expected, actual):
    """expected: None when there must be no log, else (bytes there before, entries)."""
    if expected is None or actual is None:
        if expected is actual:
            return []
        return ["log: " + ("missing" if actual is None else "there should be none")]
    earlier, entries = expected
    if not actual.startswith(earlier):
        return ["log: its earlier content was not kept"]
    got = STAMP.sub(STAMP_MARK.replace("\\", "\\\\"), actual[len(earlier):].decode("latin-1"))
    want = "".join((STAMP_MARK if isinstance(e, Stamped) else "") + e + "\n" for e in entries)
    want = want.replace("\n", "\r\n")
    if got == want:
        return []
    lines = list(difflib.unified_diff(want.split("\r\n"), got.split("\r\n"), lineterm="", n=2))
    shown = [repr(x)[1:-1] for x in lines[2:80]] + (["..."] if len(lines) > 80 else [])
    return ["log differs (- expected, + actual; CR LF ends each line):\n" + "\n".join(shown)]


def snapshot(folder):
    files = {}
    for root, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(root, name)
            with open(path, "rb") as f:
                files[os.path.relpath(path, folder).replace(os.sep, "/")] = f.read()
    return files


class Run:
    """One case's world, which the case's build function fills in."""

    def __init__(self, case_dir, drive_c, to_windows, source_dir, programs):
        self.drive_c, self.to_windows = drive_c, to_windows
        self.game = os.path.join(case_dir, "game")
        self.kit = os.path.join(case_dir, "kit")
        self.folder = to_windows(self.game)  # the game folder as the programs see it
        self.setup_exe = to_windows(os.path.join(self.kit, "Kestrevane6.exe"))
        self.uninstall_exe = to_windows(os.path.join(self.kit, "Uninstall.exe"))
        self.file_size_limit = None  # bytes: a disk that fills up, for every file written
        self._steps, self._changes, self._read_only = [], {}, []
        self._log, self._earlier_log = [], b""
        sample = os.path.join(source_dir, "sample", "game")
        if os.path.isdir(sample):
            shutil.copytree(sample, self.game)
        for sub in {sub for _, sub in PACKAGES}:
            os.makedirs(os.path.join(self.game, sub), exist_ok=True)
        os.makedirs(self.kit)
        for name, _ in PACKAGES:
            with open(os.path.join(self.kit, name), "wb") as f:
                f.write(package_bytes(name))
        for exe in programs:
            shutil.copyfile(exe, os.path.join(self.kit, os.path.basename(exe)))

    # -- the folders before the run -------------------------------------------------------------

    def path(self, rel):
        return os.path.join(self.game, *rel.split("/"))

    def win(self, rel):
        return self.folder + "\\" + rel.replace("/", "\\")

    def write(self, rel, data):
        os.makedirs(os.path.dirname(self.path(rel)), exist_ok=True)
        with open(self.path(rel), "wb") as f:
            f.write(data)

    def remove(self, rel):
        path = self.path(rel)
        shutil.rmtree(path) if os.path.isdir(path) else os.remove(path)

    def remove_kit_file(self, name):
        os.remove(os.path.join(self.kit, name))

    def read_only(self, rel):
        self._read_only.append(self.path(rel))

    def move_game_to_length(self, length):
        """Moves the game folder so that the programs see a path of `length` characters."""
        parent = os.path.dirname(self.game)
        room = length - len(self.to_windows(parent)) - 1
        name = ("Deus Ex Game Of The Year Edition " * 10)[: room - 1].rstrip()
        name += "x" * (room - len(name))
        os.rename(self.game, os.path.join(parent, name))
        self.game = os.path.join(parent, name)
        self.folder = self.to_windows(self.game)

    def log_before(self, data):
        with open(os.path.join(self.drive_c, "Kestrevane.log"), "wb") as f:
            f.write(data)
        self._earlier_log = data

    def freeze(self):
        """Applies the file modes; the game folder as it is now is where the run starts."""
        for path in self._read_only:
            os.chmod(path, 0o444)
        self._initial = snapshot(self.game)

    # -- what the run should leave --------------------------------------------------------------

    def expect_file(self, rel, data):
        self._changes[rel] = data

    def expect_gone(self, rel):
        self._changes[rel] = None

    def expect_packages(self, count=16):
        for name, sub in PACKAGES[:count]:
            self.expect_file(sub + "/" + name, package_bytes(name))

    def expected_game(self):
        files = dict(self._initial)
        for rel, data in self._changes.items():
            files.pop(rel, None) if data is None else files.__setitem__(rel, data)
        return files

    def log(self, *entries):
        self._log.extend(entries)

    def expect_no_log(self):
        self._log = None

    def expected_log(self):
        return None if self._log is None else (self._earlier_log, self._log)

    # -- the robot's script and what it should print ------------------------------------------

    def do(self, command, *prints):
        self._steps.append((command, list(prints)))

    def script(self):
        return [command for command, _ in self._steps]

    def expected_transcript(self):
        return [line for _, prints in self._steps for line in prints]

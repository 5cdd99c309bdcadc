#!/usr/bin/env python3
"""Wine bench: the kit's two programs under Wine, on a display of its own, driven by the robot.

    bench.py [options] list          the names of all cases
    bench.py [options] start         a display, a Wine prefix and a persistent wineserver
    bench.py [options] run CASE...   cases on the started bench
    bench.py [options] stop          ends what start started, by process id, and cleans up
    bench.py [options] all [CASE...] start, the cases (all by default), stop

The cases come from a Python file (--cases, by default tests/e2e/cases.py): a dict CASES of
name -> build(run), where build lays out the game folder and says what the run does through the
Run it gets (robot lines, wine commands, files, registry records, environment variables, steps done
by hand). Each case gets a fresh game folder (the sample game) and kit folder (the package files
and the two programs) on the prefix's drive C, and starts without the registry records and the
outer environment's variables that the programs read, without files of its own in the Wine user's
home folder and without a launcher configuration (the folder Deus Ex in the Documents of the
prefix's user). Its robot transcript, c:\Kestrevane.log and a listing of the game folder (and of
the launcher's folder, where the case made one) are compared with the golden file golden/<case>.txt
beside the cases, in which what varies between runs and kits is written as a placeholder: <game>
the game folder, <kit> the kit folder, <case> the case's folder that holds both, <documents> the
Documents of the prefix's user, <home> the Wine user's Linux home folder, [ <time stamp> ], <web>
and <mail> the support addresses and <maker> the maker (common/support_contact.h), <N+k> a progress
position counted from the end of the package list, <file k>/<folder k> the k-th package (N the
last), and "<each package> " before a line that stands for one line per package, in the order of
common/package_list.inc. The programs' texts (robot transcript, log) are read as UTF-8, their code
page; a byte that is not UTF-8 shows as \\xNN. Golden files are UTF-8.

--wine64 is for 64-bit builds of the programs and the robot, on machines that cannot run 32-bit
programs: the bench runs 64-bit Wine's own loader and server (Debian's wine script would pick the
32-bit loader), and Wine makes a 64-bit prefix, in whose 32-bit registry view the cases' records
land as they do on 64-bit Windows. If Wine, its server or Xvfb cannot start, start says why.

--update-golden writes the golden files from the runs instead of comparing: review the diff
(git diff tests/e2e/golden) before committing it. A case that needs what this machine does not
allow (a tmpfs mount as root) is skipped with exit code 77.
"""

import argparse
import difflib
import errno
import hashlib
import json
import os
import re
import runpy
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(HERE)
WINE_USER = "nobody"  # Wine ignores read-only files for root: as root the programs run as this
SKIPPED = 77  # ctest's SKIP_RETURN_CODE for the e2e tests
GAME_RECORD = "HKLM\\Software\\Unreal Technology\\Installed Apps\\Deus Ex"
GOG_RECORD = "HKLM\\SOFTWARE\\GOG.com\\Games\\1207658995"
GOG_OLD_RECORD = "HKLM\\SOFTWARE\\GOG.com\\GOGDEUSX"
STEAM_USER_RECORD = "HKCU\\Software\\Valve\\Steam"
STEAM_RECORD = "HKLM\\SOFTWARE\\Valve\\Steam"
STEAM_GAME_ENTRY = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Steam App 6910"
# Every registry record that the programs read to find the game; each case starts without them.
RECORDS = (GAME_RECORD, GOG_RECORD, GOG_OLD_RECORD, STEAM_USER_RECORD, STEAM_RECORD,
           STEAM_GAME_ENTRY)
HIVES = {"HKLM": "HKEY_LOCAL_MACHINE", "HKCU": "HKEY_CURRENT_USER"}
# Where the user's Documents folder is named, as Windows' folder properties set it.
USER_SHELL_FOLDERS = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders"
PREFIX_DOCUMENTS = "%USERPROFILE%\\Documents"  # the value a fresh prefix gives Personal there
PAGE = 4096  # a tmpfs counts whole pages
# Wine's loader and server. Debian's wine script picks the 32-bit loader whenever that file is
# installed, so 64-bit Wine is run through its own loader and server directly.
WINE32 = {"wine": "wine", "wineserver": "wineserver"}
WINE64 = {"wine": "/usr/lib/wine/wine64", "wineserver": "/usr/lib/wine/wineserver64"}
WINE32_LOADER = "/usr/lib/wine/wine"  # what Debian's wine script runs
DEBIAN_PACKAGES = {"wine": "wine", "wineserver": "wine", WINE32_LOADER: "wine32:i386",
                   WINE64["wine"]: "wine64", WINE64["wineserver"]: "wine64", "Xvfb": "xvfb"}


def read_source(rel):
    with open(os.path.join(SOURCE, rel)) as f:
        return f.read()


# The package files in the order in which both programs handle them: (file name, sub-folder).
PACKAGES = [(name, kind) for kind, name in re.findall(
    r'^PACKAGE\((\w+), "([^"]+)"\)', read_source("common/package_list.inc"), re.M)]
SUPPORT = dict(re.findall(r'#define (?:SUPPORT_)?(\w+?)(?:_ADDRESS|_NAME) "([^"]+)"',
                          read_source("common/support_contact.h")))


def wine_user():
    if os.geteuid() != 0:
        return None
    import pwd

    return pwd.getpwnam(WINE_USER)


def as_wine_user():
    user = wine_user()
    return {"user": user.pw_uid, "group": user.pw_gid, "extra_groups": []} if user else {}


def give_to_wine_user(path):
    user = wine_user()
    if not user:
        return
    os.lchown(path, user.pw_uid, user.pw_gid)
    for root, dirs, files in os.walk(path):
        for name in dirs + files:
            os.lchown(os.path.join(root, name), user.pw_uid, user.pw_gid)


def wine_env(state, case_env=None):
    # Nothing of the outer environment that the programs look for the game with.
    env = {k: v for k, v in os.environ.items()
           if not k.startswith(("WINE", "STEAM_COMPAT_")) and k not in ("XDG_DATA_HOME",
                                                                          "STEAM_APP_PATH")}
    env.update(
        HOME=state["home"],
        WINEPREFIX=state["prefix"],
        DISPLAY=":%d" % state["display"],
        WINEDEBUG="-all",
        WINEDLLOVERRIDES="mscoree,mshtml=",
        # One kind of prefix for each path, whatever else is installed: Wine's 32-bit loader
        # makes a 64-bit prefix where the 64-bit one is installed too, and CI has only one.
        WINEARCH="win64" if state.get("wine") == WINE64["wine"] else "win32",
    )
    env.update(case_env or {})
    return env


def wine_commands(wine64):
    return dict(WINE64 if wine64 else WINE32)


def wine(state, args, case_env=None, **kw):
    return subprocess.run([state.get("wine", "wine")] + args, env=wine_env(state, case_env),
                          stdin=subprocess.DEVNULL, **as_wine_user(), **kw)


def kill_wine(state, **kw):
    """Ends every program of the bench's prefix, and its server."""
    subprocess.run([state.get("wineserver", "wineserver"), "-k"], env=wine_env(state),
                   stdin=subprocess.DEVNULL, **as_wine_user(), **kw)


# -- why something did not start ----------------------------------------------------------------


def program_text(data):
    """The programs' and the robot's bytes as text: UTF-8, their code page."""
    return data.decode("utf-8", "backslashreplace")


def tail(text, lines=6):
    """The last lines of a program's output, indented, to follow a message."""
    if isinstance(text, bytes):
        text = text.decode("latin-1")
    last = [line.rstrip() for line in text.strip().splitlines()][-lines:]
    return "".join("\n    " + line for line in last) if last else " (no output)"


def log_tail(path):
    try:
        with open(path, "rb") as f:
            return tail(f.read())
    except OSError:
        return " (no log)"


def why_not_run(command, error):
    """What an OSError from starting command means, in the user's terms."""
    if error.errno == errno.ENOENT:
        package = DEBIAN_PACKAGES.get(command)
        return "not installed" + (" (Debian package %s)" % package if package else "")
    reason = os.strerror(error.errno)
    path = shutil.which(command) or command
    try:
        with open(path, "rb") as f:
            is_32_bit_elf = f.read(5) == b"\x7fELF\x01"
    except OSError:
        is_32_bit_elf = False
    if error.errno == errno.ENOEXEC and is_32_bit_elf:
        return "this machine cannot run 32-bit programs (%s)" % reason
    return reason


def check_loader(commands, user):
    """Raises SystemExit saying why when Wine's loader cannot run here."""
    loader = commands["wine"]
    if loader == "wine" and os.path.exists(WINE32_LOADER):
        loader = WINE32_LOADER  # the file that Debian's script runs, and that may not run here
    try:
        ran = subprocess.run([loader, "--version"], stdin=subprocess.DEVNULL,
                             stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, timeout=60, **user)
    except OSError as error:
        raise SystemExit("bench: Wine cannot start: %s: %s" % (loader, why_not_run(loader, error)))
    if ran.returncode:
        raise SystemExit("bench: Wine cannot start: %s --version ended with %d:%s"
                         % (loader, ran.returncode, tail(ran.stderr)))


def start_server(commands, env, log_path, user):
    """A persistent wineserver for the prefix of env, its output in log_path."""
    with open(log_path, "wb") as log:
        try:
            return subprocess.Popen([commands["wineserver"], "-f", "-p"], env=env,
                                    stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                    start_new_session=True, **user)
        except OSError as error:
            raise SystemExit("bench: the wineserver cannot start: %s: %s"
                             % (commands["wineserver"], why_not_run(commands["wineserver"], error)))


def is_process(pid, name):
    """True while pid is alive and still the program we started (pids get reused)."""
    try:
        with open("/proc/%d/stat" % pid, "rb") as f:
            stat = f.read()
    except OSError:
        return False
    return name.encode() in stat.split(b")")[0] and stat.rsplit(b")", 1)[1].split()[0] != b"Z"


def end_process(pid, name):
    if pid and is_process(pid, name):
        os.kill(pid, signal.SIGTERM)
        deadline = time.time() + 5
        while time.time() < deadline and is_process(pid, name):
            time.sleep(0.05)
        if is_process(pid, name):
            os.kill(pid, signal.SIGKILL)
    try:  # reaped here when this process started it (bench.py all)
        os.waitpid(pid, 0)
    except (ChildProcessError, TypeError):
        pass


# -- the bench --------------------------------------------------------------------------------


def load_state(opts):
    try:
        with open(os.path.join(opts.state_dir, "bench.json")) as f:
            return json.load(f)
    except OSError:
        return None


def save_state(opts, state):
    with open(os.path.join(opts.state_dir, "bench.json"), "w") as f:
        json.dump(state, f)


def start(opts):
    if load_state(opts):
        stop(opts)
    os.makedirs(opts.state_dir, exist_ok=True)
    commands = wine_commands(getattr(opts, "wine64", False))
    check_loader(commands, as_wine_user())  # before anything is started
    root = tempfile.mkdtemp(prefix="kestrevane-e2e-")
    os.chmod(root, 0o755)
    state = dict(commands, root=root, prefix=root + "/prefix", home=root + "/home")
    for d in (state["prefix"], state["home"]):
        os.mkdir(d)
        give_to_wine_user(d)
    save_state(opts, state)  # from here on stop can clean up, also after a failed start

    # A display of our own: Xvfb picks a free number and writes it to the pipe.
    read_end, write_end = os.pipe()
    with open(root + "/xvfb.log", "wb") as log:
        try:
            xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp", "-screen", "0",
                 "800x600x24"],
                pass_fds=[write_end], stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                start_new_session=True,
            )
        except OSError as error:
            raise SystemExit("bench: Xvfb cannot start: " + why_not_run("Xvfb", error))
        finally:
            os.close(write_end)
    state["xvfb_pid"] = xvfb.pid
    save_state(opts, state)
    number = b""
    while not number.endswith(b"\n") and select.select([read_end], [], [], 20)[0]:
        chunk = os.read(read_end, 16)
        if not chunk:
            break
        number += chunk
    os.close(read_end)
    if not number.strip().isdigit():
        try:
            how = "ended with %d" % xvfb.wait(timeout=1)
        except subprocess.TimeoutExpired:
            how = "named no display within 20 s"
        raise SystemExit("bench: Xvfb %s:%s" % (how, log_tail(root + "/xvfb.log")))
    state["display"] = int(number)
    save_state(opts, state)

    # A persistent wineserver: the cases do not pay for a server start each.
    server_log = root + "/wineserver.log"
    server = start_server(commands, wine_env(state), server_log, as_wine_user())
    state["wineserver_pid"] = server.pid
    save_state(opts, state)
    state["server_dir"] = wait_for_server(server, commands["wineserver"], server_log)
    save_state(opts, state)

    # The first program in a new prefix has Wine make the prefix (wineboot) and waits for that. A
    # "wineboot -i" on top initialises it twice and leaves two service managers, after which the
    # RPC service, which every program with windows asks for, often fails to start, ten seconds a
    # try.
    # Unmanaged windows: otherwise Wine waits for a window manager whenever a window hides.
    # Its output goes to a file: the prefix's services inherit it and outlive the program.
    key = "HKCU\\Software\\Wine\\X11 Driver"
    with open(root + "/first-program.log", "wb") as log:
        made = wine(state, ["reg", "add", key, "/v", "Managed", "/d", "N", "/f"], timeout=180,
                    stdout=log, stderr=log)
    if made.returncode:
        raise SystemExit("bench: the first program in the new prefix (%s reg add) ended with %d:%s"
                         % (state["wine"], made.returncode, log_tail(root + "/first-program.log")))
    if getattr(opts, "robot", None):  # the demo's bench has no robot of its own
        keep_desktop(opts, state)
    print("bench started: display :%d, prefix %s" % (state["display"], state["prefix"]))


def keep_desktop(opts, state):
    """Wine closes the desktop a second after its last program has ended, and the next program
    waits a second for a new one: a robot that waits for nothing keeps it for all the cases. Its
    wine process is the robot itself; stop ends it."""
    keeper = os.path.join(state["prefix"], "drive_c", "bench")
    os.mkdir(keeper)
    shutil.copyfile(opts.robot, keeper + "/robot.exe")
    with open(keeper + "/keep.txt", "w") as f:
        f.write("nobox 2147483647\n")
    state["keeper_pid"] = subprocess.Popen(
        [state["wine"], "C:\\bench\\robot.exe", "C:\\bench\\keep.txt"], env=wine_env(state),
        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
        start_new_session=True, **as_wine_user()).pid
    save_state(opts, state)


def wait_for_server(server, command, log_path):
    """The folder of the server's socket, once it listens; or SystemExit saying why not."""
    # A wine started before the server listens would start a second, non-persistent one. The
    # socket lies in the server's working directory, whose place differs between Wine builds.
    deadline = time.time() + 20
    while server.poll() is None and time.time() < deadline:
        try:
            cwd = os.readlink("/proc/%d/cwd" % server.pid)
            if os.path.basename(cwd).startswith("server-") and os.path.exists(cwd + "/socket"):
                return cwd
        except OSError:
            pass
        time.sleep(0.05)
    how = ("ended with %d" % server.returncode if server.returncode is not None else
           "opened no socket within 20 s")
    raise SystemExit("bench: the wineserver %s %s:%s" % (command, how, log_tail(log_path)))


def stop(opts):
    state = load_state(opts)
    if not state:
        print("bench: nothing to stop")
        return
    if "wineserver_pid" in state:
        kill_wine(state, timeout=30, stderr=subprocess.DEVNULL)
    end_process(state.get("keeper_pid"), "robot.exe")
    end_process(state.get("wineserver_pid"), "wineserver")
    end_process(state.get("xvfb_pid"), "Xvfb")
    unmount_under(state["root"])
    if state.get("server_dir"):
        shutil.rmtree(state["server_dir"], ignore_errors=True)
        try:  # the folder around it, when that was made for this server alone
            os.rmdir(os.path.dirname(state["server_dir"]))
        except OSError:
            pass
    shutil.rmtree(state["root"], ignore_errors=True)
    os.remove(os.path.join(opts.state_dir, "bench.json"))
    print("bench stopped")


# -- one case's world --------------------------------------------------------------------------


def package_bytes(name):
    # CR LF, NUL and Ctrl-Z in it: a copy in text mode would change them.
    return name.encode() + b"\r\n" + bytes(range(256)) + b"\n\x1a\x00"


def escape(text):
    """A text as the robot prints it and reads it in its text arguments."""
    table = {"\n": "\\n", "\t": "\\t", "\r": "\\r", "\\": "\\\\"}
    return "".join(table.get(c, "\\x%02X" % ord(c) if ord(c) < 0x20 else c) for c in text)


def snapshot(folder):
    files = {}
    for root, _, names in os.walk(folder):
        for name in names:
            with open(os.path.join(root, name), "rb") as f:
                files[os.path.relpath(os.path.join(root, name), folder).replace(os.sep, "/")] = \
                    f.read()
    return files


class Run:
    """What a case's build function works with."""

    packages = PACKAGES
    escape = staticmethod(escape)  # for the robot's text arguments
    GOG_RECORD, GOG_OLD_RECORD = GOG_RECORD, GOG_OLD_RECORD
    STEAM_USER_RECORD, STEAM_RECORD, STEAM_GAME_ENTRY = STEAM_USER_RECORD, STEAM_RECORD, \
        STEAM_GAME_ENTRY

    def __init__(self, case_dir, to_windows, programs, documents, home, log):
        self.to_windows, self.case, self.documents_folder = to_windows, case_dir, documents
        self.home_folder, self.home_made = home, []  # the Wine user's, and what the case put there
        self.log = log  # c:\Kestrevane.log, as the bench reaches it
        self.game, self.kit = os.path.join(case_dir, "game"), os.path.join(case_dir, "kit")
        self.launcher = os.path.join(documents, "Deus Ex")  # where the launcher keeps System
        self.folder = to_windows(self.game)  # the game folder as the programs see it
        self.setup_exe, self.uninstall_exe = (
            to_windows(os.path.join(self.kit, os.path.basename(exe))) for exe in programs)
        self.steps, self.disk, self.invariants, self.log_shown = [], None, [], True
        self.documents_moved = False
        self.known = {}  # bytes -> what the listings call a file that holds them
        shutil.copytree(os.path.join(SOURCE, "sample", "game"), self.game)
        os.makedirs(self.kit)
        for name, _ in PACKAGES:
            with open(os.path.join(self.kit, name), "wb") as f:
                f.write(package_bytes(name))
        for exe in programs:
            shutil.copyfile(exe, os.path.join(self.kit, os.path.basename(exe)))

    def path(self, rel):
        """rel in the game folder; an absolute path as it is."""
        return rel if os.path.isabs(rel) else os.path.join(self.game, *rel.split("/"))

    def place(self, rel):
        """rel in the case's folder, beside the game and the kit."""
        return os.path.join(self.case, *rel.split("/"))

    def home(self, rel):
        """rel in the Linux home folder of the prefix's user, which the programs see as
        WINEHOMEDIR. What a case puts there is removed after it."""
        parts = rel.split("/")
        made = next((os.path.join(self.home_folder, *parts[:i]) for i in range(1, len(parts) + 1)
                     if not os.path.lexists(os.path.join(self.home_folder, *parts[:i]))), None)
        if made and made not in self.home_made:
            self.home_made.append(made)
        return os.path.join(self.home_folder, *parts)

    def documents(self, rel):
        """rel in the Documents of the prefix's user; Deus Ex/System/DeusEx.ini is the
        launcher's configuration."""
        return os.path.join(self.documents_folder, *rel.split("/"))

    def move_documents(self, name):
        """The user's Documents becomes the folder name beside it, as Windows' folder properties
        move it (the value Personal of User Shell Folders); put back after the case."""
        folder = os.path.join(os.path.dirname(self.documents_folder), name)
        os.makedirs(folder)
        self.home_made.append(folder)
        self.documents_folder, self.launcher = folder, os.path.join(folder, "Deus Ex")
        # A .reg file in UTF-16, so that the name passes whatever Wine's locale.
        reg = self.place("documents.reg")
        with open(reg, "w", encoding="utf-16", newline="") as f:
            f.write('Windows Registry Editor Version 5.00\r\n\r\n[%s]\r\n"Personal"="%s"\r\n'
                    % (USER_SHELL_FOLDERS.replace("HKCU", HIVES["HKCU"]),
                       self.to_windows(folder).replace("\\", "\\\\")))
        self.steps.append(("quiet", (["reg", "import", self.to_windows(reg)], None)))
        self.documents_moved = True

    def read(self, rel):
        with open(self.path(rel), "rb") as f:
            return f.read()

    def write(self, rel, data):
        os.makedirs(os.path.dirname(self.path(rel)), exist_ok=True)
        with open(self.path(rel), "wb") as f:
            f.write(data)

    def remove(self, rel):
        os.remove(self.path(rel))

    def win(self, rel):
        return self.folder + "\\" + rel.replace("/", "\\")

    def move_game(self, rel):
        """Moves the game folder to rel in the case's folder."""
        os.makedirs(os.path.dirname(self.place(rel)), exist_ok=True)
        os.rename(self.game, self.place(rel))
        self.game = self.place(rel)
        self.folder = self.to_windows(self.game)

    def move_game_to_length(self, length):
        """Moves the game folder so that the programs see a path of `length` characters."""
        room = length - len(self.to_windows(self.case)) - 1
        name = ("Deus Ex Game Of The Year Edition " * 10)[: room - 1].rstrip()
        self.move_game(name + "x" * (room - len(name)))

    def stand_in(self, rel):
        """A copy of the robot at rel in the game folder that waits for nothing: for the robot's
        beside, a program that runs from there until it is ended, as the game does (a kit program
        would hold the kit's mutex). Its command line as Wine sees it."""
        shutil.copyfile(os.path.join(os.path.dirname(self.case), "robot.exe"), self.path(rel))
        with open(self.place("stand_in.txt"), "w") as f:
            f.write("nobox 2147483647\n")
        return self.win(rel) + " " + self.to_windows(self.place("stand_in.txt"))

    def package_sizes(self):
        return [len(package_bytes(name)) for name, _ in PACKAGES]

    def small_disk(self, *room):
        """The game folder on a disk of its own that has room for files of these sizes."""
        self.disk = sum(-(-size // PAGE) * PAGE for size in room)

    def robot(self, *lines):
        self.steps += [("robot", line) for line in lines]

    def wine(self, *args, cwd=None):
        """A program run by wine itself, in the kit folder or in cwd (a folder of the case); the
        transcript shows its exit code."""
        self.steps.append(("wine", (list(args), cwd)))

    def record(self, key, name, text, native=False):
        """A text value in the registry: in its 32-bit view, where 32-bit programs read, or with
        native in the prefix's own view, as a 64-bit program writes it (Steam its uninstall
        entry). /reg:64 is the only view of a 32-bit prefix, and wine's own reg may be the 32-bit
        one, which writes in the 32-bit view when given no view."""
        view = "/reg:64" if native else "/reg:32"
        self.steps.append(("quiet", (["reg", "add", key, "/v", name, "/d", text, view, "/f"],
                                     None)))

    def env(self, name, value):
        """An environment variable for the programs that the case runs after this step."""
        self.steps.append(("env", (name, value)))

    def registry(self, folder):
        """The game's registry record, as the game's own setup writes it."""
        self.record(GAME_RECORD, "Folder", folder)

    def by_hand(self, what, act):
        """act() between the programs' runs, as a player does it; the transcript says what."""
        self.steps.append(("hand", (what, act)))

    def listing(self, folder=None):
        """The game folder and the launcher's folder as they are at this point, as the golden
        file lists them at the end, into the transcript; or another folder, a copy of the game."""
        self.steps.append(("listing", folder))

    def know(self, what, data):
        """Listings call a file that holds data "as <what>": a content the case expects that no
        file of the game or launcher folder held at its start."""
        self.known[data] = what

    def skip_log(self):
        """Leaves c:\\Kestrevane.log out of the comparison, for a log that another case's golden
        file shows already."""
        self.log_shown = False

    def decoys(self):
        """The decoy DLLs (driver/decoy_dll.c: --decoys) beside the programs in the kit folder,
        and Wine told to look for them there first, as Windows does for a DLL that is no
        KnownDLL. A decoy that a process loads notes it in "<its name>.loaded"."""
        names = sorted(n for n in os.listdir(self.decoy_folder) if n.lower().endswith(".dll"))
        for name in names:
            shutil.copyfile(os.path.join(self.decoy_folder, name), os.path.join(self.kit, name))
        self.env("WINEDLLOVERRIDES", "mscoree,mshtml=;%s=n,b" % ",".join(n[:-4] for n in names))

    def decoys_loaded(self):
        """Into the transcript: each decoy that a program has loaded so far, and by which."""
        self.steps.append(("decoys", None))

    def invariant(self, check):
        """check(files of the game folder afterwards) -> a problem or None. A case with an
        invariant compares only its transcript with the golden file: its log and game folder
        depend on timing."""
        self.invariants.append(check)


# -- what a run leaves, as the golden files write it ----------------------------------------------

STAMP = re.compile(r"\[ \w{3} \w{3} \d\d \d\d:\d\d:\d\d \d{4} \] ")
PROGRESS = re.compile(r"^(progress \d+ )(\d+)/(\d+)$")
NAMED = re.compile(r"(?<![\w.])(?:(\w+)([\\/]))?(%s)(?![\w.])"
                   % "|".join(re.escape(n) for n, _ in sorted(PACKAGES, key=lambda p: -len(p[0]))))
INDEX = {name: i for i, (name, _) in enumerate(PACKAGES)}


def counted(n):
    """A count or position: small ones as they are, others from the package list's end."""
    k = n - len(PACKAGES)
    return str(n) if n <= 4 else "<N>" if k == 0 else "<N%+d>" % k


def name_packages(line, mark):
    """The line with the packages it names marked; the index of the one it names, if one."""
    named = {INDEX[m.group(3)] for m in NAMED.finditer(line)}
    if len(named) != 1:
        return line, None
    i = named.pop()
    folder = PACKAGES[i][1]

    def marked(m):
        sub = m.group(1) == folder and "<folder%s>%s" % (mark(i), m.group(2))
        return (sub or (m.group(1) or "") + (m.group(2) or "")) + "<file%s>" % mark(i)

    return NAMED.sub(marked, line), i


def collapse_packages(lines):
    """Lines that repeat one pattern for every package in order become one block, its package's
    line marked "<each package> "; a package named elsewhere is <file k>."""
    tagged = [name_packages(line, lambda i: "") for line in lines]
    where = [j for j, (_, k) in enumerate(tagged) if k is not None]
    singly = lambda part: [name_packages(line, lambda k: " %d" % (k + 1) if k < 4 else " "  # noqa
                                         + counted(k + 1)[1:-1])[0] for line in part]
    out, done, n = [], 0, len(PACKAGES)
    for first in range(len(where) - n + 1):
        at = where[first: first + n]
        period = at[1] - at[0] if n > 1 else 1
        if at[0] < done or [tagged[j][1] for j in at] != list(range(n)) or any(
                j - at[0] != m * period for m, j in enumerate(at)):
            continue
        for lead in range(period):  # the lines of a block ahead of its package's line
            blocks = [[t for t, _ in tagged[j - lead: j - lead + period]] for j in at]
            if at[0] - lead >= done and at[-1] - lead + period <= len(lines) and blocks.count(
                    blocks[0]) == n:
                out += singly(lines[done: at[0] - lead]) + blocks[0][:lead]
                out += ["<each package> " + blocks[0][lead]] + blocks[0][lead + 1:]
                done = at[-1] - lead + period
                break
    return out + singly(lines[done:])


def normalise(text, run):
    kit, case = run.to_windows(run.kit), run.to_windows(run.case)
    documents, home = run.to_windows(run.documents_folder), run.to_windows(run.home_folder)
    for value, mark in ((escape(run.folder), "<game>"), (run.folder, "<game>"), (kit, "<kit>"),
                        (escape(case), "<case>"), (case, "<case>"),
                        (escape(documents), "<documents>"), (documents, "<documents>"),
                        (escape(home), "<home>"), (home, "<home>"),
                        (SUPPORT["EMAIL"], "<mail>"), (SUPPORT["WEB"], "<web>"),
                        ("contact " + SUPPORT["MAKER"], "contact <maker>")):
        text = text.replace(value, mark)
    text = STAMP.sub("[ <time stamp> ] ", text)
    lines = [PROGRESS.sub(lambda m: m.group(1) + counted(int(m.group(2))) + "/"
                          + counted(int(m.group(3))), line) for line in text.split("\n")]
    return collapse_packages(lines)


def log_lines(data, run):
    if data is None:
        return ["<no log>"]
    text = program_text(data).split("\r\n")
    return normalise("\n".join(t.replace("\r", "<CR>").replace("\n", "<LF>") for t in text), run)


def folder_lines(before, after, known):
    """One line a file: unchanged, as another file is or was, as a content the case knows, or its
    size and digest."""
    lines, is_package = [], lambda p: p.split("/")[-1] in INDEX
    order = sorted(p for p in after if not is_package(p)) + [
        sub + "/" + name for name, sub in PACKAGES if sub + "/" + name in after]
    for p in order + sorted(p for p in after if is_package(p) and p not in order):
        data = after[p]
        same = [q for q in sorted(after) if q < p and after[q] == data]
        was = [q for q in sorted(before) if before[q] == data]
        lines.append(p + ": " + (
            "unchanged" if before.get(p) == data else
            "package bytes" if is_package(p) and data == package_bytes(p.split("/")[-1]) else
            "as %s was" % was[0] if was else "as " + same[0] if same else
            "as " + known[data] if data in known else
            "%d bytes, sha256 %s" % (len(data), hashlib.sha256(data).hexdigest()[:16])))
    return lines


def listings(run, game_after, launcher_after):
    """The game folder's files, and the launcher folder's where the case made one."""
    lines = ["== game folder =="] + folder_lines(run.before, game_after, run.known)
    if run.launcher_before or launcher_after:
        lines += ["== launcher folder =="] + folder_lines(run.launcher_before, launcher_after,
                                                          run.known)
    return lines


# -- running the cases ---------------------------------------------------------------------------


def load_cases(opts):
    return runpy.run_path(opts.cases)["CASES"]


def make_writable(folder):
    for root, dirs, files in os.walk(folder):
        for name in dirs + files:
            path = os.path.join(root, name)
            os.chmod(path, os.stat(path).st_mode | 0o200)


def unmount_under(root):
    """Unmounts the case disks under root, the newest first."""
    with open("/proc/mounts") as f:
        points = [line.split()[1] for line in f]
    for point in reversed(points):
        if point.startswith(root + "/"):
            subprocess.run(["umount", point], check=True)


def mount_disk(run):
    """The game folder moves onto a tmpfs with its files and run.disk bytes to spare."""
    used = sum(-(-len(d) // PAGE) * PAGE for d in snapshot(run.game).values())
    os.rename(run.game, run.game + ".before")
    os.mkdir(run.game)
    mounted = subprocess.run(
        ["mount", "-t", "tmpfs", "-o", "size=%d,mode=755" % (used + run.disk), "tmpfs", run.game],
        stdout=subprocess.PIPE, stderr=subprocess.STDOUT) if os.geteuid() == 0 else None
    if not mounted or mounted.returncode:
        return "cannot mount a tmpfs here: " + (
            "not root" if not mounted else mounted.stdout.decode().strip())
    shutil.copytree(run.game + ".before", run.game, dirs_exist_ok=True)
    shutil.rmtree(run.game + ".before")
    return None


def execute(state, run, work):
    """Runs the case's steps; returns the transcript (not yet normalised)."""
    transcript, script, case_env = [], [], {}
    for kind, step in run.steps + [("end", None)]:
        if kind == "robot":
            script.append(step)
            continue
        if script:
            with open(work + "/robot.txt", "w", encoding="utf-8") as f:
                f.write("\n".join(script) + "\n")
            script = []
            try:
                robot = [run.to_windows(work + "/robot.exe"), run.to_windows(work + "/robot.txt")]
                result = wine(state, robot, case_env, timeout=240,
                              cwd=run.kit, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
                transcript += program_text(result.stdout).splitlines()
                if result.returncode and result.stderr:
                    transcript.append("robot: " + program_text(result.stderr).strip())
            except subprocess.TimeoutExpired:
                transcript.append("bench: the robot did not end")
                kill_wine(state)
        if kind in ("wine", "quiet", "unchecked"):
            args, cwd = step
            code = wine(state, args, case_env if kind == "wine" else None, timeout=120,
                        cwd=cwd or run.kit, stdout=subprocess.DEVNULL,
                        stderr=subprocess.DEVNULL).returncode
            if kind == "wine":
                transcript.append("wine %s -> exit %d" % (" ".join(args), code) + (
                    " (in %s)" % run.to_windows(cwd) if cwd else ""))
            elif code and kind == "quiet":
                transcript.append("bench: wine %s failed (%d)" % (args[0], code))
        elif kind == "env":
            case_env[step[0]] = step[1]
        elif kind == "hand":
            transcript.append("by hand: " + step[0])
            step[1]()
            for folder in (run.case, run.launcher):  # what the player made is the player's
                if os.path.exists(folder):
                    give_to_wine_user(folder)
        elif kind == "decoys":
            loaded = sorted(n for n in os.listdir(run.kit) if n.lower().endswith(".dll.loaded"))
            transcript += ["decoys loaded:" + ("" if loaded else " none")] + [
                "  %s by %s" % (n[:-7], line) for n in loaded
                for line in open(os.path.join(run.kit, n), encoding="utf-8").read().splitlines()]
        elif kind == "listing" and step:
            transcript += ["-- %s --" % run.to_windows(step)] + folder_lines(run.before,
                                                                           snapshot(step),
                                                                           run.known)
        elif kind == "listing":
            transcript += [line.replace("==", "--") for line in
                           listings(run, snapshot(run.game), snapshot(run.launcher))]
    return transcript


def user_documents(drive_c):
    """The Documents folder of the prefix's user, the one beside Public that wineboot made."""
    users = [user for user in os.listdir(drive_c + "/users") if user != "Public"]
    if len(users) != 1:
        raise SystemExit("bench: not one user in the prefix: " + ", ".join(users))
    return os.path.join(drive_c, "users", users[0], "Documents")


def records_cleared():
    """A registry file that deletes every record that the programs read, in both views. Wine's
    64-bit reg import ignores /reg:32, so the 32-bit view's HKLM\\SOFTWARE keys are also named
    by their place in a 64-bit prefix, WOW6432Node."""
    keys = []
    for key in RECORDS:
        hive, path = key.split("\\", 1)
        keys.append("%s\\%s" % (HIVES[hive], path))
        if hive == "HKLM":
            keys.append("%s\\SOFTWARE\\WOW6432Node\\%s" % (HIVES[hive], path.split("\\", 1)[1]))
    return "REGEDIT4\r\n\r\n" + "".join("[-%s]\r\n\r\n" % key for key in keys)


def run_case(opts, state, name, build):
    drive_c = state["prefix"] + "/drive_c"

    def to_windows(p):  # drive C: is the prefix's drive_c, drive Z: the Linux root
        return ("C:\\" + os.path.relpath(p, drive_c) if p.startswith(drive_c + "/")
                else "Z:" + p).replace("/", "\\")

    work = os.path.join(drive_c, "e2e")
    case_dir = os.path.join(work, name)
    unmount_under(work)
    if os.path.exists(case_dir):
        make_writable(case_dir)
        shutil.rmtree(case_dir)
    os.makedirs(case_dir)
    shutil.copyfile(opts.robot, work + "/robot.exe")
    with open(work + "/records.reg", "w", newline="") as f:
        f.write(records_cleared())
    log_path = drive_c + "/Kestrevane.log"
    if os.path.exists(log_path):
        os.remove(log_path)
    run = Run(case_dir, to_windows, [opts.setup_exe, opts.uninstall_exe], user_documents(drive_c),
              state["home"], log_path)
    run.decoy_folder = opts.decoys
    shutil.rmtree(run.launcher, ignore_errors=True)  # a case makes its own, if any
    run.steps.append(("quiet", (["reg", "import", to_windows(work + "/records.reg"), "/reg:32"],
                                None)))
    # Steam's entry as Steam writes it, in the prefix's own view. Wine's reg import deletes in
    # its own view whatever /reg: says, reg delete in the one named (its exit code 1: none there).
    run.steps.append(("unchecked", (["reg", "delete", STEAM_GAME_ENTRY, "/reg:64", "/f"], None)))
    build(run)
    try:
        skip = run.disk is not None and mount_disk(run)
        if skip:
            print("%-44s SKIPPED (%s)" % (name, skip))
            return None
        for folder in [work, run.launcher] + run.home_made:
            if os.path.exists(folder):
                give_to_wine_user(folder)
        run.before, run.launcher_before = snapshot(run.game), snapshot(run.launcher)
        began = time.time()
        transcript = execute(state, run, work)
        elapsed = time.time() - began
        make_writable(case_dir)
        after, launcher_after = snapshot(run.game), snapshot(run.launcher)
    finally:
        if run.documents_moved:
            wine(state, ["reg", "add", USER_SHELL_FOLDERS, "/v", "Personal", "/t", "REG_EXPAND_SZ",
                         "/d", PREFIX_DOCUMENTS, "/f"], stdout=subprocess.DEVNULL,
                 stderr=subprocess.DEVNULL)
        unmount_under(work)
        for made in [run.launcher] + run.home_made:
            if os.path.isdir(made) and not os.path.islink(made):
                shutil.rmtree(made, ignore_errors=True)
            elif os.path.lexists(made):
                os.remove(made)
    log = open(log_path, "rb").read() if os.path.exists(log_path) else None
    got = ["== transcript =="] + normalise("\n".join(transcript), run)
    if not run.invariants:
        if run.log_shown:
            got += ["== log =="] + log_lines(log, run)
        got += normalise("\n".join(listings(run, after, launcher_after)), run)
    problems = [p for p in (check(after) for check in run.invariants) if p]
    golden = os.path.join(os.path.dirname(opts.cases), "golden", name + ".txt")
    if opts.update_golden:
        with open(golden, "w", encoding="utf-8") as f:
            f.write("\n".join(got) + "\n")
    else:
        want = open(golden, encoding="utf-8").read().split("\n")[:-1] \
            if os.path.exists(golden) else ["(no golden file: bench.py --update-golden)"]
        if got != want:
            problems.append("differs from %s (- golden, + this run):\n" % golden + "\n".join(
                difflib.unified_diff(want, got, lineterm="", n=2)).split("\n", 2)[-1])
    print("%-44s %s (%.1f s)" % (name, "FAILED" if problems else "ok", elapsed))
    for p in problems:
        print("    " + p.replace("\n", "\n    "))
    sys.stdout.flush()
    return not problems


def run_cases(opts, names):
    state = load_state(opts)
    if not state or "server_dir" not in state:
        raise SystemExit("bench: not started (bench.py start)")
    cases = load_cases(opts)
    unknown = [n for n in names if n not in cases]
    if unknown:
        raise SystemExit("bench: no such case: " + ", ".join(unknown))
    return [run_case(opts, state, n, cases[n]) for n in names]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build-dir", default=os.path.join(SOURCE, "build", "win32"))
    parser.add_argument("--cases", default=os.path.join(SOURCE, "tests", "e2e", "cases.py"))
    parser.add_argument("--setup-exe")
    parser.add_argument("--uninstall-exe")
    parser.add_argument("--robot")
    parser.add_argument("--state-dir")
    parser.add_argument("--decoys", help="the folder of the decoy DLLs (driver/decoy_dll.c)")
    parser.add_argument("--wine64", action="store_true",
                        help="64-bit Wine, through its own loader and server (64-bit programs)")
    parser.add_argument("--update-golden", action="store_true",
                        help="write the golden files from this run instead of comparing")
    parser.add_argument("command", choices=["list", "start", "stop", "run", "all"])
    parser.add_argument("names", nargs="*", metavar="CASE")
    opts = parser.parse_args()
    build = os.path.abspath(opts.build_dir)
    opts.cases = os.path.abspath(opts.cases)
    opts.setup_exe = opts.setup_exe or os.path.join(build, "Kestrevane6.exe")
    opts.uninstall_exe = opts.uninstall_exe or os.path.join(build, "Uninstall.exe")
    opts.robot = opts.robot or os.path.join(build, "driver", "robot.exe")
    opts.state_dir = opts.state_dir or os.path.join(build, "tests", "e2e", "bench")
    opts.decoys = opts.decoys or os.path.join(build, "driver", "decoys")

    if opts.command == "list":
        print("\n".join(load_cases(opts)))
    elif opts.command == "start":
        start(opts)
    elif opts.command == "stop":
        stop(opts)
    elif opts.command == "run":
        results = run_cases(opts, opts.names) if opts.names else [False]
        sys.exit(1 if False in results else SKIPPED if None in results else 0)
    else:
        began, results = time.time(), []
        try:
            start(opts)
            results = run_cases(opts, opts.names or list(load_cases(opts)))
        finally:
            stop(opts)
        print("%d passed, %d failed, %d skipped" % (results.count(True), results.count(False),
                                                    results.count(None)))
        print("suite time %.1f s" % (time.time() - began))
        sys.exit(0 if results and False not in results else 1)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""The demo: the kit's setup and then its uninstall on the sample game, under Wine.

    run_demo.py --build BUILD [--wine64 BUILD64] [--source SOURCE] [--out OUT] [--auto]

BUILD is the Windows build (its release zip Kestrevane-<version>.zip, made with the sample kit's
placeholder package files, and driver/robot.exe); SOURCE the source tree (sample/,
driver/); OUT, by default SOURCE/build/demo, is made anew on each run. With --wine64, for a
machine that cannot run 32-bit programs, BUILD64 is a 64-bit build of the same sources: its two
programs take the place of the 32-bit ones in the unpacked folder, its robot drives them, and
they run under 64-bit Wine.

The demo does what a player on Linux does. Beside a Wine prefix of its own it lays out the sample
game at <place>/Games/Deus Ex and unpacks the release zip into <place>/Downloads, which gives the
folder Kestrevane-<version>; both are outside the prefix's drive C, so the programs reach them as
Z:\\<place>\\.... The prefix has no registry record of the game, as a Proton prefix has none: the
path pages' folder field comes up empty and the game folder is typed. The setup and then the
uninstall run from the unpacked folder, which is their current directory. Both run inside a
Wine virtual desktop, "Kestrevane", so that every window has its caption even where no window
manager draws one.

- With a usable display ($DISPLAY set and xdpyinfo answers) and without --auto, the desktop opens
  on that display and you click through the pages yourself; the uninstall starts when the setup
  has ended. Wine runs as the user who runs the demo, root included: the unprivileged user the
  tests use could not read the X authority, which is $XAUTHORITY, or ~/.Xauthority when that is
  not set (handed on to Wine, whose $HOME is the demo's own). Where xdpyinfo cannot reach the
  display, for instance under sudo without the user's $XAUTHORITY, the demo runs as with --auto.
  The robot only watches: it saves a screenshot of each page and box as it comes up.
- Without a display, or with --auto, the bench starts a virtual display (Xvfb) and the robot
  clicks through: licence OK, the game folder typed into the empty field and NEXT, the
  completion box OK, Finish; then in the uninstall a wrong folder and NEXT, which meets the
  "Uninstaller Error" box (OK), the right folder, NEXT, and the closing box OK. As root, Wine
  runs as the bench's unprivileged user, as in the tests.

Either way the demo then prints c:\\Kestrevane.log, the three settings that the kit changes in
DeusEx.ini before the setup, after it and after the uninstall, and whether DeusEx.ini is at the
end byte for byte the sample's. The screenshots are PNG files in OUT/screenshots, numbered in
the order in which the pages and boxes came. Everything the demo started (display, wineserver)
is ended on the way out, also after a failure or Ctrl-C, and the prefix is deleted.
"""

import argparse
import os
import re
import shutil
import signal
import stat
import subprocess
import sys
import tempfile
import threading
import time
import types
import zipfile

FOLDER_FIELD = 99  # the characters that the path pages' folder field takes
WORK = "C:\\demo"  # the robot, its scripts and the screenshots as it saves them (BMP)
DESKTOP = ("Kestrevane", "800x600")
ROBOT_TIMEOUT_S = 180
WINE_FONTS = "/usr/share/wine/fonts"
SETTINGS = [("[URL] Class=", "URL", "Class"), ("GameSpeed=", None, "GameSpeed"),
            ("DefaultGame=", None, "DefaultGame")]


def windows_to_unix(drive_c, path):
    assert path[:3].upper() == "C:\\", path
    return os.path.join(drive_c, *path[3:].split("\\"))


def unix_to_z(path):
    """The path as Wine's programs reach it through drive Z:, Wine's view of the Unix root."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class Layout:
    """Where the game and the unpacked kit lie, outside the prefix, in Unix and Windows terms."""

    def __init__(self, place, release_folder):
        self.game_unix = os.path.join(place, "Games", "Deus Ex")
        self.downloads_unix = os.path.join(place, "Downloads")
        self.kit_unix = os.path.join(self.downloads_unix, release_folder)
        self.game, self.kit = unix_to_z(self.game_unix), unix_to_z(self.kit_unix)
        self.wrong_game = self.game + " Old"  # no installation there: the uninstaller refuses it


def release_zip(build):
    """The build's release zip, named after the project's version in its CMake cache."""
    version = None
    with open(os.path.join(build, "CMakeCache.txt")) as cache:
        for line in cache:
            if line.startswith("CMAKE_PROJECT_VERSION:"):
                version = line.split("=", 1)[1].strip()
    zip_path = os.path.join(build, "Kestrevane-%s.zip" % version)
    if not version or not os.path.exists(zip_path):
        raise SystemExit("demo: no release zip in %s (configure it with -DKESTREVANE_PACKAGE_DIR)"
                         % build)
    return zip_path


# -- the two ways of running Wine -------------------------------------------------------------


class Wine:
    """A Wine prefix, the environment and the user that Wine runs with, and the commands that
    run it (bench.WINE32 or bench.WINE64)."""

    def __init__(self, prefix, env, user, commands):
        self.prefix, self.env, self.user, self.commands = prefix, env, user, commands
        self.drive_c = os.path.join(prefix, "drive_c")

    def popen(self, args, **kw):
        return subprocess.Popen([self.commands["wine"]] + args, env=self.env,
                                stdin=subprocess.DEVNULL, **self.user, **kw)

    def run(self, args, timeout=60):
        process = self.popen(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return process.wait(timeout=timeout)

    def kill_all(self):
        subprocess.run([self.commands["wineserver"], "-k"], env=self.env,
                       stdin=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30, **self.user)


def user_x_env():
    """DISPLAY and XAUTHORITY as the user's own X clients find them."""
    env = {"DISPLAY": os.environ.get("DISPLAY", "")}
    authority = os.environ.get("XAUTHORITY") or os.path.expanduser("~/.Xauthority")
    if os.path.exists(authority):
        env["XAUTHORITY"] = authority
    return env


def usable_display():
    x_env = user_x_env()
    if not x_env["DISPLAY"] or not shutil.which("xdpyinfo"):
        return False
    try:
        return subprocess.run(["xdpyinfo"], env=dict(os.environ, **x_env), timeout=10,
                              stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0
    except subprocess.TimeoutExpired:
        return False


class UserDisplay:
    """The user's display; Wine runs as the user in a prefix under OUT/wine."""

    auto = False

    def __init__(self, out, bench, wine64):
        self.bench, self.server, self.server_dir = bench, None, None
        self.root = os.path.join(out, "wine")
        env = {k: v for k, v in os.environ.items() if not k.startswith("WINE")}
        env.update(user_x_env(), HOME=self.root + "/home", WINEPREFIX=self.root + "/prefix",
                   WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
        self.wine = Wine(self.root + "/prefix", env, {}, bench.wine_commands(wine64))

    def start(self):
        os.makedirs(self.wine.prefix)
        os.makedirs(self.wine.env["HOME"])
        self.bench.check_loader(self.wine.commands, {})
        # A server of the demo's own, as the bench has: it is known by its process id, and the
        # folder it makes in /tmp is known too, to go at the end.
        log = self.root + "/wineserver.log"
        self.server = self.bench.start_server(self.wine.commands, self.wine.env, log, {})
        self.server_dir = self.bench.wait_for_server(self.server, self.wine.commands["wineserver"],
                                                     log)
        print("preparing the Wine prefix %s" % self.wine.prefix)
        self.wine.run(["wineboot", "-i"], timeout=180)
        return self.wine

    def give(self, path):
        pass  # Wine runs as the owner of the files

    def stop(self):
        # By the prefix as well: a run that was stopped hard leaves a server known by no other.
        if os.path.isdir(self.wine.prefix):
            self.wine.kill_all()
        if self.server:
            self.bench.end_process(self.server.pid, "wineserver")
            if self.server_dir:
                shutil.rmtree(self.server_dir, ignore_errors=True)
                try:  # the folder around it, made for this server alone
                    os.rmdir(os.path.dirname(self.server_dir))
                except OSError:
                    pass
        shutil.rmtree(self.root, ignore_errors=True)


def reachable_by_anyone(path):
    """True when every folder from / down to path lets any user through."""
    path = os.path.abspath(path)
    while True:
        if not os.stat(path).st_mode & stat.S_IXOTH:
            return False
        parent = os.path.dirname(path)
        if parent == path:
            return True
        path = parent


class VirtualDisplay:
    """The bench's Xvfb, wineserver and prefix; the prefix under OUT when Wine's user can get
    there (as root Wine runs as an unprivileged user)."""

    auto = True

    def __init__(self, out, bench, wine64):
        self.out, self.bench = out, bench
        self.opts = types.SimpleNamespace(state_dir=os.path.join(out, "bench"), wine64=wine64)

    def start(self):
        place = self.out
        if os.geteuid() == 0:
            os.chmod(self.out, 0o755)
            if not reachable_by_anyone(self.out):
                place = None
                print("(the Wine prefix goes to %s: Wine's user %s cannot reach %s)"
                      % (tempfile.gettempdir(), self.bench.WINE_USER, self.out))
        # The bench makes its folder with mkdtemp, which takes its place from here.
        saved, tempfile.tempdir = tempfile.tempdir, place
        try:
            self.bench.start(self.opts)
        finally:
            tempfile.tempdir = saved
        state = self.bench.load_state(self.opts)
        return Wine(state["prefix"], self.bench.wine_env(state), self.bench.as_wine_user(),
                    {"wine": state["wine"], "wineserver": state["wineserver"]})

    def give(self, path):
        self.bench.give_to_wine_user(path)

    def stop(self):
        if self.bench.load_state(self.opts):
            self.bench.stop(self.opts)


# -- the robot's scripts ----------------------------------------------------------------------


def text(value):
    """A text argument as the robot reads it: backslashes are its escapes."""
    return value.replace("\\", "\\\\")


def shot(name):
    return "shot %s\\shots\\%s.bmp" % (WORK, name)


def auto_setup_script(layout):
    return ["start %s\\Kestrevane6.exe" % layout.kit,
            "page 1000", shot("01-setup-licence"), "click 1",
            "page 1002", "text 1002", "set 1002 " + text(layout.game), shot("02-setup-path"),
            "click 1003",
            "page 1013", "peek Installation completed!", shot("03-setup-completion-box"),
            "box OK Installation completed!",
            shot("04-setup-finished"), "click 1006",
            "exit"]


def auto_uninstall_script(layout):
    return ["start %s\\Uninstall.exe" % layout.kit,
            "page 1003", "text 1003", shot("05-uninstall-path"),
            "set 1003 " + text(layout.wrong_game), shot("06-uninstall-wrong-folder"), "click 1002",
            "peek Uninstaller Error", shot("07-uninstall-error-box"), "box OK Uninstaller Error",
            "page 1003", "set 1003 " + text(layout.game), "click 1002",
            "page 1007", "peek Uninstaller", shot("08-uninstall-closing-box"),
            "box OK Uninstaller",
            "exit"]


def watched_script(layout, exe, program):
    return ["start %s\\%s" % (layout.kit, exe), "watch %s\\shots\\%s" % (WORK, program),
            "wait-exit"]


# What each program's run does: the robot clicks through, or watches the user do it.
PROGRAMS = [
    ("setup", auto_setup_script, lambda layout: watched_script(layout, "Kestrevane6.exe", "setup")),
    ("uninstall", auto_uninstall_script,
     lambda layout: watched_script(layout, "Uninstall.exe", "uninstall")),
]


# -- the screenshots --------------------------------------------------------------------------


def slug(text):
    return re.sub(r"[^a-z0-9]+", "-", text.lower()).strip("-") or "untitled"


def watched_name(program, what):
    """A name for what the robot's watch saw: 'page <caption> | <ids>' or a box line."""
    kind, _, rest = what.partition(" ")
    if kind == "page":
        ids = set(rest.rpartition(" | ")[2].split())
        pages = {"setup": [("1000", "licence"), ("1013", "progress"), ("1002", "path")],
                 "uninstall": [("1007", "progress"), ("1003", "path")]}[program]
        return program + "-" + next((name for id_, name in pages if id_ in ids), "page")
    caption = rest.partition(" | ")[0]
    if caption == "Installation completed!":
        return program + "-completion-box"
    if caption == "Uninstaller Error":
        return program + "-error-box"
    if caption == "Uninstaller":
        return program + "-closing-box"
    return program + "-box-" + slug(caption)


class Screenshots:
    def __init__(self, folder):
        self.folder, self.count = folder, 0
        os.makedirs(folder)

    def add(self, bmp, name):
        png = os.path.join(self.folder, name + ".png")
        subprocess.run(["convert", bmp, png], check=True)
        print("  screenshot %s" % os.path.relpath(png))


# -- one run of the robot ---------------------------------------------------------------------


def run_robot(wine, layout, program, script, screenshots, timeout):
    """Runs one script; prints the robot's lines and returns them with its exit code."""
    script_path = windows_to_unix(wine.drive_c, "%s\\%s.txt" % (WORK, program))
    with open(script_path, "w") as f:
        f.write("\r\n".join(script) + "\r\n")
    process = wine.popen([WORK + "\\robot.exe", WORK + "\\%s.txt" % program],
                         cwd=layout.kit_unix, stdout=subprocess.PIPE)
    # A hung run is ended by its server, which ends every program of the prefix.
    timer = threading.Timer(timeout, wine.kill_all) if timeout else None
    if timer:
        timer.start()
    lines = []
    try:
        for raw in process.stdout:
            line = raw.decode("latin-1").rstrip("\r\n")
            lines.append(line)
            if line.startswith("shot "):
                _, path, what = line.split(" ", 2)
                screenshots.count += 1
                screenshots.add(windows_to_unix(wine.drive_c, path), "%02d-%s" % (
                    screenshots.count, watched_name(program, what)))
            else:
                print("  robot: " + line)
        code = process.wait()
    finally:
        if timer:
            timer.cancel()
    shots = windows_to_unix(wine.drive_c, WORK + "\\shots")
    for bmp in sorted(os.listdir(shots)):
        if bmp.endswith(".bmp"):  # the shots that the script named itself
            screenshots.count += 1
            screenshots.add(os.path.join(shots, bmp), bmp[:-4])
            os.remove(os.path.join(shots, bmp))
    return lines, code


def robot_failed(lines, code, auto):
    """What went wrong, or None. An automatic run must find the folder fields empty (there is no
    registry record) and end with the program's exit 0; a user may end a program otherwise."""
    filled = [line for line in lines if re.match(r"text 100[23] \S", line)]
    if filled:
        return "the folder field was not empty: " + filled[0]
    if code != 0:
        trouble = [line for line in lines if line.startswith(("error:", "timeout"))]
        return trouble[0] if trouble else "the robot ended with %d" % code
    if auto and lines[-1:] != ["exit 0"]:
        return "the program did not end with exit 0 (%s)" % (lines[-1] if lines else "no output")
    return None


# -- DeusEx.ini -------------------------------------------------------------------------------


def setting(ini, section, key):
    """The value of the first `key=` line (in `section` if given), None when there is none."""
    current = None
    for line in ini.decode("latin-1").splitlines():
        stripped = line.strip()
        if stripped.startswith("[") and stripped.endswith("]"):
            current = stripped[1:-1]
        elif (section is None or current == section) and stripped.startswith(key + "="):
            return stripped[len(key) + 1:]
    return None


NOT_RUN = object()  # a stage that a failure before it kept from running


def settings_table(stages):
    """stages: (heading, the bytes of DeusEx.ini, None when there was none, or NOT_RUN)."""
    rows = [["DeusEx.ini"] + [heading for heading, _ in stages]]
    for label, section, key in SETTINGS:
        row = [label]
        for _, ini in stages:
            if ini is None or ini is NOT_RUN:
                row.append("(no file)" if ini is None else "(not run)")
            else:
                value = setting(ini, section, key)
                row.append("(none)" if value is None else value)
        rows.append(row)
    widths = [max(len(row[i]) for row in rows) for i in range(len(rows[0]))]
    return "\n".join("  ".join(cell.ljust(w) for cell, w in zip(row, widths)).rstrip()
                     for row in rows)


def read_or_none(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError:
        return None


# -- the demo ---------------------------------------------------------------------------------


def use_virtual_desktop(wine):
    """Every program of the prefix on one Wine desktop: its windows get Wine's own frames and
    captions, with or without a window manager, and stay together in one window."""
    name, size = DESKTOP
    wine.run(["reg", "add", "HKCU\\Software\\Wine\\Explorer", "/v", "Desktop", "/d", name, "/f"])
    wine.run(["reg", "add", "HKCU\\Software\\Wine\\Explorer\\Desktops", "/v", name, "/d", size,
              "/f"])


def unpack(zip_path, folder):
    """Unpacks the release zip as a player does; returns the one folder it must unpack into."""
    with zipfile.ZipFile(zip_path) as archive:
        tops = {name.split("/")[0] for name in archive.namelist()}
        if len(tops) != 1:
            raise SystemExit("demo: %s does not unpack into one folder: %s"
                             % (zip_path, ", ".join(sorted(tops))))
        archive.extractall(folder)
    return tops.pop()


def lay_out(wine, opts, give):
    zip_path = release_zip(opts.build)
    place = os.path.dirname(wine.prefix)  # beside the prefix: reachable by Wine's user
    downloads = os.path.join(place, "Downloads")
    layout = Layout(place, unpack(zip_path, downloads))
    if len(layout.game) > FOLDER_FIELD:
        raise SystemExit("demo: %s is longer than the folder field's %d characters"
                         % (layout.game, FOLDER_FIELD))
    shutil.copytree(os.path.join(opts.source, "sample", "game"), layout.game_unix)
    print("the sample game: %s\nthe unpacked %s: %s"
          % (layout.game, os.path.basename(zip_path), layout.kit))
    if opts.wine64:
        for exe in ("Kestrevane6.exe", "Uninstall.exe"):
            shutil.copyfile(os.path.join(opts.wine64, exe), os.path.join(layout.kit_unix, exe))
        print("for 64-bit Wine, the 64-bit Kestrevane6.exe and Uninstall.exe of %s in place of"
              " the zip's" % os.path.relpath(opts.wine64))
    work = windows_to_unix(wine.drive_c, WORK)
    os.makedirs(os.path.join(work, "shots", "setup"))
    os.makedirs(os.path.join(work, "shots", "uninstall"))
    shutil.copyfile(os.path.join(opts.wine64 or opts.build, "driver", "robot.exe"),
                    os.path.join(work, "robot.exe"))
    for folder in (os.path.dirname(layout.game_unix), downloads, work):
        give(folder)
    # Wine's own fonts (Debian's fonts-wine), where this Wine looks for them: without Marlett a
    # caption's close box shows a letter.
    fonts = os.path.join(wine.drive_c, "windows", "Fonts")
    for name in sorted(os.listdir(WINE_FONTS)) if os.path.isdir(WINE_FONTS) else []:
        if not os.path.exists(os.path.join(fonts, name)):
            shutil.copyfile(os.path.join(WINE_FONTS, name), os.path.join(fonts, name))
            give(os.path.join(fonts, name))
    return layout


def run(opts, display):
    began = time.time()
    wine = display.start()
    use_virtual_desktop(wine)
    layout = lay_out(wine, opts, display.give)
    ini_path = os.path.join(layout.game_unix, "System", "DeusEx.ini")
    with open(os.path.join(opts.source, "sample", "game", "System", "DeusEx.ini"), "rb") as f:
        inis = [("before setup", f.read())]
    screenshots = Screenshots(os.path.join(opts.out, "screenshots"))
    if not display.auto:
        print("\nThe pages come up on your display, in the window \"Kestrevane - Wine desktop\"."
              "\nClick through the setup; its folder field is empty (this prefix has no registry"
              "\nrecord of the game): type %s there. The uninstall follows when the"
              "\nsetup has ended (try a wrong folder there first: the uninstaller refuses it)."
              % layout.game)
    failure = None
    for program, auto_script, watched in PROGRAMS:
        if failure:
            break
        print("\n%s:" % program)
        script = (auto_script if display.auto else watched)(layout)
        lines, code = run_robot(wine, layout, program, script, screenshots,
                                ROBOT_TIMEOUT_S if display.auto else None)
        failure = robot_failed(lines, code, display.auto)
        inis.append(("after " + program, read_or_none(ini_path)))

    log = read_or_none(os.path.join(wine.drive_c, "Kestrevane.log"))
    print("\nc:\\Kestrevane.log:")
    if log is None:
        print("  (there is no log)")
    else:
        print(log.decode("cp1252", errors="replace").replace("\r\n", "\n").rstrip("\n"))
    print()
    print(settings_table(inis + [("after " + p, NOT_RUN) for p, _, _ in PROGRAMS[len(inis) - 1:]]))
    identical = len(inis) == 1 + len(PROGRAMS) and inis[-1][1] == inis[0][1]
    if len(inis) < 1 + len(PROGRAMS):
        print("\nThe uninstall did not run.")
    else:
        print("\nDeusEx.ini after the uninstall is %s the sample's."
              % ("byte for byte" if identical else "NOT byte for byte"))
    print("screenshots: %s (%d)" % (os.path.relpath(screenshots.folder), screenshots.count))
    print("demo time %.1f s" % (time.time() - began))
    if failure:
        print("demo FAILED: " + failure)
        return 1
    return 0 if identical or not display.auto else 1


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", required=True, help="the Windows build folder")
    parser.add_argument("--wine64", metavar="BUILD64",
                        help="a 64-bit build whose programs run under 64-bit Wine instead")
    parser.add_argument("--source", default=os.path.dirname(here), help="the source tree")
    parser.add_argument("--out", help="the demo's folder, made anew (SOURCE/build/demo)")
    parser.add_argument("--auto", action="store_true",
                        help="drive the pages on a virtual display even with a display at hand")
    opts = parser.parse_args()
    opts.build, opts.source = os.path.abspath(opts.build), os.path.abspath(opts.source)
    opts.wine64 = opts.wine64 and os.path.abspath(opts.wine64)
    opts.out = os.path.abspath(opts.out or os.path.join(opts.source, "build", "demo"))

    sys.dont_write_bytecode = True  # nothing written into the source tree
    sys.path.insert(0, os.path.join(opts.source, "driver"))
    import bench

    # What an earlier run left, if it was stopped hard: its processes first, then its files.
    VirtualDisplay(opts.out, bench, opts.wine64).stop()
    UserDisplay(opts.out, bench, opts.wine64).stop()
    shutil.rmtree(opts.out, ignore_errors=True)
    os.makedirs(opts.out)

    interactive = not opts.auto and usable_display()
    display = (UserDisplay if interactive else VirtualDisplay)(opts.out, bench, opts.wine64)
    print("demo: %s" % ("on your display %s" % os.environ["DISPLAY"] if interactive
                        else "driven by the robot on a virtual display"))
    # A kill ends the demo as Ctrl-C does, through the clean-up below.
    signal.signal(signal.SIGTERM, signal.default_int_handler)
    try:
        status = run(opts, display)
    except KeyboardInterrupt:
        print("\ndemo interrupted")
        status = 130
    finally:
        display.stop()
    sys.exit(status)


if __name__ == "__main__":
    main()

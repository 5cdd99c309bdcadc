#!/usr/bin/env python3
"""End-to-end bench: the kit's two programs under Wine, driven by the robot.

    bench.py [options] list          the names of all cases
    bench.py [options] start         a display, a Wine prefix and a persistent wineserver
    bench.py [options] run CASE...   cases on the started bench
    bench.py [options] stop          ends what start started, by process id, and cleans up
    bench.py [options] all [CASE...] start, the cases (all by default), stop

Each case gets a fresh game folder and kit folder on the prefix's drive C, runs the robot with
the kit folder as current directory, and compares the robot's transcript, the bytes of
c:\\Kestrevane.log and every file of the game folder with what it expects.
"""

import argparse
import difflib
import json
import os
import resource
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True  # nothing written into the source tree

import kit  # noqa: E402

WINE_USER = "nobody"  # Wine ignores read-only files for root: as root the programs run as this


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


def wine_env(state):
    env = {k: v for k, v in os.environ.items() if not k.startswith("WINE")}
    env.update(
        HOME=state["home"],
        WINEPREFIX=state["prefix"],
        DISPLAY=":%d" % state["display"],
        WINEDEBUG="-all",
        WINEDLLOVERRIDES="mscoree,mshtml=",
    )
    return env


def wine(state, args, file_size_limit=None, **kw):
    def limit_file_size():
        # As on a full disk: a write past the limit fails instead of ending the process.
        signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
        resource.setrlimit(resource.RLIMIT_FSIZE, (file_size_limit, file_size_limit))

    return subprocess.run(
        ["wine"] + args,
        env=wine_env(state),
        stdin=subprocess.DEVNULL,
        preexec_fn=limit_file_size if file_size_limit else None,
        **as_wine_user(),
        **kw,
    )


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
    root = tempfile.mkdtemp(prefix="kestrevane-e2e-")
    os.chmod(root, 0o755)
    state = {"root": root, "prefix": root + "/prefix", "home": root + "/home"}
    for d in (state["prefix"], state["home"]):
        os.mkdir(d)
        give_to_wine_user(d)
    save_state(opts, state)  # from here on stop can clean up, also after a failed start

    # A display of our own: Xvfb picks a free number and writes it to the pipe.
    read_end, write_end = os.pipe()
    with open(root + "/xvfb.log", "wb") as log:
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp", "-screen", "0",
             "800x600x24"],
            pass_fds=[write_end], stdin=subprocess.DEVNULL, stdout=log, stderr=log,
            start_new_session=True,
        )
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
        raise SystemExit("bench: Xvfb did not start (%s/xvfb.log)" % root)
    state["display"] = int(number)
    save_state(opts, state)

    # A persistent wineserver: the cases do not pay for a server start each.
    server = subprocess.Popen(
        ["wineserver", "-f", "-p"], env=wine_env(state), stdin=subprocess.DEVNULL,
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True,
        **as_wine_user(),
    )
    state["wineserver_pid"] = server.pid
    save_state(opts, state)
    state["server_dir"] = wait_for_server(server)
    save_state(opts, state)

    quiet = {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}
    wine(state, ["wineboot", "-i"], timeout=180, **quiet)
    # Unmanaged windows: otherwise Wine waits for a window manager whenever a window hides.
    key = "HKCU\\Software\\Wine\\X11 Driver"
    wine(state, ["reg", "add", key, "/v", "Managed", "/d", "N", "/f"], timeout=60, **quiet)
    print("bench started: display :%d, prefix %s" % (state["display"], state["prefix"]))


def wait_for_server(server):
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
    raise SystemExit("bench: the wineserver did not start")


def stop(opts):
    state = load_state(opts)
    if not state:
        print("bench: nothing to stop")
        return
    if "wineserver_pid" in state:
        subprocess.run(["wineserver", "-k"], env=wine_env(state), timeout=30,
                       stdin=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **as_wine_user())
    end_process(state.get("wineserver_pid"), "wineserver")
    end_process(state.get("xvfb_pid"), "Xvfb")
    if state.get("server_dir"):
        shutil.rmtree(state["server_dir"], ignore_errors=True)
        try:  # the folder around it, when that was made for this server alone
            os.rmdir(os.path.dirname(state["server_dir"]))
        except OSError:
            pass
    shutil.rmtree(state["root"], ignore_errors=True)
    os.remove(os.path.join(opts.state_dir, "bench.json"))
    print("bench stopped")


# -- the cases --------------------------------------------------------------------------------


def all_cases():
    import setup_cases
    import uninstall_cases

    cases = setup_cases.CASES + uninstall_cases.CASES
    assert len({c.name for c in cases}) == len(cases), "case names must be unique"
    return cases


def make_writable(folder):
    for root, dirs, files in os.walk(folder):
        for name in dirs + files:
            path = os.path.join(root, name)
            os.chmod(path, os.stat(path).st_mode | 0o200)


def run_case(opts, state, case):
    drive_c = state["prefix"] + "/drive_c"
    to_windows = lambda p: "C:\\" + os.path.relpath(p, drive_c).replace("/", "\\")  # noqa: E731
    case_dir = os.path.join(drive_c, "e2e", case.name)
    if os.path.exists(case_dir):
        make_writable(case_dir)
        shutil.rmtree(case_dir)
    os.makedirs(case_dir)
    robot = os.path.join(drive_c, "e2e", "robot.exe")
    shutil.copyfile(opts.robot, robot)
    log_path = drive_c + "/Kestrevane.log"
    if os.path.exists(log_path):
        os.remove(log_path)

    try:
        run = kit.Run(case_dir, drive_c, to_windows, opts.source_dir,
                      [opts.setup_exe, opts.uninstall_exe])
        case.build(run)
    except Exception:
        import traceback

        print("%-46s FAILED (the case could not be prepared)" % case.name)
        traceback.print_exc(file=sys.stdout)
        return False
    with open(case_dir + "/robot.txt", "w") as f:
        f.write("\n".join(run.script()) + "\n")
    give_to_wine_user(os.path.join(drive_c, "e2e"))
    if os.path.exists(log_path):
        give_to_wine_user(log_path)
    run.freeze()

    began = time.time()
    try:
        result = wine(state, [to_windows(robot), to_windows(case_dir + "/robot.txt")],
                      file_size_limit=run.file_size_limit, timeout=150, cwd=run.kit,
                      stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        transcript = result.stdout.decode("latin-1").splitlines()
        robot_failed = result.returncode != 0 and result.stderr.decode("latin-1")
    except subprocess.TimeoutExpired:
        transcript, robot_failed = ["bench: the robot did not end"], False
        subprocess.run(["wineserver", "-k"], env=wine_env(state), **as_wine_user())
    elapsed = time.time() - began
    make_writable(case_dir)

    problems = []
    expected = run.expected_transcript()
    if transcript != expected:
        diff = difflib.unified_diff(expected, transcript, "expected", "actual", lineterm="", n=2)
        problems.append("transcript differs:\n" + "\n".join(diff))
    elif robot_failed:
        problems.append("robot: " + robot_failed)
    log = open(log_path, "rb").read() if os.path.exists(log_path) else None
    problems += kit.compare_log(run.expected_log(), log)
    problems += compare_folder(run.expected_game(), kit.snapshot(run.game))

    print("%-46s %s (%.1f s)" % (case.name, "FAILED" if problems else "ok", elapsed))
    for p in problems:
        print("    " + p.replace("\n", "\n    "))
    sys.stdout.flush()
    return not problems


def compare_folder(expected, actual):
    problems = []
    for name in sorted(set(expected) | set(actual)):
        if name not in actual:
            problems.append("game folder: %s missing" % name)
        elif name not in expected:
            problems.append("game folder: %s should not be there" % name)
        elif expected[name] != actual[name]:
            problems.append("game folder: %s differs:\n  expected %r\n  actual   %r"
                            % (name, expected[name][:400], actual[name][:400]))
    return problems


def run_cases(opts, names):
    state = load_state(opts)
    if not state or "server_dir" not in state:
        raise SystemExit("bench: not started (bench.py start)")
    cases = {c.name: c for c in all_cases()}
    unknown = [n for n in names if n not in cases]
    if unknown:
        raise SystemExit("bench: no such case: " + ", ".join(unknown))
    return [run_case(opts, state, cases[n]) for n in names]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build-dir", default=os.path.join(HERE, "..", "..", "build-e2e"))
    parser.add_argument("--source-dir", default=os.path.join(HERE, "..", ".."))
    parser.add_argument("--setup-exe")
    parser.add_argument("--uninstall-exe")
    parser.add_argument("--robot")
    parser.add_argument("--state-dir")
    parser.add_argument("command", choices=["list", "start", "stop", "run", "all"])
    parser.add_argument("cases", nargs="*")
    opts = parser.parse_args()
    build = os.path.abspath(opts.build_dir)
    opts.source_dir = os.path.abspath(opts.source_dir)
    opts.setup_exe = opts.setup_exe or os.path.join(build, "Kestrevane6.exe")
    opts.uninstall_exe = opts.uninstall_exe or os.path.join(build, "Uninstall.exe")
    opts.robot = opts.robot or os.path.join(build, "tests", "robot", "robot.exe")
    opts.state_dir = opts.state_dir or os.path.join(build, "tests", "e2e", "bench")

    if opts.command == "list":
        print("\n".join(case.name for case in all_cases()))
    elif opts.command == "start":
        start(opts)
    elif opts.command == "stop":
        stop(opts)
    elif opts.command == "run":
        sys.exit(0 if opts.cases and all(run_cases(opts, opts.cases)) else 1)
    else:
        began, results = time.time(), []
        try:
            start(opts)
            results = run_cases(opts, opts.cases or [c.name for c in all_cases()])
        finally:
            stop(opts)
        print("%d passed, %d failed" % (results.count(True), results.count(False)))
        print("suite time %.1f s" % (time.time() - began))
        sys.exit(0 if results and all(results) else 1)


if __name__ == "__main__":
    main()

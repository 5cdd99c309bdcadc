#!/usr/bin/env python3
"""Speed bench: what an unattended setup and uninstall of the kit cost under Wine, held against the
least that copying the same package files in and deleting them again costs.

    speed_bench.py [--wine64] [--build-dir DIR] [--setup-exe EXE] [--uninstall-exe EXE]
                   [--pairs N] [--megabytes M]

It makes package files of about M megabytes in all (300 by default) in a temporary folder, lays
the sample game out beside them, and in one Wine prefix (display and wineserver as driver/bench.py
starts them) runs N pairs (5 by default, at least 5) of, in alternating order:

    kit   Kestrevane6.exe /S /D=<game>, then Uninstall.exe /S /D=<game>
    copy  copy_bench.exe <kit> <game>: CopyFileA of each package file in, DeleteFileA of each out

after one untimed pair that warms the caches. It prints the median wall time and CPU time (user
and system time of the programs' processes; the wineserver's is not counted, for either) of each,
the kit's over the copy's, and the kit's peak memory (the largest resident set of its programs).
It measures and never judges: a run that does not end with exit code 0 is reported and makes the
exit code 1. The temporary folder is removed at the end.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(HERE)
sys.path.insert(0, HERE)
import bench  # noqa: E402  (the display, prefix and wineserver of the Wine cases)

def make_packages(kit, names, megabytes):
    """Package files of megabytes MiB in all, of bytes that do not compress."""
    size = megabytes * 2**20 // len(names)
    for name in names:
        with open(os.path.join(kit, name), "wb") as f:
            left = size
            while left:
                chunk = min(left, 2**20)
                f.write(os.urandom(chunk))
                left -= chunk


def run_timed(state, args, cwd):
    """Runs one Windows program; returns its exit code, wall time, CPU time and peak memory."""
    began = time.perf_counter()
    process = subprocess.Popen([state["wine"]] + args, env=bench.wine_env(state), cwd=cwd,
                               stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, **bench.as_wine_user())
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - began
    process.returncode = os.waitstatus_to_exitcode(status)  # reaped here, not by Popen
    return process.returncode, wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss


def windows_path(path):
    return "Z:" + path.replace("/", "\\")  # drive Z: is the Linux root


def measure(state, kit, game, kind):
    """One timed run of the kit (setup, then uninstall) or of the copy program."""
    if kind == "kit":
        runs = [run_timed(state, [windows_path(kit + "/" + program), "/S",
                                  "/D=" + windows_path(game)], kit)
                for program in ("Kestrevane6.exe", "Uninstall.exe")]
    else:
        runs = [run_timed(state, [windows_path(kit + "/copy_bench.exe"), windows_path(kit),
                                  windows_path(game)], kit)]
    return {"codes": [r[0] for r in runs], "wall": sum(r[1] for r in runs),
            "cpu": sum(r[2] for r in runs), "memory": max(r[3] for r in runs)}


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build-dir", default=os.path.join(SOURCE, "build", "win32"))
    parser.add_argument("--setup-exe")
    parser.add_argument("--uninstall-exe")
    parser.add_argument("--wine64", action="store_true",
                        help="64-bit Wine, through its own loader and server (64-bit programs)")
    parser.add_argument("--pairs", type=int, default=5)
    parser.add_argument("--megabytes", type=int, default=300)
    opts = parser.parse_args()
    if opts.pairs < 5:
        parser.error("at least 5 pairs")
    build = os.path.abspath(opts.build_dir)
    programs = {"Kestrevane6.exe": opts.setup_exe or os.path.join(build, "Kestrevane6.exe"),
                "Uninstall.exe": opts.uninstall_exe or os.path.join(build, "Uninstall.exe"),
                "copy_bench.exe": os.path.join(build, "driver", "copy_bench.exe")}
    opts.robot = os.path.join(build, "driver", "robot.exe")  # keeps Wine's desktop between runs
    for path in list(programs.values()) + [opts.robot]:
        if not os.path.isfile(path):
            raise SystemExit("speed bench: %s is not built" % path)

    opts.state_dir = tempfile.mkdtemp(prefix="kestrevane-speed-")
    results, failed = {"kit": [], "copy": []}, False
    try:
        bench.start(opts)
        state = bench.load_state(opts)
        kit, game = state["root"] + "/kit", state["root"] + "/game"
        os.mkdir(kit)
        for name, path in programs.items():
            shutil.copyfile(path, os.path.join(kit, name))
        names = [name for name, _ in bench.PACKAGES]
        make_packages(kit, names, opts.megabytes)
        shutil.copytree(os.path.join(SOURCE, "sample", "game"), game)
        bench.give_to_wine_user(kit)
        bench.give_to_wine_user(game)
        print("speed bench: %d package files, %d MB in all, %d-bit Wine, %d pairs"
              % (len(names), opts.megabytes, 64 if opts.wine64 else 32, opts.pairs))
        for pair in range(opts.pairs + 1):  # the first pair warms the caches and is not counted
            order = ("kit", "copy") if pair % 2 == 0 else ("copy", "kit")
            for kind in order:
                run = measure(state, kit, game, kind)
                if any(run["codes"]):
                    failed = True
                    print("  %s run %d: exit codes %s" % (kind, pair, run["codes"]))
                if pair > 0:
                    results[kind].append(run)
                    print("  %-4s %6.2f s wall %6.2f s CPU" % (kind, run["wall"], run["cpu"]))
    finally:
        bench.stop(opts)
        shutil.rmtree(opts.state_dir, ignore_errors=True)

    median = {kind: {what: statistics.median(r[what] for r in runs) for what in ("wall", "cpu")}
              for kind, runs in results.items()}
    print("median         wall (s)   CPU (s)")
    for kind, label in (("kit", "kit"), ("copy", "copy")):
        print("%-14s %8.2f %9.2f" % (label, median[kind]["wall"], median[kind]["cpu"]))
    print("kit / copy     %8.2f %9.2f" % tuple(
        median["kit"][what] / median["copy"][what] if median["copy"][what] else float("nan")
        for what in ("wall", "cpu")))
    print("kit peak memory: %.1f MB" % (max(r["memory"] for r in results["kit"]) / 1024))
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()

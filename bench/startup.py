#!/usr/bin/env python3
"""Start-up time and peak memory of a Velmora window against a bare Qt window.

Under Xvfb with the openbox window manager, starts the program's start-up twin and the bare
window alternately, RUNS times each after one warm-up run, and takes for each run the time from
process start to the window's first expose (the twin prints the clock there and quits) and the
peak resident memory. Prints the medians and the ratios program/bare, and exits 1 when the
start-up ratio exceeds LIMIT (1.10 unless given), or the memory ratio exceeds 1.10 when no LIMIT
is given.

Usage: startup.py STARTUP_PROBE BARE_WINDOW [RUNS [LIMIT]]
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

LIMIT = 1.10


def start_display(workdir):
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
        pass_fds=(write_fd,), stderr=subprocess.DEVNULL)
    os.close(write_fd)
    with os.fdopen(read_fd) as f:
        display = ":" + f.readline().strip()
    env = dict(os.environ, DISPLAY=display, XDG_RUNTIME_DIR=workdir, LC_ALL="C.UTF-8")
    env.pop("WAYLAND_DISPLAY", None)
    env.pop("QT_QPA_PLATFORM", None)
    ready = os.path.join(workdir, "wm-ready")
    wm = subprocess.Popen(["openbox", "--startup", f"touch {ready}"], env=env,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(200):
        if os.path.exists(ready):
            break
        time.sleep(0.05)
    else:
        sys.exit("openbox did not start")
    return env, [wm, xvfb]


def run_once(program, env):
    """Milliseconds from process start to the first expose and to the end of the first paint,
    and peak resident memory in MiB."""
    start = time.monotonic_ns()
    proc = subprocess.Popen([program], env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    out = proc.stdout.read()
    _, status, usage = os.wait4(proc.pid, 0)
    proc.returncode = os.waitstatus_to_exitcode(status)
    if proc.returncode != 0 or not out.strip():
        sys.exit(f"{program} failed (exit {proc.returncode})")
    exposed, painted = (int(t) for t in out.split())
    return (exposed - start) / 1e6, (painted - start) / 1e6, usage.ru_maxrss / 1024


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    probe, bare = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 15
    # A window of more widgets than the calculator's is held to its own start-up limit; its
    # memory is reported, not judged.
    limit = float(sys.argv[4]) if len(sys.argv) > 4 else LIMIT
    checks = (("start-up", limit),) if len(sys.argv) > 4 else (("start-up", LIMIT), ("memory", LIMIT))
    name = os.path.basename(probe)
    with tempfile.TemporaryDirectory() as workdir:
        env, servers = start_display(workdir)
        try:
            results = {probe: [], bare: []}
            run_once(probe, env)  # warm the font and file caches for both
            run_once(bare, env)
            for i in range(runs):
                # Alternate which goes first, so that neither always follows the other.
                for program in (probe, bare) if i % 2 == 0 else (bare, probe):
                    results[program].append(run_once(program, env))
        finally:
            for server in servers:
                server.terminate()
                server.wait()

    def median(program, index):
        return statistics.median(r[index] for r in results[program])

    expose_ratio = median(probe, 0) / median(bare, 0)
    time_ratio = median(probe, 1) / median(bare, 1)
    memory_ratio = median(probe, 2) / median(bare, 2)
    print(f"runs each: {runs}")
    print(f"{name}:")
    print(f"start-up to first expose, median: program {median(probe, 0):.1f} ms, "
          f"bare window {median(bare, 0):.1f} ms, ratio {expose_ratio:.3f}")
    print(f"start-up to first paint, median:  program {median(probe, 1):.1f} ms, "
          f"bare window {median(bare, 1):.1f} ms, ratio {time_ratio:.3f}")
    print(f"peak resident memory, median:     program {median(probe, 2):.1f} MiB, "
          f"bare window {median(bare, 2):.1f} MiB, ratio {memory_ratio:.3f}")
    ratios = {"start-up": time_ratio, "memory": memory_ratio}
    failed = [f"{what} above {most:.2f}" for what, most in checks if ratios[what] > most]
    if failed:
        print(f"FAIL: {' and '.join(failed)} times the bare window")
        return 1
    print("within " + " and ".join(f"{most:.2f} ({what})" for what, most in checks)
          + " times the bare window")
    return 0


if __name__ == "__main__":
    sys.exit(main())

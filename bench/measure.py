"""Measures the program beside a bare Win32 window program and prints a
table. Called by bench/run, which builds everything and provides Wine and a display."""
import argparse
import glob
import os
import shutil
import statistics
import subprocess
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WINE = os.environ.get("WINE", "/usr/lib/wine/wine64")
CLK_TCK = os.sysconf("SC_CLK_TCK")
rows = []


def row(name, values, unit, goal=""):
    values = [v for v in values if v is not None]
    if not values:
        rows.append((name, "-", "-", "-", unit, goal))
        return
    fmt = (lambda v: f"{v:.1f}") if any(isinstance(v, float) for v in values) else str
    rows.append((name, fmt(min(values)), fmt(statistics.median(values)), fmt(max(values)), unit, goal))


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def fresh_copy(exe):
    directory = tempfile.mkdtemp(prefix="sutremo-bench-")
    target = os.path.join(directory, os.path.basename(exe))
    shutil.copy(exe, target)
    return directory, target


def probe(exe, caption, mode=None):
    """Start-up time and working set of a program under Wine; with mode it stays running."""
    directory, target = fresh_copy(exe)
    args = [WINE, os.path.join(ROOT, "build/win64/probe.exe"), windows_path(target), caption]
    if mode:
        args.append(mode)
    # Output through a file: a program left running would hold a pipe open.
    with tempfile.TemporaryFile(mode="w+") as out_file:
        subprocess.run(args, stdout=out_file, stderr=subprocess.DEVNULL, timeout=60)
        out_file.seek(0)
        out = out_file.read()
    fields = dict(part.split("=") for part in out.split() if "=" in part)
    return directory, float(fields["startup_ms"]), int(fields["working_set_kb"])


def linux_pid(name):
    pids = subprocess.run(["pgrep", "-n", "-f", name], capture_output=True, text=True).stdout.split()
    return int(pids[0]) if pids else None


def cpu_and_switches(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    cpu = (int(fields[11]) + int(fields[12])) / CLK_TCK
    switches = 0
    for status in glob.glob(f"/proc/{pid}/task/*/status"):
        with open(status) as f:
            for line in f:
                if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                    switches += int(line.split()[1])
    return cpu, switches


def idle_cost(pid, seconds):
    cpu0, sw0 = cpu_and_switches(pid)
    time.sleep(seconds)
    cpu1, sw1 = cpu_and_switches(pid)
    return (cpu1 - cpu0) * 1000.0, sw1 - sw0


def kill_wine_program(name):
    subprocess.run(["pkill", "-f", name])
    time.sleep(1)


def sizes():
    for label, path in [("size: Sutremo.exe (win32, shipped)", "build/win32/Sutremo.exe"),
                        ("size: Sutremo.exe (win64)", "build/win64/Sutremo.exe"),
                        ("size: bare window (win32)", "build/win32/bare_window.exe"),
                        ("size: bare window (win64)", "build/win64/bare_window.exe")]:
        goal = "<= 262144" if "shipped" in label else ""
        row(label, [os.path.getsize(os.path.join(ROOT, path))], "bytes", goal)


def startup(runs):
    results = {"Sutremo": [], "bare": []}
    for _ in range(runs):
        for key, exe, caption in [("Sutremo", "build/win64/Sutremo.exe", "OrvandelSutremov1.0"),
                                  ("bare", "build/win64/bare_window.exe", "BareWindow")]:
            directory, ms, ws = probe(os.path.join(ROOT, exe), caption)
            results[key].append((ms, ws))
            shutil.rmtree(directory, ignore_errors=True)
    for key in results:
        row(f"start-up to visible: {key}", [r[0] for r in results[key]], "ms")
    row("start-up ratio Sutremo / bare", [a[0] / b[0] for a, b in zip(results["Sutremo"], results["bare"])],
        "x", "<= 1.1")
    for key in results:
        row(f"working set at 5 s: {key}", [r[1] for r in results[key]], "KiB")
    row("working set ratio Sutremo / bare",
        [a[1] / b[1] for a, b in zip(results["Sutremo"], results["bare"])], "x", "<= 1.1")


IDLE_PROGRAMS = [
    # (row label, executable, caption, probe mode)
    ("Sutremo shown (clock ticking), switched off", "build/win64/Sutremo.exe", "OrvandelSutremov1.0", "--keep"),
    ("Sutremo in the tray, switched off", "build/win64/Sutremo.exe", "OrvandelSutremov1.0", "--tray"),
    ("Sutremo in the tray, switched on, set time hours away", "build/win64/Sutremo.exe",
     "OrvandelSutremov1.0", "--arm"),
    ("bare", "build/win64/bare_window.exe", "BareWindow", "--keep"),
    ("bare with two 1 s timers", "build/win64/bare_timers.exe", "BareWindow", "--keep"),
]


def idle(runs, seconds):
    results = {key: [] for key, _, _, _ in IDLE_PROGRAMS}
    for _ in range(runs):
        for key, exe, caption, mode in IDLE_PROGRAMS:
            directory, _, _ = probe(os.path.join(ROOT, exe), caption, mode)
            # The fresh directory's name is unique: no other copy of the program matches it.
            name = os.path.basename(directory)
            pid = linux_pid(name)
            time.sleep(2)  # what the probe posted (a close, a switch-on) is done
            try:
                results[key].append(idle_cost(pid, seconds) if pid else (None, None))
            except FileNotFoundError:  # the program ended during the measurement
                results[key].append((None, None))
            kill_wine_program(name)
            shutil.rmtree(directory, ignore_errors=True)
    for key in results:
        # In the tray the goal is at most 2 wake-ups a minute: a few switches each under Wine.
        goal = "~bare" if "in the tray" in key else ""
        row(f"idle CPU over {seconds} s: {key}", [r[0] for r in results[key]], "ms")
        row(f"idle context switches over {seconds} s: {key}", [r[1] for r in results[key]], "count",
            goal)
    floor = results["bare with two 1 s timers"]
    for key in [k for k, _, _, _ in IDLE_PROGRAMS if k.startswith("Sutremo")]:
        row(f"idle switches ratio to the two-timer floor: {key}",
            [a[1] / b[1] for a, b in zip(results[key], floor) if a[1] is not None and b[1]], "x")


def firing_delay(runs):
    """Milliseconds from the set second to the recorded power request (recording program)."""
    exe = os.path.join(ROOT, "build/win64/firing_delay_bench.exe")
    with tempfile.TemporaryFile(mode="w+") as out_file:
        subprocess.run([WINE, exe, os.path.join(ROOT, "build/win64/Sutremo.exe"), str(runs)],
                       stdout=out_file, stderr=subprocess.DEVNULL, timeout=120 * runs)
        out_file.seek(0)
        lines = out_file.read().splitlines()
    values = [float(line.split(":")[1].split()[0]) for line in lines
              if line.startswith("run ") and line.endswith(" ms")]
    row("firing delay after the set second", values, "ms", "tens of ms")


def save_time(runs):
    """One save of close.ini on the real file layer: small and 100 MB, every key or one changed."""
    exe = os.path.join(ROOT, "build/win64/save_time.exe")
    for label, megabytes in [("small close.ini", 0), ("100 MB close.ini", 100)]:
        for change in ("all", "one"):
            # Each size and change in a fresh process and directory: its own peak memory.
            directory = tempfile.mkdtemp(prefix="sutremo-save-")
            with tempfile.TemporaryFile(mode="w+") as out_file:
                subprocess.run([WINE, exe, windows_path(directory), str(megabytes),
                                str(runs if megabytes == 0 else max(2, runs // 2)), change],
                               stdout=out_file, stderr=subprocess.DEVNULL, timeout=3600)
                out_file.seek(0)
                out = out_file.read()
            shutil.rmtree(directory, ignore_errors=True)
            fields = dict(part.split("=") for part in out.split() if "=" in part)
            what = "every key changed" if change == "all" else "one key changed"
            times = [float(v) for v in fields.get("save_ms", "").split(",") if v]
            row(f"save, {label}, {what}", times, "ms")
            peak = int(fields["peak_working_set_kb"]) if "peak_working_set_kb" in fields else None
            row(f"save, {label}, {what}: peak working set", [peak], "KiB")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--idle-seconds", type=int, default=60)
    parser.add_argument("--only", choices=["save-time"], help="run this benchmark alone")
    args = parser.parse_args()
    if args.only == "save-time":
        save_time(args.runs)
    else:
        sizes()
        startup(args.runs)
        idle(max(1, args.runs // 2), args.idle_seconds)
        firing_delay(args.runs)
        save_time(args.runs)
    widths = [max(len(str(r[i])) for r in rows + [("measure", "min", "median", "max", "unit", "goal")])
              for i in range(6)]
    header = ("measure", "min", "median", "max", "unit", "goal")
    for r in [header] + rows:
        print("  ".join(str(v).ljust(w) if i in (0, 4, 5) else str(v).rjust(w)
                        for i, (v, w) in enumerate(zip(r, widths))))


if __name__ == "__main__":
    main()

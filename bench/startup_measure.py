#!/usr/bin/env python3
"""Start-up and SIGTERM exit of the real program on a large data directory.

Makes a data directory with N favorites and N history items (Shift_JIS,
CR LF, as the program writes them), then starts `tolvane` on it several
times on an X display and measures, per run:

  window  start of the process -> the main window is mapped (the stores are
          loaded before the window is made)
  exit    SIGTERM -> the process has ended (close in order, save-all of
          every store, engine shut-down)

Next to them, in the same run: reading the bytes of the two store files
(the least any start-up must do with them), loading every store as
start-up does in a process without a window (`tolvanectl check`, when
given), and the same start-up on an empty data directory.

  bench/startup_measure.py --program build/dev/ui/tolvane \
      --ctl build/dev/tools/tolvanectl --display :25

With --baseline OTHER_PROGRAM the two programs start in turns on fresh
empty data directories, and only the start to the shown window is compared
(an earlier build against this one, on the same machine at the same time).

With --large-settings (and optionally --baseline) each program starts in
turns on the default settings and on a 7 MB vq_system.ini of long values:
search, favorites, history, keyword and standard bar lists of some megabytes, an
address list and a recent-page list whose counts are 2147483647, 3 000
tool-bar sections. The file is put back (and dated an hour ago, as a
settings file from an earlier run is) before every start; a start that shows
no window within --give-up seconds counts as that many seconds and is killed.

The display must be running (Xvfb :25 -screen 0 1280x1024x24).
"""

import argparse
import os
import shutil
import signal
import statistics
import subprocess
import tempfile
import time


def item_lines(count, word):
    lines = []
    for i in range(count):
        title = f"{word}{i} 商品ページ の 題名".encode("cp932")
        url = f"http://shop{i % 500}.example.com/item/{i}?ref=list".encode()
        date = f"2026/{1 + i % 12:02d}/{1 + i % 28:02d} 12:{i % 60:02d}:{i % 60:02d}".encode()
        fields = [str(i + 1).encode(), title, url, b"0", b"", str(i % 7).encode(), date, date,
                  b"", b"0", b"0"]
        lines.append(b"\t".join(fields))
    return lines


def store_file(marker, items):
    out = [marker.encode(), b"0", b"0", str(len(items)).encode()] + items
    return b"".join(line + b"\r\n" for line in out)


def make_data_dir(path, count):
    os.makedirs(path, exist_ok=True)
    with open(os.path.join(path, "vq_favorite.fvf"), "wb") as f:
        f.write(store_file("@@FavoriteList@@", item_lines(count, "お気に入り")))
    with open(os.path.join(path, "vq_history.his"), "wb") as f:
        f.write(store_file("@@HistoryList@@", item_lines(count, "履歴")))
    # Keep every item: the default limits are 10 000 favorites, 1 000 history.
    with open(os.path.join(path, "vq_system.ini"), "wb") as f:
        f.write(f"[OptionFavorite]\r\nMaxData={count}\r\n"
                f"[OptionHistory]\r\nMaxData={count}\r\n"
                "[OptionMain]\r\nStartMode=2\r\nStartPage=about:blank\r\n".encode())


def large_settings():
    """About 7 MB of settings: long values and 3 000 tool-bar sections."""
    def tokens(prefix, first, count):
        return ",".join(f"{prefix}{first + i % 5000}" for i in range(count))
    parts = [
        # Built-in buttons may be named any number of times.
        "[OptionFindBar]\r\nButtonIDs=" + ",".join(f"-1,-2,EE{1000001 + i % 5000}"
                                                   for i in range(100000)) + "\r\n",
        "[OptionToolBar]\r\nIcons=" + ",".join(["3", "-1"] * 100000) + "\r\n",
        "[OptionFavoriteBar]\r\nButtonIDs=" + tokens("E", 1, 250000) + "\r\n",
        "[OptionHistoryBar]\r\nButtonIDs=" + tokens("E", 1, 250000) + "\r\n",
        "[OptionKeywordBar]\r\nButtonIDs=" + tokens("F", 1, 150000) + "\r\n",
        "[AddressList]\r\nMaxNumItems=2147483647\r\nNumItems=2147483647\r\n"
        + "".join(f"URL{i}=http://shop{i}.example.com/{'x' * 150}\r\n" for i in range(5000)),
        "[MRU]\r\nMaxNumItems=2147483647\r\nNumItems=2147483647\r\n"
        + "".join(f"URL{i}=http://p{i}.example.com/\r\nTitle{i}={'t' * 100}\r\n"
                  for i in range(5000)),
        "[ToolBarSummary]\r\nNumToolBars=3000\r\n",
        "".join(f"[ToolBarInfo{i}]\r\nID={59392 + i % 8}\r\ncx={100 + i}\r\nStyle=0\r\n"
                for i in range(3000)),
    ]
    return "".join(parts).encode()


def window_mapped(pid, env):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid),
                            "--name", "Tolvane"], env=env, capture_output=True)
    return found.returncode == 0 and found.stdout.strip() != b""


def one_run(program, data_dir, env, give_up=60):
    start = time.monotonic()
    log = tempfile.TemporaryFile()
    proc = subprocess.Popen([program, "--data-dir", data_dir], env=env,
                            stdout=subprocess.DEVNULL, stderr=log)
    while not window_mapped(proc.pid, env):
        time.sleep(0.005)
        if proc.poll() is not None:
            log.seek(0)
            raise RuntimeError("the program ended: " + log.read().decode(errors="replace"))
        if time.monotonic() - start > give_up:
            proc.kill()
            proc.wait()
            raise RuntimeError(f"no window after {give_up} s")
    shown = time.monotonic()
    time.sleep(1.0)  # let the first page settle, as a user would
    stop = time.monotonic()
    proc.send_signal(signal.SIGTERM)
    try:
        status = proc.wait(timeout=60)
    except subprocess.TimeoutExpired:
        proc.kill()
        status = proc.wait()
    ended = time.monotonic()
    return shown - start, ended - stop, status


def measured_run(program, data_dir, env, give_up=60):
    # A busy shared X server now and then refuses a connection; start again.
    for attempt in range(3):
        try:
            return one_run(program, data_dir, env, give_up)
        except RuntimeError as error:
            if "could not connect to display" not in str(error) or attempt == 2:
                raise
    raise AssertionError("unreachable")


def read_bytes_time(data_dir):
    start = time.monotonic()
    total = 0
    for name in ("vq_favorite.fvf", "vq_history.his"):
        with open(os.path.join(data_dir, name), "rb") as f:
            total += len(f.read())
    return time.monotonic() - start, total


def check_time(ctl, data_dir):
    start = time.monotonic()
    subprocess.run([ctl, "check", data_dir], check=True, stdout=subprocess.DEVNULL)
    return time.monotonic() - start


def describe(label, values):
    ms = [v * 1000 for v in values]
    return (f"{label}: median {statistics.median(ms):.1f} ms, "
            f"min {min(ms):.1f}, max {max(ms):.1f} ({len(ms)} runs)")


def compare_starts(args, env, root):
    programs = {"baseline": args.baseline, "this build": args.program}
    shown = {name: [] for name in programs}
    for run in range(args.runs + 1):
        for name, program in programs.items():
            data_dir = os.path.join(root, f"{name.replace(' ', '_')}-{run}")
            os.makedirs(data_dir)
            seconds = measured_run(program, data_dir, env)[0]
            if run > 0:  # the first start of each makes its web profile
                shown[name].append(seconds)
    for name, values in shown.items():
        print(describe(f"{name} ({programs[name]}): start -> window shown", values))


def compare_settings(args, env, root):
    programs = {"this build": args.program}
    if args.baseline:
        programs = {"baseline": args.baseline, **programs}
    settings = large_settings()
    shown = {(name, case): [] for name in programs for case in ("default", "large")}
    for run in range(args.runs + 1):
        for name, program in programs.items():
            for case in ("default", "large"):
                data_dir = os.path.join(root, f"{name.replace(' ', '_')}-{case}")
                os.makedirs(data_dir, exist_ok=True)
                ini = os.path.join(data_dir, "vq_system.ini")
                if case == "large":
                    with open(ini, "wb") as f:
                        f.write(settings)
                    an_hour_ago = time.time() - 3600
                    os.utime(ini, (an_hour_ago, an_hour_ago))
                elif os.path.exists(ini):
                    os.remove(ini)
                try:
                    seconds = measured_run(program, data_dir, env, args.give_up)[0]
                except RuntimeError as error:
                    if "no window" not in str(error):
                        raise
                    seconds = args.give_up
                if run > 0:  # the first start of each makes its web profile
                    shown[(name, case)].append(seconds)
    print(f"settings file of {len(settings) / 1e6:.1f} MB")
    for (name, case), values in shown.items():
        never = sum(1 for v in values if v >= args.give_up)
        note = f", {never} without a window in {args.give_up} s" if never else ""
        print(describe(f"{name}, {case} settings: start -> window shown", values) + note)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--ctl", help="tolvanectl, to time loading the stores alone")
    parser.add_argument("--display", default=os.environ.get("DISPLAY", ":25"))
    parser.add_argument("--items", type=int, default=20000)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--baseline", help="another build to compare the start with")
    parser.add_argument("--large-settings", action="store_true",
                        help="the default settings against a 7 MB settings file")
    parser.add_argument("--give-up", type=float, default=60,
                        help="seconds to wait for the window")
    args = parser.parse_args()

    env = dict(os.environ, DISPLAY=args.display, QTWEBENGINE_DISABLE_SANDBOX="1")
    env.pop("QT_QPA_PLATFORM", None)
    root = tempfile.mkdtemp(prefix="tolvane-startup-")
    env["XDG_RUNTIME_DIR"] = os.path.join(root, "runtime")
    os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700)
    try:
        if args.large_settings:
            compare_settings(args, env, root)
            return
        if args.baseline:
            compare_starts(args, env, root)
            return
        large = os.path.join(root, "large")
        empty = os.path.join(root, "empty")
        make_data_dir(large, args.items)
        os.makedirs(empty)
        results = {}
        for name, path in (("empty", empty), ("large", large)):
            measured_run(args.program, path, env)  # the first run makes the web profile
            runs = [measured_run(args.program, path, env) for _ in range(args.runs)]
            results[name] = runs
        reads = [read_bytes_time(large) for _ in range(args.runs)]

        size = reads[0][1]
        print(f"{args.items} favorites + {args.items} history items, {size / 1e6:.1f} MB")
        print(describe("read the two files' bytes", [r[0] for r in reads]))
        if args.ctl:
            print(describe("tolvanectl check (load every store, no window)",
                           [check_time(args.ctl, large) for _ in range(args.runs)]))
        for name, runs in results.items():
            print(describe(f"{name}: start -> window shown", [r[0] for r in runs]))
            print(describe(f"{name}: SIGTERM -> exit", [r[1] for r in runs]))
            print(f"{name}: exit statuses {sorted(set(r[2] for r in runs))}")
        lines = open(os.path.join(large, "vq_history.his"), "rb").read().split(b"\r\n")
        folders = int(lines[2])
        print("history items after the runs:", lines[3 + folders].decode())
    finally:
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    main()

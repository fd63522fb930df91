#!/usr/bin/env python3
"""How fast a search reaches the shops, measured from outside the program.

Starts a local shop server on 127.0.0.1, runs the program under an X server
(Xvfb) on a temporary data directory, types a keyword into the keyword box
with xdotool and presses Enter, and times at the server:

  request   Enter -> the first shop's search request arrives
  loaded    Enter -> the first shop's result page has loaded (its onload
            handler asks for /loaded, so the time includes that request)
  batch     Enter -> every result page of the tab has loaded

for a category tab over ten shops and one over a single shop (that search
navigates the page already shown). Each figure stands next to a baseline
taken in the same run: Chromium with Enter in its address bar on the same
display, and optionally another build of the program (--baseline).

  bench/search_latency.py --program build/dev/ui/tolvane [--baseline OTHER]
                          [--display :21] [--rounds 9]

Times are CLOCK_MONOTONIC on both sides: the moment just before Enter is
sent to the X server (XTEST, on a connection opened beforehand) and the
moment the server reads a request line.
"""
import argparse
import ctypes
import http.server
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time

SHOPS = 10
KEYWORD = "tower"


class Server:
    def __init__(self, echo=False):
        self.echo = echo  # each request to stderr, to set beside the program's own trace
        self.log = []  # (monotonic seconds, path)
        self.lock = threading.Lock()
        server = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                now = time.monotonic()
                with server.lock:
                    server.log.append((now, self.path))
                if server.echo:
                    print("request %.6f %s" % (now, self.path), file=sys.stderr)
                body = server.page(self.path).encode()
                self.send_response(200)
                self.send_header("Content-Type", "text/html; charset=UTF-8")
                self.send_header("Cache-Control", "no-store")
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)

            def log_message(self, *args):
                pass

        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.port = self.httpd.server_address[1]
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def base(self):
        return "http://127.0.0.1:%d" % self.port

    @staticmethod
    def page(path):
        # A result page of some size that reports its own load end.
        rows = "".join("<tr><td>item %d</td><td>%d yen</td></tr>" % (i, i * 100) for i in range(200))
        return ("<html><head><link rel=icon href='data:,'><title>%s</title></head><body>"
                "<table>%s</table><script>addEventListener('load',function(){"
                "new Image().src='/loaded?'+encodeURIComponent(location.pathname)})</script>"
                "</body></html>") % (path.split("?")[0], rows)

    def since(self, start, predicate):
        with self.lock:
            return [t - start for t, path in self.log if t >= start and predicate(path)]

    def wait(self, start, predicate, count=1, timeout=20.0):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            times = self.since(start, predicate)
            if len(times) >= count:
                return sorted(times)[count - 1] * 1000.0
            time.sleep(0.002)
        return None


def write_store(path, text):
    with open(path, "wb") as f:
        f.write(text.replace("\n", "\r\n").encode("cp932"))


def make_data_dir(base, start_tab):
    data = tempfile.mkdtemp(prefix="tolvane-latency-")
    engines = "".join(
        "%d\t500\tshop%d\tshop%d\ts%d\t%s/shop%d/\t\t%s/shop%d/search?q=$0\t\t\t\t3\n"
        % (500 + i, i, i, i, base, i, base, i) for i in range(1, SHOPS + 1))
    write_store(os.path.join(data, "vq_search.eng"),
                "@@SearchEngineList@@\n0\t100\t\t2024/01/01\n1\n500\tshops\t0\n%d\n%s" % (SHOPS, engines))
    write_store(os.path.join(data, "vq_tab.tbf"),
                "@@TabList@@\n0\n2\n-9999\t保管箱\t0\t0\t99999999\t0\n10\tshops\t0\t0\t0\t0\n2\n"
                "20\t10\tten\tten\tten\t検索フォルダID[500]\t\t検索フォルダID[500]\t検索フォルダID[500]"
                "\t\t\t3\t\t0\t0\n"
                "21\t10\tone\tone\tone\t検索エンジンID[501]\t\t検索エンジンID[501]\t検索エンジンID[501]"
                "\t\t\t3\t\t0\t1\n")
    write_store(os.path.join(data, "vq_system.ini"),
                "[OptionMain]\nStartMode=4\nStartTab=%d\nCloseMode=0\n" % start_tab)
    return data


def xdotool(display, *args):
    return subprocess.run(["xdotool"] + list(args), env=dict(os.environ, DISPLAY=display),
                          capture_output=True, text=True).stdout.strip()


def find_window(display, name, timeout=30.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        found = xdotool(display, "search", "--onlyvisible", "--name", name).split()
        if found:
            return found[-1]
        time.sleep(0.1)
    return None


class Keyboard:
    """Presses keys through the XTEST extension of an open X connection, so
    the time taken just before a key leaves holds no process start."""

    def __init__(self, display):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                ctypes.c_ulong]
        self.dpy = self.x11.XOpenDisplay(display.encode())
        self.enter = self.x11.XKeysymToKeycode(self.dpy, 0xFF0D)  # XK_Return

    def press_enter(self):
        """Returns the time just before the key press left."""
        start = time.monotonic()
        self.xtst.XTestFakeKeyEvent(self.dpy, self.enter, 1, 0)
        self.x11.XFlush(self.dpy)
        self.xtst.XTestFakeKeyEvent(self.dpy, self.enter, 0, 0)
        self.x11.XFlush(self.dpy)
        return start


def settle(server, seconds=0.5):
    """Waits until the server has had no request for `seconds`."""
    while True:
        with server.lock:
            last = server.log[-1][0] if server.log else 0
        if time.monotonic() - last > seconds:
            return
        time.sleep(0.05)


def end_process(proc, directory):
    """Ends a program started here (SIGTERM, the way a logout ends it) and
    removes its temporary directory."""
    proc.terminate()
    try:
        proc.wait(10)
    except subprocess.TimeoutExpired:
        proc.kill()
    shutil.rmtree(directory, ignore_errors=True)


def measure_program(label, program, server, display, rounds, start_tab, pages):
    keyboard = Keyboard(display)
    data = make_data_dir(server.base(), start_tab)
    env = dict(os.environ, DISPLAY=display, QTWEBENGINE_DISABLE_SANDBOX="1",
               XDG_RUNTIME_DIR=tempfile.mkdtemp(prefix="tolvane-rt-"))
    env.pop("QT_QPA_PLATFORM", None)
    proc = subprocess.Popen([program, "--data-dir", data], env=env, stdout=subprocess.DEVNULL,
                            stderr=None if server.echo else subprocess.DEVNULL)
    results = []
    try:
        if find_window(display, "Tolvane") is None:
            print("%s: no window" % label, file=sys.stderr)
            return results
        time.sleep(2.0)
        settle(server, 1.0)
        # Windows that came and went while starting match too; the main
        # window is the last one standing.
        window = find_window(display, "Tolvane")
        for _ in range(rounds):
            xdotool(display, "windowfocus", "--sync", window)
            xdotool(display, "key", "ctrl+k")
            xdotool(display, "type", "--delay", "0", KEYWORD)
            settle(server, 0.3)
            start = keyboard.press_enter()
            if server.echo:
                print("enter %.6f" % start, file=sys.stderr)
            first = server.wait(start, lambda p: p.startswith("/shop") and "/search?" in p)
            loaded = server.wait(start, lambda p: p.startswith("/loaded?") and "search" in p)
            batch = server.wait(start, lambda p: p.startswith("/loaded?") and "search" in p,
                                count=pages, timeout=60.0)
            results.append((first, loaded, batch))
            settle(server, 1.0)
    finally:
        end_process(proc, data)
    return results


def measure_chromium(chromium, server, display, rounds):
    keyboard = Keyboard(display)
    profile = tempfile.mkdtemp(prefix="chromium-latency-")
    env = dict(os.environ, DISPLAY=display)
    proc = subprocess.Popen([chromium, "--no-sandbox", "--no-first-run", "--user-data-dir=" + profile,
                             "--disable-features=Translate", "--no-default-browser-check",
                             server.base() + "/shop1/"],
                            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    results = []
    try:
        window = find_window(display, "shop1", 60.0)
        if window is None:
            print("chromium: no window", file=sys.stderr)
            return results
        time.sleep(3.0)
        settle(server, 1.0)
        for i in range(rounds):
            xdotool(display, "windowfocus", "--sync", window)
            xdotool(display, "key", "ctrl+l")
            xdotool(display, "type", "--delay", "0",
                    "%s/shop1/search?q=%s%d" % (server.base(), KEYWORD, i))
            # The address bar's suggestions come and go while typing.
            time.sleep(0.5)
            settle(server, 0.3)
            start = keyboard.press_enter()
            if server.echo:
                print("enter %.6f" % start, file=sys.stderr)
            first = server.wait(start, lambda p: p.startswith("/shop1/search?"))
            loaded = server.wait(start, lambda p: p.startswith("/loaded?"))
            results.append((first, loaded, None))
            settle(server, 1.0)
    finally:
        end_process(proc, profile)
    return results


def summary(values):
    values = [v for v in values if v is not None]
    if not values:
        return "-"
    return "%.0f (%.0f-%.0f)" % (statistics.median(values), min(values), max(values))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--baseline", help="another build of the program, measured the same way")
    parser.add_argument("--chromium", default=shutil.which("chromium"))
    parser.add_argument("--display", default=":21")
    parser.add_argument("--rounds", type=int, default=9)
    parser.add_argument("--echo", action="store_true", help="print each request and its time")
    parser.add_argument("--cases", default="ten,one,chromium", help="which of ten,one,chromium")
    args = parser.parse_args()

    xvfb = None
    if subprocess.run(["xdpyinfo"], env=dict(os.environ, DISPLAY=args.display),
                      capture_output=True).returncode != 0:
        xvfb = subprocess.Popen(["Xvfb", args.display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1.0)
    server = Server(args.echo)
    cases = args.cases.split(",")
    rows = []
    try:
        programs = [("program", args.program)]
        if args.baseline:
            programs.append(("baseline", args.baseline))
        for label, program in programs:
            for tab, pages, name in ((20, SHOPS, "ten shops"), (21, 1, "one shop")):
                if name.split()[0] not in cases:
                    continue
                rows.append(("%s, %s" % (label, name),
                             measure_program(label, program, server, args.display, args.rounds, tab,
                                             pages)))
        if args.chromium and "chromium" in cases:
            rows.append(("Chromium, address bar", measure_chromium(args.chromium, server, args.display,
                                                                   args.rounds)))
    finally:
        if xvfb is not None:
            xvfb.terminate()
    print("milliseconds, median (min-max) of %d rounds" % args.rounds)
    print("| Case | Enter -> first request | Enter -> first page loaded | Enter -> all pages loaded |")
    print("|---|---|---|---|")
    for name, results in rows:
        print("| %s | %s | %s | %s |" % (name, summary(r[0] for r in results),
                                         summary(r[1] for r in results),
                                         summary(r[2] for r in results)))


if __name__ == "__main__":
    main()

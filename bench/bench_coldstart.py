#!/usr/bin/env python3
"""Cold start as the user feels it: the browser against a minimal Qt WebEngine
program (bench/minimalview.cpp), each a fresh process loading the same home
page from the fake marketplace: a 60-card result page (about 150 KB) with its
pictures. Runs alternate A B A B ... after one unmeasured warm-up of each.

Per run: start -> the page's load event (the page reports Date.now() to the
fake marketplace from its load handler; the start is the wall clock just
before the process is spawned), and the sum of PSS over the process tree
5 s after the load. The browser gets a fresh data folder every run.

  bench/bench_coldstart.py [--pairs N] [--platform xvfb|offscreen] [--bin DIR] [--disk-profile]
                           [--software-minimal]

--disk-profile adds a third program to every round, min-disk: the minimal
program with a profile that keeps its cache and cookies on disk in a fresh
folder, as the browser's does (the plain minimal program uses Qt's default
profile, which keeps them in memory only).

--software-minimal adds min-sw: the minimal program drawing the way the
browser draws on a machine without a GPU render node (software drawing, no
OpenGL loaded), so the browser's own cost shows apart from that choice.

Prints every run, the medians and the ratios browser / minimal; then the
browser's memory with one tab, five, and five opened and four closed
(bench_coldstart_tabs, in one process).
"""
import argparse
import json
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time
import urllib.parse
import urllib.request

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
SERVER = os.path.join(ROOT, "tests", "marketplace", "server.py")
HOME = "http://www.vasaro.test/haku/vertailu"
SETTLE_S = 5.0
LIMIT_S = 60.0

DIRECT = urllib.request.build_opener(urllib.request.ProxyHandler({}))


def control(port, method, path):
    req = urllib.request.Request("http://127.0.0.1:%d%s" % (port, path), method=method,
                                 data=b"" if method == "POST" else None)
    with DIRECT.open(req, timeout=5) as r:
        return r.read()


def start_server(work):
    port_file = os.path.join(work, "port")
    proc = subprocess.Popen([sys.executable, SERVER, "--port-file", port_file],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(500):
        if os.path.exists(port_file):
            break
        time.sleep(0.01)
    with open(port_file) as f:
        return proc, int(f.read().strip())


def start_xvfb():
    for display in range(90, 120):
        if os.path.exists("/tmp/.X11-unix/X%d" % display):
            continue
        proc = subprocess.Popen(["Xvfb", ":%d" % display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(200):
            if os.path.exists("/tmp/.X11-unix/X%d" % display):
                return proc, ":%d" % display
            time.sleep(0.01)
        proc.kill()
    raise RuntimeError("no free display for Xvfb")


def process_tree(root):
    parent = {}
    for name in os.listdir("/proc"):
        if not name.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % name) as f:
                text = f.read()
        except OSError:
            continue
        parent[int(name)] = int(text[text.rindex(")") + 2:].split()[1])
    tree = {root}
    grew = True
    while grew:
        grew = False
        for pid, ppid in parent.items():
            if ppid in tree and pid not in tree:
                tree.add(pid)
                grew = True
    return tree


def pss_mib(root):
    total_kb = 0
    for pid in process_tree(root):
        try:
            with open("/proc/%d/smaps_rollup" % pid) as f:
                for line in f:
                    if line.startswith("Pss:"):
                        total_kb += int(line.split()[1])
                        break
        except OSError:
            pass
    return total_kb / 1024.0


def load_report(port):
    for entry in json.loads(control(port, "GET", "/__log")):
        if entry["path"] == "/bench/ladattu":
            query = urllib.parse.parse_qs(entry["query"])
            return int(query["t"][0]) / 1000.0
    return None


def stop(proc):
    proc.send_signal(signal.SIGTERM)
    try:
        proc.wait(10)
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()


def run_once(kind, args, env, port, work):
    run_env = dict(env)
    if kind == "browser":
        data = tempfile.mkdtemp(prefix="data-", dir=work)
        with open(os.path.join(data, "VSselain.dat"), "wb") as f:
            f.write(("Kotisivu:%s\r\n" % HOME).encode("cp1252"))
        run_env["VSSELAIN_DATA_DIR"] = data
        command = [os.path.join(args.bin, "vsselain")]
    else:
        command = [os.path.join(args.bin, "minimalview"), HOME, "http://127.0.0.1:%d" % port]
        if kind == "min-sw":
            run_env.update(QT_QUICK_BACKEND="software", QT_XCB_GL_INTEGRATION="none")
        if kind == "min-disk":
            command.append(tempfile.mkdtemp(prefix="profile-", dir=work))
    control(port, "POST", "/__clear")
    start = time.time()
    proc = subprocess.Popen(command, env=run_env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            start_new_session=True)
    try:
        loaded = None
        while loaded is None and time.time() - start < LIMIT_S and proc.poll() is None:
            time.sleep(0.02)
            loaded = load_report(port)
        if loaded is None:
            raise RuntimeError("%s never reported its page loaded" % kind)
        time.sleep(SETTLE_S)
        return (loaded - start) * 1000.0, pss_mib(proc.pid)
    finally:
        stop(proc)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--pairs", type=int, default=5)
    ap.add_argument("--platform", choices=("xvfb", "offscreen"),
                    default="xvfb" if shutil.which("Xvfb") else "offscreen")
    ap.add_argument("--bin", default=os.path.join(ROOT, "build", "bin"))
    ap.add_argument("--disk-profile", action="store_true",
                    help="also run the minimal program with an on-disk profile (min-disk)")
    ap.add_argument("--software-minimal", action="store_true",
                    help="also run the minimal program drawing in software without OpenGL (min-sw)")
    args = ap.parse_args()

    work = tempfile.mkdtemp(prefix="vss-coldstart-")
    runtime = os.path.join(work, "runtime")
    os.mkdir(runtime, 0o700)
    server, port = start_server(work)
    xvfb = None
    endpoints = os.path.join(work, "endpoints.ini")
    with open(endpoints, "w") as f:
        f.write("web_base=http://www.vasaro.test/\ndomain=vasaro.test\n"
                "api_base=http://api.vasaro.test/1.1/\nproxy=http://127.0.0.1:%d\n" % port)
    env = dict(os.environ, VSSELAIN_ENDPOINTS=endpoints, XDG_RUNTIME_DIR=runtime,
               QTWEBENGINE_DISABLE_SANDBOX="1", QT_LOGGING_RULES="qt.webenginecontext=false",
               HOME=work)
    for key in ("http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"):
        env.pop(key, None)
    try:
        if args.platform == "xvfb":
            xvfb, display = start_xvfb()
            env.update(QT_QPA_PLATFORM="xcb", DISPLAY=display)
        else:
            env["QT_QPA_PLATFORM"] = "offscreen"
        print("platform: %s, home page %s, %d pairs" % (args.platform, HOME, args.pairs))
        kinds = ("browser", "minimal") + (("min-disk",) if args.disk_profile else ()) \
            + (("min-sw",) if args.software_minimal else ())
        for kind in kinds:
            run_once(kind, args, env, port, work)   # warm-up: disk cache, fonts
        results = {kind: [] for kind in kinds}
        for i in range(args.pairs):
            for kind in kinds:
                ms, mib = run_once(kind, args, env, port, work)
                results[kind].append((ms, mib))
                print("  %d %-8s start->load %7.1f ms   PSS %6.1f MiB" % (i + 1, kind, ms, mib), flush=True)
        med = {k: (statistics.median(r[0] for r in v), statistics.median(r[1] for r in v))
               for k, v in results.items()}
        for kind in kinds:
            print("median %-8s start->load %7.1f ms   PSS %6.1f MiB" % (kind, med[kind][0], med[kind][1]))
        print("ratio browser/minimal: start->load %.3f   PSS %.3f"
              % (med["browser"][0] / med["minimal"][0], med["browser"][1] / med["minimal"][1]))
        if args.disk_profile:
            print("ratio browser/min-disk (minimal with an on-disk profile like the browser's): "
                  "start->load %.3f   PSS %.3f"
                  % (med["browser"][0] / med["min-disk"][0], med["browser"][1] / med["min-disk"][1]))
        if args.software_minimal:
            print("ratio browser/min-sw (minimal drawing in software like the browser without a GPU): "
                  "start->load %.3f   PSS %.3f"
                  % (med["browser"][0] / med["min-sw"][0], med["browser"][1] / med["min-sw"][1]))
        tabs_env = dict(env, VSSELAIN_DATA_DIR=tempfile.mkdtemp(prefix="data-", dir=work))
        subprocess.run([os.path.join(args.bin, "bench_coldstart_tabs"), HOME], env=tabs_env,
                       stderr=subprocess.DEVNULL, timeout=180)
    finally:
        server.terminate()
        if xvfb:
            xvfb.terminate()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()

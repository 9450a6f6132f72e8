#!/usr/bin/env python3
"""Start-up with restored tabs: the browser started on a kept session of five
tabs against one of a single tab, each run a fresh process with a fresh data
folder. Only the active tab loads at start; the other four wait, unloaded,
until first shown, so five tabs should cost what one does (goal: within 5 %).

Both sessions have the 60-card result page (/haku/vertailu, as in
bench_coldstart.py) as their first, active tab; the five-tab session adds four
other pages of the fake marketplace. Runs alternate one, five, one, five ...
after one unmeasured warm-up of each.

Per run:
  start->load  the wall time from just before the process is spawned to the
               page's load event (reported by the page to the fake marketplace)
  CPU          user + system time of the whole process tree (the browser,
               the engine's helper processes) at the load event and 5 s later
  PSS          the process tree's proportional memory 5 s after the load
  other pages  requests the fake marketplace saw for the four waiting tabs'
               pages by then (must be 0)

Wall time swings with whatever else the machine runs; the CPU time of the
tree is the steadier measure of the program's own work on a busy machine.

  bench/bench_restoredtabs.py [--pairs N] [--platform xvfb|offscreen] [--bin DIR]
"""
import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import bench_coldstart as cold  # noqa: E402  (its helpers: server, Xvfb, PSS, the load report)

HOME = cold.HOME
WAITING = ["http://www.vasaro.test/testi/etsi17",
           "http://www.vasaro.test/testi/selain/odottava-yksi",
           "http://www.vasaro.test/testi/selain/odottava-kaksi",
           "http://www.vasaro.test/testi/asiakirja.pdf"]
TICK = os.sysconf("SC_CLK_TCK")


def session_file(tabs):
    lines = ["VSselain-istunto 1", "palauta=1", "ikkuna=40,30,1000,760", "suurennettu=0", "aktiivinen=0"]
    lines += ["valilehti=" + address for address in tabs]
    return ("\n".join(lines) + "\n").encode("utf-8")


def cpu_seconds(root):
    """User + system time of the tree, waited-for children included."""
    total = 0
    for pid in cold.process_tree(root):
        try:
            with open("/proc/%d/stat" % pid) as f:
                fields = f.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        # utime, stime, cutime, cstime: fields 14-17 of stat, 12-15 after the name
        total += sum(int(x) for x in fields[11:15])
    return total / TICK


def waiting_requests(port):
    paths = {address.split("vasaro.test", 1)[1] for address in WAITING}
    return sum(1 for entry in json.loads(cold.control(port, "GET", "/__log")) if entry["path"] in paths)


def run_once(tabs, args, env, port, work):
    data = tempfile.mkdtemp(prefix="data-", dir=work)
    with open(os.path.join(data, "VSselain.dat"), "wb") as f:
        f.write(("Kotisivu:%s\r\n" % HOME).encode("cp1252"))
    with open(os.path.join(data, "istunto.dat"), "wb") as f:
        f.write(session_file(tabs))
    os.chmod(os.path.join(data, "istunto.dat"), 0o600)
    run_env = dict(env, VSSELAIN_DATA_DIR=data)
    cold.control(port, "POST", "/__clear")
    start = time.time()
    proc = subprocess.Popen([os.path.join(args.bin, "vsselain")], env=run_env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        loaded = None
        while loaded is None and time.time() - start < cold.LIMIT_S and proc.poll() is None:
            time.sleep(0.02)
            loaded = cold.load_report(port)
        if loaded is None:
            raise RuntimeError("the browser never reported its page loaded")
        cpu_load = cpu_seconds(proc.pid)
        time.sleep(cold.SETTLE_S)
        return {"ms": (loaded - start) * 1000.0, "cpu_load": cpu_load, "cpu": cpu_seconds(proc.pid),
                "pss": cold.pss_mib(proc.pid), "others": waiting_requests(port)}
    finally:
        cold.stop(proc)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--pairs", type=int, default=5)
    ap.add_argument("--platform", choices=("xvfb", "offscreen"),
                    default="xvfb" if shutil.which("Xvfb") else "offscreen")
    ap.add_argument("--bin", default=os.path.join(cold.ROOT, "build", "bin"))
    args = ap.parse_args()

    work = tempfile.mkdtemp(prefix="vss-restoredtabs-")
    runtime = os.path.join(work, "runtime")
    os.mkdir(runtime, 0o700)
    server, port = cold.start_server(work)
    xvfb = None
    endpoints = os.path.join(work, "endpoints.ini")
    with open(endpoints, "w") as f:
        f.write("web_base=http://www.vasaro.test/\ndomain=vasaro.test\n"
                "api_base=http://api.vasaro.test/1.1/\nproxy=http://127.0.0.1:%d\n" % port)
    env = dict(os.environ, VSSELAIN_ENDPOINTS=endpoints, XDG_RUNTIME_DIR=runtime,
               QTWEBENGINE_DISABLE_SANDBOX="1", QT_LOGGING_RULES="qt.webenginecontext=false", HOME=work)
    for key in ("http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"):
        env.pop(key, None)
    sessions = {"one": [HOME], "five": [HOME] + WAITING}
    try:
        if args.platform == "xvfb":
            xvfb, display = cold.start_xvfb()
            env.update(QT_QPA_PLATFORM="xcb", DISPLAY=display)
        else:
            env["QT_QPA_PLATFORM"] = "offscreen"
        print("platform: %s, active tab %s, %d pairs, load average %s"
              % (args.platform, HOME, args.pairs, " ".join(open("/proc/loadavg").read().split()[:3])))
        for kind, tabs in sessions.items():
            run_once(tabs, args, env, port, work)   # warm-up: disk cache, fonts
        results = {kind: [] for kind in sessions}
        for i in range(args.pairs):
            for kind, tabs in sessions.items():
                r = run_once(tabs, args, env, port, work)
                results[kind].append(r)
                print("  %d %-4s start->load %7.1f ms   CPU at load %5.2f s, +5 s %5.2f s   PSS %6.1f MiB"
                      "   other pages fetched %d" % (i + 1, kind, r["ms"], r["cpu_load"], r["cpu"], r["pss"],
                                                    r["others"]), flush=True)
        med = {kind: {key: statistics.median(r[key] for r in runs) for key in runs[0]}
               for kind, runs in results.items()}
        for kind in sessions:
            m = med[kind]
            print("median %-4s start->load %7.1f ms   CPU at load %5.2f s, +5 s %5.2f s   PSS %6.1f MiB"
                  % (kind, m["ms"], m["cpu_load"], m["cpu"], m["pss"]))
        one, five = med["one"], med["five"]
        print("ratio five/one: start->load %.3f   CPU at load %.3f   CPU +5 s %.3f   PSS %.3f"
              % (five["ms"] / one["ms"], five["cpu_load"] / one["cpu_load"], five["cpu"] / one["cpu"],
                 five["pss"] / one["pss"]))
        print("waiting tabs' pages fetched before shown: %d (of %d runs)"
              % (sum(r["others"] for r in results["five"]), len(results["five"])))
    finally:
        server.terminate()
        if xvfb:
            xvfb.terminate()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()

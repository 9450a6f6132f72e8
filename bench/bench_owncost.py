#!/usr/bin/env python3
"""The program's own cost over the minimal engine view drawing in software
(min-sw, bench/minimalview.cpp), measured so that a busy machine does not hide
it: besides start -> load (wall time, noisy under load) every run reports the
main process's and the renderer's CPU time and each one's anonymous PSS (the
memory the process itself made; file-backed pages are shared with whatever
else runs the same libraries, so the plain PSS moves with the machine's other
work), 5 s after the page's load event.

Runs alternate between the programs, after one unmeasured warm-up of each.
Two builds of the browser can be compared in the same run (--before DIR).

  bench/bench_owncost.py [--rounds N] [--bin DIR] [--before DIR] [--no-update-check]

--no-update-check starts the browser with today's daily update check already
done (its TLS then stays unloaded), to tell its cost apart.
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
sys.path.insert(0, HERE)
import bench_coldstart as cold  # noqa: E402

TICK = os.sysconf("SC_CLK_TCK")


def measure(pid):
    """Per process of the tree: role, CPU ms, PSS MiB, anonymous PSS MiB."""
    rows = []
    for p in sorted(cold.process_tree(pid)):
        try:
            with open("/proc/%d/stat" % p) as f:
                stat = f.read()
            fields = stat[stat.rindex(")") + 2:].split()
            cpu = (int(fields[11]) + int(fields[12])) * 1000.0 / TICK
            roll = {}
            with open("/proc/%d/smaps_rollup" % p) as f:
                for line in f:
                    parts = line.split()
                    if len(parts) >= 2 and parts[0].endswith(":"):
                        roll[parts[0][:-1]] = parts[1]
            with open("/proc/%d/cmdline" % p) as f:
                args = f.read().split("\0")
        except (OSError, ValueError):
            continue
        role = "main" if p == pid else "other"
        if any(a == "--type=renderer" for a in args) or (role != "main" and "--type=zygote" in args):
            role = "zygote"
        rows.append((p, role, cpu, int(roll.get("Pss", 0)) / 1024.0, int(roll.get("Pss_Anon", 0)) / 1024.0))
    return rows


def run_once(kind, binary, args, env, port, work):
    run_env = dict(env)
    if kind.startswith("browser"):
        data = tempfile.mkdtemp(prefix="data-", dir=work)
        text = "Kotisivu:%s\r\n" % cold.HOME
        if args.no_update_check:
            text += "Paivitys:1%d\r\n" % time.gmtime().tm_mday
        with open(os.path.join(data, "VSselain.dat"), "wb") as f:
            f.write(text.encode("cp1252"))
        run_env["VSSELAIN_DATA_DIR"] = data
        command = [os.path.join(binary, "vsselain")]
    else:
        command = [os.path.join(binary, "minimalview"), cold.HOME, "http://127.0.0.1:%d" % port]
        run_env.update(QT_QUICK_BACKEND="software", QT_XCB_GL_INTEGRATION="none")
    cold.control(port, "POST", "/__clear")
    start = time.time()
    proc = subprocess.Popen(command, env=run_env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            start_new_session=True)
    try:
        loaded = None
        while loaded is None and time.time() - start < cold.LIMIT_S and proc.poll() is None:
            time.sleep(0.02)
            loaded = cold.load_report(port)
        if loaded is None:
            raise RuntimeError("%s never reported its page loaded" % kind)
        time.sleep(cold.SETTLE_S)
        rows = measure(proc.pid)
    finally:
        cold.stop(proc)
    main = [r for r in rows if r[1] == "main"]
    # The renderer: the child of the engine's zygotes that holds the most.
    renderer = max((r for r in rows if r[1] != "main"), key=lambda r: r[4], default=(0, "", 0, 0, 0))
    return {
        "wall": (loaded - start) * 1000.0,
        "pss": sum(r[3] for r in rows),
        "anon": sum(r[4] for r in rows),
        "main cpu": main[0][2] if main else 0,
        "main anon": main[0][4] if main else 0,
        "rend cpu": renderer[2],
        "rend anon": renderer[4],
    }


COLUMNS = ("wall", "pss", "anon", "main cpu", "main anon", "rend cpu", "rend anon")
UNITS = {"wall": "ms", "pss": "MiB", "anon": "MiB", "main cpu": "ms", "main anon": "MiB",
         "rend cpu": "ms", "rend anon": "MiB"}


def line(label, values):
    return "%-16s " % label + "  ".join("%s %7.1f" % (c, values[c]) for c in COLUMNS)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--rounds", type=int, default=7)
    ap.add_argument("--bin", default=os.path.join(cold.ROOT, "build", "bin"))
    ap.add_argument("--before", help="bin folder of an earlier build of the browser, run in the same rounds")
    ap.add_argument("--no-update-check", action="store_true")
    args = ap.parse_args()

    work = tempfile.mkdtemp(prefix="vss-owncost-")
    runtime = os.path.join(work, "runtime")
    os.mkdir(runtime, 0o700)
    server, port = cold.start_server(work)
    endpoints = os.path.join(work, "endpoints.ini")
    with open(endpoints, "w") as f:
        f.write("web_base=http://www.vasaro.test/\ndomain=vasaro.test\n"
                "api_base=http://api.vasaro.test/1.1/\nproxy=http://127.0.0.1:%d\n" % port)
    env = dict(os.environ, VSSELAIN_ENDPOINTS=endpoints, XDG_RUNTIME_DIR=runtime,
               QTWEBENGINE_DISABLE_SANDBOX="1", QT_LOGGING_RULES="qt.webenginecontext=false", HOME=work)
    for key in ("http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"):
        env.pop(key, None)
    xvfb = None
    try:
        xvfb, display = cold.start_xvfb()
        env.update(QT_QPA_PLATFORM="xcb", DISPLAY=display)
        programs = [("browser", args.bin)]
        if args.before:
            programs.insert(0, ("browser-before", args.before))
        programs.append(("min-sw", args.bin))
        print("home page %s, %d rounds, update check %s; medians of each column"
              % (cold.HOME, args.rounds, "done already" if args.no_update_check else "runs"))
        for kind, binary in programs:
            run_once(kind, binary, args, env, port, work)
        results = {kind: [] for kind, _ in programs}
        for i in range(args.rounds):
            for kind, binary in programs:
                r = run_once(kind, binary, args, env, port, work)
                results[kind].append(r)
                print(line("  %d %s" % (i + 1, kind), r), flush=True)
        med = {k: {c: statistics.median(r[c] for r in v) for c in COLUMNS} for k, v in results.items()}
        for kind, _ in programs:
            print(line("median " + kind, med[kind]))
        for kind, _ in programs:
            if kind != "min-sw":
                print("%s / min-sw: " % kind + "  ".join(
                    "%s %.3f" % (c, med[kind][c] / med["min-sw"][c]) for c in COLUMNS if med["min-sw"][c]))
    finally:
        server.terminate()
        if xvfb:
            xvfb.terminate()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()

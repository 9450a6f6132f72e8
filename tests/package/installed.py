#!/usr/bin/env python3
"""The Debian package installed into a fresh root, without a container.

Packs the program already built in the build folder with CPack (no second
build), unpacks the .deb with dpkg-deb -x into a temporary root, checks its
control fields and files, then starts the installed program offscreen against
the fake marketplace and waits until its engine shows the home page.
Exits 77 (skipped) when the package tools are missing.

Usage: installed.py BUILD_DIR MARKETPLACE_DIR
"""
import json
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import urllib.request

SKIP = 77
HOME_TITLE = "Vasaro - etusivu"


def fail(text):
    print("FAIL: " + text, flush=True)
    sys.exit(1)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def page_titles(port):
    opener = urllib.request.build_opener(urllib.request.ProxyHandler({}))
    try:
        with opener.open("http://127.0.0.1:%d/json" % port, timeout=2) as r:
            return [p.get("title", "") for p in json.load(r)]
    except (OSError, ValueError):
        return []


def build_package(build, out):
    config = os.path.join(build, "CPackConfig.cmake")
    if not os.path.isfile(os.path.join(build, "bin", "vsselain")):
        fail("build the program first (bin/vsselain is missing)")
    r = subprocess.run(["cpack", "-G", "DEB", "--config", config, "-B", out],
                       stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    debs = [f for f in os.listdir(out) if f.endswith(".deb")]
    if r.returncode != 0 or len(debs) != 1:
        fail("cpack:\n" + r.stdout)
    return os.path.join(out, debs[0])


def check_control(deb):
    fields = subprocess.run(["dpkg-deb", "-f", deb], check=True, stdout=subprocess.PIPE, text=True).stdout
    depends = next((l for l in fields.splitlines() if l.startswith("Depends:")), "")
    # computed from the linked libraries, plus what the program loads at run time
    for needed in ("libqt6webenginecore6 (", "libsodium23 (", "libqt6webenginecore6-bin", "qt6-wayland"):
        if needed not in depends:
            fail("Depends lacks %s: %s" % (needed, depends))
    name = os.path.basename(deb)
    version = next(l.split()[1] for l in fields.splitlines() if l.startswith("Version:"))
    if not name.startswith("vsselain_%s_" % version):
        fail("package file name " + name)


def check_files(root):
    for path in ("usr/bin/vsselain", "usr/share/vsselain/osastolista",
                 "usr/share/applications/fi.vsselain.VSselain.desktop",
                 "usr/share/metainfo/fi.vsselain.VSselain.metainfo.xml",
                 "usr/share/icons/hicolor/48x48/apps/fi.vsselain.VSselain.png",
                 "usr/share/icons/hicolor/128x128/apps/fi.vsselain.VSselain.png",
                 "usr/share/icons/hicolor/256x256/apps/fi.vsselain.VSselain.png",
                 "usr/share/icons/hicolor/scalable/apps/fi.vsselain.VSselain.svg",
                 "usr/share/doc/vsselain/copyright", "usr/share/doc/vsselain/changelog.gz"):
        if not os.path.isfile(os.path.join(root, path)):
            fail("not in the package: " + path)
    if os.path.exists(os.path.join(root, "usr/bin/osastolista")):
        fail("data files belong under share/, not bin/")


def start_marketplace(marketplace, work):
    port_file = os.path.join(work, "port")
    server = subprocess.Popen([sys.executable, os.path.join(marketplace, "server.py"), "--port-file", port_file],
                              stdout=subprocess.DEVNULL)
    for _ in range(500):
        if os.path.exists(port_file):
            break
        time.sleep(0.01)
    with open(port_file) as f:
        port = int(f.read().strip())
    endpoints = os.path.join(work, "endpoints.ini")
    with open(endpoints, "w") as f:
        f.write("web_base=http://www.vasaro.test/\ndomain=vasaro.test\n"
                "api_base=http://api.vasaro.test/1.1/\nproxy=http://127.0.0.1:%d\n"
                "maker_web=http://www.vsselain.test/\n" % port)
    return server, endpoints


def run_installed(root, endpoints, work):
    """True when the installed program's engine shows the home page."""
    debug = free_port()
    env = dict(os.environ)
    env.update({"VSSELAIN_ENDPOINTS": endpoints, "VSSELAIN_DATA_DIR": os.path.join(work, "data"),
                "QT_QPA_PLATFORM": "offscreen", "HOME": work,
                "QTWEBENGINE_REMOTE_DEBUGGING": "127.0.0.1:%d" % debug})
    program = os.path.join(root, "usr/bin/vsselain")
    version = subprocess.run([program, "--version"], env=env, stdout=subprocess.PIPE, text=True).stdout
    if not version.startswith("VSselain "):
        fail("--version answered %r" % version)
    app = subprocess.Popen([program], env=env, stderr=subprocess.PIPE, text=True)
    shown = False
    limit = time.monotonic() + 60
    while not shown and time.monotonic() < limit and app.poll() is None:
        time.sleep(0.3)
        shown = HOME_TITLE in page_titles(debug)
    if app.poll() is None:
        app.send_signal(signal.SIGTERM)
    try:
        _, err = app.communicate(timeout=30)
    except subprocess.TimeoutExpired:
        app.kill()
        _, err = app.communicate()
    if not shown:
        fail("the installed program did not show its home page:\n" + err)


def main():
    build, marketplace = sys.argv[1], sys.argv[2]
    missing = [t for t in ("cpack", "dpkg-deb", "dpkg-shlibdeps") if not shutil.which(t)]
    if missing:
        print("skipped: %s missing (scripts/setup.sh --tests installs them)" % ", ".join(missing))
        sys.exit(SKIP)
    with tempfile.TemporaryDirectory(prefix="vsselain-paketti-") as work:
        deb = build_package(build, os.path.join(work, "out"))
        check_control(deb)
        root = os.path.join(work, "root")
        subprocess.run(["dpkg-deb", "-x", deb, root], check=True)
        check_files(root)
        server, endpoints = start_marketplace(marketplace, work)
        try:
            run_installed(root, endpoints, work)
        finally:
            server.kill()
            server.wait()
    print("ok: the package installs and the installed program shows its home page")


if __name__ == "__main__":
    main()

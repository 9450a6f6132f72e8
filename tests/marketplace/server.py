#!/usr/bin/env python3
"""Fake Vasaro marketplace for tests.

Acts as an HTTP proxy for realistic host names (www.vasaro.test,
api.vasaro.test, picture hosts, the maker's services): clients send absolute
URLs in the request line and the server answers from route modules in
routes/. It records every request so tests can assert on what arrived.

Control interface (direct requests to 127.0.0.1:<port>, no proxy):
  GET  /__log            JSON list of recorded requests
  POST /__clear          forget recorded requests and per-test state
  POST /__state?k=v      set a key in the shared state dict (routes may read it)
Usage: server.py [--port N] [--port-file PATH]
"""
import argparse
import base64
import importlib
import json
import os
import pkgutil
import re
import sys
import threading
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import urlsplit, parse_qs

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from routes.common import App, Request, Response  # noqa: E402

APP = App()
LOG = []
LOG_LOCK = threading.Lock()


def load_routes():
    import routes
    for mod in sorted(pkgutil.iter_modules(routes.__path__), key=lambda m: m.name):
        if mod.name == "common":
            continue
        module = importlib.import_module("routes." + mod.name)
        if hasattr(module, "register"):
            module.register(APP)


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    # Headers and body go out as separate writes: without this a kept-alive
    # connection waits for the client's delayed acknowledgement (~40 ms) on
    # every answer.
    disable_nagle_algorithm = True

    def log_message(self, fmt, *args):  # keep test output quiet
        pass

    def _read_body(self):
        length = int(self.headers.get("Content-Length") or 0)
        return self.rfile.read(length) if length > 0 else b""

    def _send(self, resp):
        if resp is None:
            self.close_connection = True
            return
        body = resp.body if isinstance(resp.body, bytes) else resp.body.encode("utf-8")
        try:
            self.send_response(resp.status)
            for k, v in resp.headers:
                self.send_header(k, v)
            if not any(k.lower() == "content-length" for k, _ in resp.headers):
                self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            if self.command != "HEAD":
                self.wfile.write(body)
                # A route may stream the rest of its answer slowly (downloads in progress).
                for chunk in getattr(resp, "chunks", None) or ():
                    self.wfile.write(chunk)
                    self.wfile.flush()
        except (BrokenPipeError, ConnectionResetError):
            pass
        if getattr(resp, "close", False):  # a route may drop the connection after its answer
            self.close_connection = True

    def _control(self, parts, body):
        if parts.path == "/__log":
            with LOG_LOCK:
                data = json.dumps(LOG).encode()
            return Response(200, data, [("Content-Type", "application/json")])
        if parts.path == "/__clear":
            with LOG_LOCK:
                LOG.clear()
            APP.state.clear()
            return Response(200, b"ok")
        if parts.path == "/__state":
            for k, v in parse_qs(parts.query, keep_blank_values=True).items():
                APP.state[k] = v[-1]
            return Response(200, b"ok")
        return Response(404, b"no such control path")

    def _handle(self):
        body = self._read_body()
        if self.command == "CONNECT":
            # TLS is never used in tests: refuse tunnels (https hosts fail fast).
            self._send(Response(405, b"no tunnels"))
            return
        target = self.path
        if target.startswith("/"):
            parts = urlsplit("http://local" + target)
            if parts.path.startswith("/__"):
                self._send(self._control(parts, body))
                return
            host = (self.headers.get("Host") or "").split(":")[0]
        else:
            parts = urlsplit(target)
            host = parts.hostname or ""
        req = Request(self.command, host, parts.path or "/", parts.query,
                      dict(self.headers.items()), body)
        with LOG_LOCK:
            LOG.append({
                "method": req.method, "host": host, "path": req.path,
                "query": req.query, "headers": req.headers,
                "body_b64": base64.b64encode(body).decode(),
            })
        self._send(APP.dispatch(req))

    do_GET = do_POST = do_HEAD = do_PUT = do_DELETE = do_CONNECT = _handle


class Server(ThreadingHTTPServer):
    def handle_error(self, request, client_address):
        # Clients that give up on a slow answer reset the connection: not an error.
        if isinstance(sys.exc_info()[1], (ConnectionResetError, BrokenPipeError)):
            return
        super().handle_error(request, client_address)


def exit_with_parent():
    """A test program that dies without stopping us must not leave us behind."""
    parent = os.getppid()

    def watch():
        import time
        while os.getppid() == parent:
            time.sleep(0.5)
        os._exit(0)

    threading.Thread(target=watch, daemon=True).start()


def main():
    exit_with_parent()
    ap = argparse.ArgumentParser()
    ap.add_argument("--port", type=int, default=0)
    ap.add_argument("--port-file")
    args = ap.parse_args()
    load_routes()
    server = Server(("127.0.0.1", args.port), Handler)
    server.daemon_threads = True
    port = server.server_address[1]
    if args.port_file:
        tmp = args.port_file + ".tmp"
        with open(tmp, "w") as f:
            f.write(str(port))
        os.replace(tmp, args.port_file)
    print("fake marketplace on 127.0.0.1:%d" % port, flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()

"""Routing helpers shared by the route modules.

A route module defines register(app) and adds handlers with
    @app.route(r"www\.vasaro\.test", r"/omasivu/.*", methods=("GET",))
    def handler(req): return Response(200, "<html>...</html>")
Host and path patterns are full-match regular expressions. The first matching
route wins; modules load in alphabetical order.
"""
import re
from http.cookies import SimpleCookie
from urllib.parse import parse_qs



class Request:
    def __init__(self, method, host, path, query, headers, body):
        self.method = method
        self.host = host
        self.path = path
        self.query = query
        self.headers = headers
        self.body = body
        self.args = {k: v[-1] for k, v in parse_qs(query, keep_blank_values=True).items()}

    def header(self, name, default=""):
        for k, v in self.headers.items():
            if k.lower() == name.lower():
                return v
        return default

    def cookies(self):
        c = SimpleCookie()
        try:
            c.load(self.header("Cookie"))
        except Exception:
            pass
        return {k: m.value for k, m in c.items()}

    def form(self):
        text = self.body.decode("utf-8", "replace")
        return {k: v[-1] for k, v in parse_qs(text, keep_blank_values=True).items()}


class Response:
    def __init__(self, status=200, body=b"", headers=None, content_type=None):
        self.status = status
        self.body = body
        self.headers = list(headers or [])
        if content_type is None and not any(k.lower() == "content-type" for k, _ in self.headers):
            content_type = "text/html; charset=utf-8"
        if content_type:
            self.headers.append(("Content-Type", content_type))


def html(body, status=200, headers=None):
    return Response(status, body, headers)


class App:
    def __init__(self):
        self.routes = []
        self.state = {}

    def route(self, host, path, methods=("GET", "POST", "HEAD")):
        def deco(fn):
            self.routes.append((re.compile(host), re.compile(path), tuple(methods), fn))
            return fn
        return deco

    def dispatch(self, req):
        for host_re, path_re, methods, fn in self.routes:
            if req.method in methods and host_re.fullmatch(req.host) and path_re.fullmatch(req.path):
                try:
                    return fn(req)
                except Exception as e:  # a broken fixture answers 500, never kills the server
                    return Response(500, ("fixture error: %r" % e).encode())
        return Response(404, b"<html><body>Sivua ei loytynyt</body></html>")

"""Answers that misbehave, on any host, under /huono/ (bad-input tests).

/huono/teksti?t=...            200, the text t in UTF-8
/huono/tavut?hex=..&ct=..      200, exactly the given bytes (content type ct)
/huono/tila?s=404&t=...        status s with body t
/huono/500                     500 with an error page
/huono/sotku                   200, 64 KB of pseudo-random bytes
/huono/katkaistu               declares 100000 bytes, sends 100, closes
/huono/valtava?mb=10           200, mb megabytes of text
/huono/latin1                  200, ISO 8859-1 letters, no charset
/huono/latin1utf8              the same bytes declared as UTF-8
/huono/uudelleen               302 -> /huono/perilla (200 "Perillä")
/huono/kehae                   302 to itself, for ever
/huono/uudelleen404            302 -> a page that does not exist
/huono/hiljaa?s=4              answers nothing for s seconds (at most 15),
                               then closes the connection
/huono/sulje                   closes the connection without an answer
/huono/hidas?ms=500&t=x        200 "x" after ms milliseconds (at most 15 s)
/huono/vastaanota              200 "vastaanotettu <n> tavua" (upload target)
/huono/otsakkeet               200, the request headers one "Name: value" a line,
                               in the order they arrived
"""
import random
import time

from routes.common import Response

ANY_HOST = r"[A-Za-z0-9.-]+"


class Closing(Response):
    close = True


def register(app):
    def route(path, methods=("GET", "POST", "HEAD")):
        return app.route(ANY_HOST, r"/huono/" + path, methods)

    @route("teksti")
    def text(req):
        return Response(200, req.args.get("t", "").encode("utf-8"))

    @route("tavut")
    def raw(req):
        return Response(200, bytes.fromhex(req.args.get("hex", "")),
                        content_type=req.args.get("ct", "application/octet-stream"))

    @route("tila")
    def status(req):
        return Response(int(req.args.get("s", "404")), req.args.get("t", "").encode("utf-8"))

    @route("500")
    def server_error(req):
        return Response(500, b"<html><body>Palvelinvirhe</body></html>")

    @route("sotku")
    def garbled(req):
        rnd = random.Random(4)
        return Response(200, bytes(rnd.getrandbits(8) for _ in range(65536)))

    @route("katkaistu")
    def truncated(req):
        return Closing(200, b"x" * 100, [("Content-Length", "100000")])

    @route("valtava")
    def huge(req):
        mb = min(int(req.args.get("mb", "10")), 64)
        line = ("Valtava vastaus \u00e4\u00f6 " * 16 + "\n").encode("utf-8")
        size = mb * 1024 * 1024
        return Response(200, (line * (size // len(line) + 1))[:size])

    @route("latin1")
    def latin1(req):
        return Response(200, "P\u00e4iv\u00e4\u00e4 \u00f6ljy".encode("latin-1"),
                        content_type="text/html")

    @route("latin1utf8")
    def latin1_as_utf8(req):
        return Response(200, "P\u00e4iv\u00e4\u00e4 \u00f6ljy".encode("latin-1"))

    @route("uudelleen")
    def redirect(req):
        return Response(302, b"", [("Location", "/huono/perilla")])

    @route("perilla")
    def target(req):
        return Response(200, "Perill\u00e4".encode("utf-8"))

    @route("kehae")
    def loop(req):
        return Response(302, b"", [("Location", req.path)])

    @route("uudelleen404")
    def redirect_404(req):
        return Response(302, b"", [("Location", "/huono/eiole")])

    @route("hiljaa")
    def silent(req):
        time.sleep(min(float(req.args.get("s", "4")), 15.0))
        return None

    @route("sulje")
    def close(req):
        return None

    @route("hidas")
    def slow(req):
        time.sleep(min(float(req.args.get("ms", "500")) / 1000.0, 15.0))
        return Response(200, req.args.get("t", "hidas").encode("utf-8"))

    @route("vastaanota", methods=("POST",))
    def receive(req):
        return Response(200, ("vastaanotettu %d tavua" % len(req.body)).encode("utf-8"))

    @route("otsakkeet")
    def headers(req):
        lines = "".join("%s: %s\n" % (k, v) for k, v in req.headers.items())
        return Response(200, lines.encode("latin-1", "replace"), content_type="text/plain")

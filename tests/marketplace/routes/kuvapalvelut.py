"""The four picture hosts of the listing editor's upload commands.

Each upload is a multipart POST; the parts are kept (name, file name, size,
first bytes) so that tests can ask what arrived:
  GET  http://<any picture host>/__osat   JSON list of uploads, each a list
                                          of parts {name, filename, size, jpeg}
POST imgur.test/upload                    {"data":{"hash":"Kuva<n>",...}} for
                                          the part "file"
POST www.aijaa.test/upld/                 a page with one
                                          value='<a href=... target=_blank>...'
                                          per "img[]" part (the first link twice)
POST www.vasarokuva.test/multikuva.php    "<n>.jpg" per non-empty "tiedosto<i>"
                                          part; "Kirjaudu ensin" without "user"
POST koti.myyja.test/kuvat/lataa.php      "k<n>.jpg" per non-empty
                                          "fileupload<i>" part
State "kuvavika" set to "<host>:<fault>" makes that host fail, where <host>
is imgur, aijaa, vasarokuva or koti:
  virhe   a 500 error page
  sulje   a closed connection
  hiljaa  the upload is read and kept, and no answer ever comes: the
          connection stays open until the state changes or 90 s (longer than
          the program's 60 s upload wait) have passed, then closes unanswered.
"""
import json
import threading
import time

from routes.common import Response

UPLOADS = []
LOCK = threading.Lock()
PICTURE_HOSTS = r"imgur\.test|www\.aijaa\.test|www\.vasarokuva\.test|koti\.myyja\.test"


class Closing(Response):
    close = True


def parts_of(req):
    """(name, filename, data) of every part of a multipart body."""
    ctype = req.header("Content-Type")
    if "boundary=" not in ctype:
        return []
    boundary = b"--" + ctype.split("boundary=", 1)[1].strip().encode()
    parts = []
    for chunk in req.body.split(boundary)[1:]:
        if chunk.startswith(b"--"):
            break
        head, _, data = chunk.partition(b"\r\n\r\n")
        if data.endswith(b"\r\n"):
            data = data[:-2]
        disposition = head.decode("latin-1")
        name = disposition.split('name="', 1)[1].split('"', 1)[0] if 'name="' in disposition else ""
        filename = None
        if 'filename="' in disposition:
            filename = disposition.split('filename="', 1)[1].split('"', 1)[0]
        parts.append((name, filename, data))
    return parts


def record(req):
    parts = parts_of(req)
    with LOCK:
        UPLOADS.append([{"name": n, "filename": f, "size": len(d),
                         "jpeg": d[:3] == b"\xff\xd8\xff",
                         "text": d.decode("cp1252", "replace") if f is None else None}
                        for n, f, d in parts])
        count = len(UPLOADS)
    return parts, count


SILENT_SECONDS = 90


def keep_silent(app, fault):
    """Holds the connection without an answer while the host stays silent."""
    deadline = time.time() + SILENT_SECONDS
    while time.time() < deadline and app.state.get("kuvavika") == fault:
        time.sleep(0.2)
    return None


def numbered_names(parts, count, stem, prefix):
    """The stored names "<prefix><upload>_<number>.jpg" of the non-empty
    "<stem><number>" parts, one directly after the other."""
    names = ["%s%d_%s.jpg" % (prefix, count, n[len(stem):]) for n, f, d in parts if n.startswith(stem) and d]
    return Response(200, "".join(names).encode(), content_type="text/plain")


def upload_route(app, host_re, path_re, host):
    """A host's upload address: the host's fault when one is set, otherwise
    the upload is kept and answer(parts, upload number) answers."""
    def deco(answer):
        @app.route(host_re, path_re, ("POST",))
        def upload(req):
            fault = app.state.get("kuvavika", "")
            if fault == host + ":virhe":
                return Response(500, b"<html><body>Palvelu ei toimi</body></html>")
            if fault == host + ":sulje":
                return None
            parts, count = record(req)
            if fault == host + ":hiljaa":
                return keep_silent(app, fault)
            return answer(parts, count)
        return answer
    return deco


def register(app):
    @app.route(PICTURE_HOSTS, r"/__osat", ("GET",))
    def uploads(req):
        with LOCK:
            return Response(200, json.dumps(UPLOADS).encode(), content_type="application/json")

    @app.route(PICTURE_HOSTS, r"/__tyhjenna", ("POST",))
    def forget(req):
        with LOCK:
            UPLOADS.clear()
        return Response(200, b"ok")

    @upload_route(app, r"imgur\.test", r"/upload", "imgur")
    def imgur(parts, count):
        return Response(200, json.dumps({"data": {"hash": "Kuva%d" % count, "deletehash": "x"},
                                         "success": True}).encode(), content_type="application/json")

    @upload_route(app, r"www\.aijaa\.test", r"/upld/", "aijaa")
    def aijaa(parts, count):
        links = []
        for i, (name, filename, data) in enumerate(p for p in parts if p[0] == "img[]"):
            if data:
                links.append("<input value='<a href=\"http://www.aijaa.test/v/%d_%d\" target=_blank>"
                             "<img src=\"http://www.aijaa.test/t/%d_%d.jpg\"></a>'>" % (count, i, count, i))
        if links:
            links.insert(1, links[0])
        return Response(200, ("<html><body>%s</body></html>" % "".join(links)).encode())

    @upload_route(app, r"www\.vasarokuva\.test", r"/multikuva\.php", "vasarokuva")
    def vasarokuva(parts, count):
        fields = {n: d for n, f, d in parts if f is None}
        if not fields.get("user"):
            return Response(200, b"Kirjaudu ensin")
        return numbered_names(parts, count, "tiedosto", "")

    @upload_route(app, r"koti\.myyja\.test", r"/kuvat/lataa\.php", "koti")
    def own_server(parts, count):
        return numbered_names(parts, count, "fileupload", "k")

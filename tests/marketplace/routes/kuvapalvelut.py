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
State "kuvavika" set to a host's name makes that host fail:
  "<host>:virhe" a 500 error page, "<host>:sulje" a closed connection.
"""
import json
import threading

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


def failure(app, host):
    fault = app.state.get("kuvavika", "")
    if fault == host + ":virhe":
        return Response(500, b"<html><body>Palvelu ei toimi</body></html>")
    if fault == host + ":sulje":
        return None
    return False


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

    @app.route(r"imgur\.test", r"/upload", ("POST",))
    def imgur(req):
        fail = failure(app, "imgur")
        if fail is not False:
            return fail
        _, count = record(req)
        return Response(200, json.dumps({"data": {"hash": "Kuva%d" % count, "deletehash": "x"},
                                         "success": True}).encode(), content_type="application/json")

    @app.route(r"www\.aijaa\.test", r"/upld/", ("POST",))
    def aijaa(req):
        fail = failure(app, "aijaa")
        if fail is not False:
            return fail
        parts, count = record(req)
        links = []
        for i, (name, filename, data) in enumerate(p for p in parts if p[0] == "img[]"):
            if data:
                links.append("<input value='<a href=\"http://www.aijaa.test/v/%d_%d\" target=_blank>"
                             "<img src=\"http://www.aijaa.test/t/%d_%d.jpg\"></a>'>" % (count, i, count, i))
        if links:
            links.insert(1, links[0])
        return Response(200, ("<html><body>%s</body></html>" % "".join(links)).encode())

    @app.route(r"www\.vasarokuva\.test", r"/multikuva\.php", ("POST",))
    def vasarokuva(req):
        fail = failure(app, "vasarokuva")
        if fail is not False:
            return fail
        parts, count = record(req)
        fields = {n: d for n, f, d in parts if f is None}
        if not fields.get("user"):
            return Response(200, b"Kirjaudu ensin")
        names = ["%d_%s.jpg" % (count, n[len("tiedosto"):]) for n, f, d in parts
                 if n.startswith("tiedosto") and d]
        return Response(200, "".join(names).encode(), content_type="text/plain")

    @app.route(r"koti\.myyja\.test", r"/kuvat/lataa\.php", ("POST",))
    def own_server(req):
        fail = failure(app, "koti")
        if fail is not False:
            return fail
        parts, count = record(req)
        names = ["k%d_%s.jpg" % (count, n[len("fileupload"):]) for n, f, d in parts
                 if n.startswith("fileupload") and d]
        return Response(200, "".join(names).encode(), content_type="text/plain")

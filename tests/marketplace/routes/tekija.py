"""The maker's update service on www.vsselain.test and lataus.vsselain.test.

The version file (both names answer alike; the request is recorded):
/selainversio.php, /selainversio.dat
    state "versio": the answer text (default "4.05\\r\\n")
    state "versio_hiljaa"=1: no answer for 15 s, then the connection closes

Program files, <folder>/vsselain and its signature <folder>/vsselain.sig:
/<folder>/vsselain[.sig]   from the folder named by state "ohjelmat" (files
                           the test wrote and signed with its own key; a
                           missing file answers 404)
/lyhyt/vsselain            1 099 999 bytes, one too few for a program file
/hiljaa/vsselain[.sig]     never answers (15 s, then closes)
/kielletty/vsselain        403
"""
import os
import time

from routes.common import Response

MAKER = r"(www|lataus)\.vsselain\.test"
SILENT_SECONDS = 15.0


def register(app):
    @app.route(MAKER, r"/selainversio\.(php|dat)", ("GET",))
    def version(req):
        if app.state.get("versio_hiljaa") == "1":
            time.sleep(SILENT_SECONDS)
            return None
        text = app.state.get("versio", "4.05\r\n")
        return Response(200, text.encode("utf-8"), content_type="text/plain")

    @app.route(MAKER, r"/lyhyt/vsselain", ("GET",))
    def too_short(req):
        return Response(200, b"\x7fELF" + b"\0" * 1099995, content_type="application/octet-stream")

    @app.route(MAKER, r"/hiljaa/vsselain(\.sig)?", ("GET",))
    def silent(req):
        time.sleep(SILENT_SECONDS)
        return None

    @app.route(MAKER, r"/kielletty/vsselain", ("GET",))
    def forbidden(req):
        return Response(403, b"<html><body>Kielletty</body></html>")

    @app.route(MAKER, r"/[A-Za-z0-9_-]+/vsselain(\.sig)?", ("GET",))
    def program_file(req):
        root = app.state.get("ohjelmat", "")
        if not root:
            return Response(404, b"no program folder")
        rel = req.path.lstrip("/")
        path = os.path.join(root, *rel.split("/"))
        if not os.path.isfile(path):
            return Response(404, b"<html><body>Ei loydy</body></html>")
        with open(path, "rb") as f:
            return Response(200, f.read(), content_type="application/octet-stream")

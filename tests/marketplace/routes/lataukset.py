"""Downloads and leaving pages, for the browser's download and dialog tests.

/testi/lataukset              links to the answers below, an edit field
/testi/liite/<name>           200, "Content-Disposition: attachment" with the
                              file name <name>; body LIITE (a small CSV file)
/testi/liite-iso?kt=N         attachment "iso.bin" of N kilobytes (at most 65536)
/testi/liite-katkaistu        attachment "katkaistu.bin" that declares 100000
                              bytes, sends 100 and closes the connection
/testi/poistuminen            a page with a leave-page (beforeunload) handler
"""
from routes.common import Response, html

LIITE = "tuote;hinta\nvasara;12,50\nnaula;0,05\n".encode("utf-8")


class Closing(Response):
    close = True


def attachment(name, body, extra=None):
    headers = [("Content-Disposition", 'attachment; filename="%s"' % name)] + list(extra or [])
    return Response(200, body, headers, content_type="application/octet-stream")


def register(app):
    host = r"www\.vasaro\.test"

    @app.route(host, r"/testi/lataukset")
    def downloads(req):
        return html("""<!DOCTYPE html><html><head><meta charset='utf-8'><title>Lataukset</title></head><body>
<p><a id='liite' href='/testi/liite/hinnasto.csv'>hinnasto</a></p>
<p><a id='iso' href='/testi/liite-iso?kt=32768'>iso tiedosto</a></p>
<p><a id='katkaistu' href='/testi/liite-katkaistu'>katkeava</a></p>
<p><a id='sivu' href='/testi/poistuminen'>tavallinen linkki</a></p>
<p><input id='kentta' value='teksti'></p>
<p id='tyhja' style='height:200px'>tyhjää</p>
</body></html>""")

    @app.route(host, r"/testi/liite/[^/]+")
    def named(req):
        return attachment(req.path.rsplit("/", 1)[1], LIITE)

    @app.route(host, r"/testi/liite-iso")
    def big(req):
        kb = max(1, min(int(req.args.get("kt", "1024")), 65536))
        return attachment("iso.bin", bytes(range(256)) * (4 * kb))

    @app.route(host, r"/testi/liite-katkaistu")
    def cut(req):
        return Closing(200, b"x" * 100, [
            ("Content-Disposition", 'attachment; filename="katkaistu.bin"'),
            ("Content-Type", "application/octet-stream"),
            ("Content-Length", "100000")])

    @app.route(host, r"/testi/poistuminen")
    def leaving(req):
        return html("""<!DOCTYPE html><html><head><meta charset='utf-8'><title>Poistuminen</title></head><body>
<p><textarea id='viesti'>kesken</textarea></p>
<p id='tyhja' style='height:200px'>tyhjää</p>
<script>
window.addEventListener('beforeunload', function (e) { e.preventDefault(); e.returnValue = 'kesken'; });
</script></body></html>""")

"""Pages for the browser's everyday tools (find bar, history, PDF).

/testi/etsi17            the word "vasara" 17 times, in paragraphs and a table
/testi/selain/<word>     a small page titled "Selain <word>"
/testi/asiakirja.pdf     a one-page PDF document (application/pdf, inline)
/testi/liite-hidas       attachment "hidas.bin", 1 MiB sent 8 KiB per 100 ms (a download
                         still running while a test looks at it)
"""
import html as htmlmod
import time

from routes.common import Response, html


def pdf_document(text):
    """A minimal valid PDF with one page showing `text` (ASCII)."""
    stream = ("BT /F1 24 Tf 72 720 Td (%s) Tj ET" % text).encode("ascii")
    objects = [
        b"<< /Type /Catalog /Pages 2 0 R >>",
        b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] "
        b"/Resources << /Font << /F1 5 0 R >> >> /Contents 4 0 R >>",
        b"<< /Length %d >>\nstream\n" % len(stream) + stream + b"\nendstream",
        b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
    ]
    out = b"%PDF-1.4\n"
    offsets = []
    for i, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % i + body + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    for off in offsets:
        out += b"%010d 00000 n \n" % off
    out += b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objects) + 1, xref)
    return out


def register(app):
    host = r"www\.vasaro\.test"

    @app.route(host, r"/testi/etsi17")
    def seventeen(req):
        paras = "".join("<p>Rivi %d: vasara ja naula</p>" % i for i in range(12))
        cells = "".join("<td>Vasara %d</td>" % i for i in range(4))
        return html("<!DOCTYPE html><html><head><meta charset='utf-8'><title>Etsintä</title></head><body>"
                    "%s<table><tr>%s</tr></table><p>Viimeinen VASARA.</p>"
                    "<p style='height:1500px'>loppu</p></body></html>" % (paras, cells))

    @app.route(host, r"/testi/selain/[^/]+")
    def named(req):
        word = htmlmod.escape(req.path.rsplit("/", 1)[1])
        return html("<!DOCTYPE html><html><head><meta charset='utf-8'><title>Selain %s</title></head>"
                    "<body><p id='teksti'>%s</p><a id='seuraava' href='/testi/selain/%s-2'>seuraava</a>"
                    "</body></html>" % (word, word, word))

    @app.route(host, r"/testi/asiakirja\.pdf")
    def document(req):
        return Response(200, pdf_document("Vasaro asiakirja"), [], content_type="application/pdf")

    @app.route(host, r"/testi/liite-hidas")
    def slow(req):
        size, step = 1 << 20, 8 << 10

        def chunks():
            for _ in range(size // step):
                time.sleep(0.1)
                yield b"h" * step

        resp = Response(200, b"", [
            ("Content-Disposition", 'attachment; filename="hidas.bin"'),
            ("Content-Type", "application/octet-stream"),
            ("Content-Length", str(size))])
        resp.chunks = chunks()
        return resp

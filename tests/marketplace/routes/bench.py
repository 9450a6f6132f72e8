"""The start-up benchmark's home page.

GET /haku/vertailu          a result page of 60 cards with their pictures and
                            a description each (about 150 KB); its load event
                            requests /bench/ladattu?t=<Date.now()>
GET /bench/ladattu          the page's load report (an empty answer; the
                            request log holds the time)
"""
import html as htmlmod

from routes.common import Response, html
from routes.listings import HOST, _card

_TEXT = ("Hyväkuntoinen kohde, toimitus postitse tai nouto. " * 45)

_REPORT = """<script>
window.addEventListener('load', function () {
  new Image().src = '/bench/ladattu?t=' + Date.now();
});
</script>"""


def _bench_card(i):
    return _card(i).replace("<div class='hinta'>",
                            "<p class='kuvaus'>%s</p><div class='hinta'>" % htmlmod.escape(_TEXT), 1)


def register(app):
    @app.route(HOST, r"/haku/vertailu", methods=("GET",))
    def bench_results(req):
        cards = "".join(_bench_card(i) for i in range(60))
        body = ("<div id='navigation' style='height:40px'>Vasaro - navigaatio</div>"
                "<h1>Hakutulokset</h1><div id='tulokset'>%s</div>" % cards)
        return html("<!DOCTYPE html><html><head><meta charset='utf-8'><title>Hakutulokset</title>"
                    "%s</head><body>%s</body></html>" % (_REPORT, body))

    @app.route(HOST, r"/bench/ladattu", methods=("GET",))
    def bench_loaded(req):
        return Response(204, b"")

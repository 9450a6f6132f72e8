"""Result pages with listing pictures, a category page and dated forum threads.

Loaded before listings.py, so these more specific paths win over its
general /haku, /osasto and /keskustelu pages.

GET /haku/kuvahaku[?kortit=N]          N cards (default 6); each has a picture
                                       link and a title link to the same item
                                       31000100 + i; card 0 has no bids (the
                                       API's numbers ending in "00"), the last
                                       card shows the no-picture image, card 2
                                       has an "ä" in its address.
GET /osasto/pienet-kuvat/<n>/          category listing: pictures from the
                                       picture host, one no-picture image,
                                       the site logo and an ad banner
GET /keskustelu/paivatyt/show/<n>      forum thread with messages dated
                                       ?paiva=dd.mm.yyyy (default 04.03.2022),
                                       the day before and two days before
GET kuvat.vasaro.test/<name>.jpg       picture host (small -s and medium -m)
"""
import datetime
import html as htmlmod

from routes.common import Response, html

HOST = r"www\.vasaro\.test"
FIRST = 31000100


def _png(width, height):
    """A grey PNG of the given size."""
    import struct
    import zlib

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff)
    rows = b"".join(b"\x00" + b"\x80" * width for _ in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 0, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


_SMALL = _png(140, 105)
_MEDIUM = _png(400, 300)


def _page(title, body):
    return html("<!DOCTYPE html><html><head><meta charset='utf-8'><title>%s</title>"
                "<style>body{margin:0;font:14px sans-serif} .row-fluid{height:130px;border-bottom:1px solid #ccc}"
                " .kuva{float:left;width:150px} .otsikko{display:inline-block;margin-top:40px}</style>"
                "</head><body>%s</body></html>" % (htmlmod.escape(title), body))


def _slug(i):
    return "tyyny-%C3%A4iti" if i == 2 else "kohde-%d" % i


def _card(i, last):
    number = FIRST + i
    href = "/kohteet/%s/%d" % (_slug(i), number)
    picture = ("/img/eikuvaa_140.png" if last else "http://kuvat.vasaro.test/%d-s.jpg" % number)
    return ("<div class='row-fluid item' id='kortti%d'>"
            "<div class='kuva'><a href='%s'><img id='kuva%d' src='%s' width='140' height='105'></a></div>"
            "<a class='otsikko' id='otsikko%d' href='%s'>Kohde numero %d</a></div>"
            % (i, href, i, picture, i, href, i))


def _forum_dates(req):
    try:
        day = datetime.datetime.strptime(req.args.get("paiva", "04.03.2022"), "%d.%m.%Y").date()
    except ValueError:
        day = datetime.date(2022, 3, 4)
    return [day - datetime.timedelta(days=n) for n in range(3)]


def _message(n, date):
    stamp = date.strftime("%d.%m.%Y")
    return ("<div class='viesti' id='viesti%d'>"
            "<div class='otsake' id='otsake%d'>Kirjoitettu: %s klo 10.15</div>"
            "<div class='message-time' id='aika%d'>%s 10:15</div>"
            "<div class='teksti' id='teksti%d'>Viesti %d</div></div>" % (n, n, stamp, n, stamp, n, n))


def register(app):
    @app.route(HOST, r"/haku/kuvahaku/?", methods=("GET",))
    def results(req):
        try:
            count = max(1, min(int(req.args.get("kortit", "6")), 40))
        except ValueError:
            count = 6
        cards = "".join(_card(i, i == count - 1) for i in range(count))
        return _page("Kuvahaku", "<h1 id='otsikko'>Hakutulokset</h1><div id='tulokset'>%s</div>" % cards)

    @app.route(HOST, r"/osasto/pienet-kuvat/\d+/?", methods=("GET",))
    def category(req):
        pictures = "".join("<a href='/kohteet/kohde-%d/%d'><img id='kuva%d' src='http://kuvat.vasaro.test/%d-s.jpg'"
                           " width='140' height='105'></a>" % (i, FIRST + i, i, FIRST + i) for i in range(3))
        body = ("<img id='logo' src='/img/logo.png' height='60'>"
                "<img id='banneri' src='/ads/banneri.gif' height='90'>"
                "<div id='tulokset'>%s<img id='eikuvaa' src='/img/eikuvaa_140.png' height='105'></div>"
                % pictures)
        return _page("Osasto", body)

    @app.route(HOST, r"/keskustelu/paivatyt/show/\d+", methods=("GET",))
    def forum(req):
        messages = "".join(_message(n, d) for n, d in enumerate(_forum_dates(req)))
        return _page("Keskustelu", "<h1>Keskustelu</h1><div id='viestit'>%s</div>" % messages)

    @app.route(HOST, r"/img/.*", methods=("GET",))
    def site_image(req):
        return Response(200, _SMALL, content_type="image/png")

    @app.route(r"kuvat\.vasaro\.test", r"/\d+-[sm]\.jpg", methods=("GET",))
    def picture(req):
        return Response(200, _MEDIUM if req.path.endswith("-m.jpg") else _SMALL, content_type="image/png")

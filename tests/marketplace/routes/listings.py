"""Result, category, item, forum and own-sales pages with advertising.

GET /haku[/...]                  result page; ?kortit=N cards (default 12),
                                 ?mainokset=0 leaves the ad frames out
GET /osasto/<nimi>/<nro>[/]      category listing (same page)
GET /kohteet/<slug>/<nro>        item page; numbers starting with 9 are the
                                 user's own (they carry "muokkaa-ilmoitusta")
GET /keskustelu/<alue>/show/<n>  forum thread with an ad frame
GET /omasivu/myynnit             own-sales page (rows Julkaistu / Myyty / Ei myyty)
GET /testit/dialogit             buttons that call alert, confirm and window.close
GET /testit/divit?n=N            N div elements (Document benchmark)
GET /testit/uusi-ilmoitus[/...]  listing form stand-in (quantity, deliveryother, CKEDITOR)
GET /testit/lomake               a POST form to /testit/vastaanota
POST /testit/vastaanota          echoes the received form body
Ad and tracking hosts (ads.admeta.com, s0.2mdn.net, www.google-analytics.com,
connect.facebook.net, widgets.outbrain.com, static.ilcdn.fi) answer small
bodies, so a request that was not blocked shows up in the log.
"""
import html as htmlmod

from routes.common import Response, html

HOST = r"www\.vasaro\.test"
AD_HOSTS = r"(ads\.admeta\.com|s0\.2mdn\.net|www\.google-analytics\.com|connect\.facebook\.net|" \
           r"widgets\.outbrain\.com|static\.ilcdn\.fi|www\.hotjar\.com)"

TRACKERS = """
<script src="http://www.google-analytics.com/analytics.js"></script>
<script src="http://widgets.outbrain.com/outbrain.js"></script>
<script src="http://connect.facebook.net/fi_FI/sdk.js"></script>
<img id="mainoskuva" src="http://www.vasaro.test/ads/banneri.gif" width="1" height="1">
"""

AD_FRAMES = """
<div id="mainokset">
<iframe id="mainos1" src="http://ads.admeta.com/banneri?paikka=1" width="300" height="50"></iframe>
<iframe id="mainos2" src="http://static.ilcdn.fi/promo/laatikko.html" width="300" height="50"></iframe>
</div>
"""


def _png():
    """A 1x1 grey PNG."""
    import struct
    import zlib

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 1, 1, 8, 0, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(b"\x00\x80")) + chunk(b"IEND", b""))


_PNG = _png()


def _page(title, body, head=""):
    return html("<!DOCTYPE html><html><head><meta charset='utf-8'><title>%s</title>%s</head>"
                "<body>%s</body></html>" % (htmlmod.escape(title), head, body))


def _card(i):
    number = 30000000 + i
    seller = "myyja%d" % (i % 7)
    return ("<div class='item-card' id='kortti%d'>"
            "<a class='kuva' href='/kohteet/kohde-%d/%d'><img src='/kuvat/%d.png' width='120' height='90'></a>"
            "<h3><a class='otsikko' href='/kohteet/kohde-%d/%d'>Kohde %d</a></h3>"
            "<div class='myyja'><a href='/kayttaja/%d'>%s</a></div>"
            "<div class='hinta'>%d,00 &euro;</div></div>"
            % (i, i, number, number, i, number, i, 1000 + i % 7, seller, 5 + i))


def _results(req, title):
    try:
        count = int(req.args.get("kortit", "12"))
    except ValueError:
        count = 12
    ads = req.args.get("mainokset", "1") != "0"
    cards = "".join(_card(i) for i in range(count))
    body = ("<div id='navigation' style='height:40px'>Vasaro - navigaatio</div>"
            "<h1>%s</h1><div id='tulokset'>%s</div>%s%s"
            "<div style='height:3000px'></div>"
            % (htmlmod.escape(title), cards, AD_FRAMES if ads else "", TRACKERS if ads else ""))
    return _page(title, body)


def register(app):
    @app.route(HOST, r"/haku(/.*)?", methods=("GET",))
    def search_results(req):
        return _results(req, "Hakutulokset")

    @app.route(HOST, r"/osasto/[^/]+/\d+/?", methods=("GET",))
    def category(req):
        return _results(req, "Osasto")

    @app.route(HOST, r"/kohteet/([^/]+/)?(\d+)", methods=("GET",))
    def item(req):
        number = req.path.rstrip("/").split("/")[-1]
        own = number.startswith("9")
        edit = ("<a id='muokkaa' href='/muokkaa-ilmoitusta/%s'>Muokkaa ilmoitusta</a>" % number) if own else ""
        body = ("<h1 id='otsikko'>Kohde %s</h1><div class='myyja'><a href='/kayttaja/1001'>myyja1</a></div>"
                "%s<form><input id='tarjous' name='tarjous' value=''></form>"
                "<p>Kuvaus: <a id='toinen' href='/kohteet/toinen/12345678'>toinen kohde</a>"
                " <a id='ulkoinen' href='/keskustelu/yleinen'>keskustelu</a></p>%s"
                % (number, edit, AD_FRAMES))
        return _page("Kohde %s" % number, body)

    @app.route(HOST, r"/keskustelu/[^/]+/show/\d+", methods=("GET",))
    def forum(req):
        body = ("<h1>Keskustelu</h1><div class='viesti'>Ensimmäinen viesti</div>"
                "<div class='viesti'>Toinen viesti</div>%s" % AD_FRAMES)
        return _page("Keskustelu", body)

    def own_sales(req):
        rows = [
            ("91111111", "Myytävä lamppu", "Julkaistu"),
            ("92222222", "Myyty tuoli", "Myyty"),
            ("93333333", "Pöytä jota ei myyty", "Ei myyty"),
        ]
        body = "".join(
            "<div class='rivi' id='rivi%s' style='height:40px'><a id='linkki%s' href='/kohteet/kohde/%s'>%s</a>"
            " <span class='tila'>%s</span></div>" % (n, n, n, htmlmod.escape(t), s)
            for n, t, s in rows)
        clock = app.state.get("clock", "4.3.2022 12:34:56")
        return _page("Myynnit", "<div class='header'><span class=\"clock_alt\">%s</span></div>"
                                "<h1>Omat myynnit</h1>%s" % (clock, body))

    # The own-sales page sits under /omasivu/, which another module answers
    # as a whole: this more specific route goes first.
    app.routes.insert(0, (__import__("re").compile(HOST), __import__("re").compile(r"/omasivu/myynnit/?"),
                          ("GET",), own_sales))

    @app.route(HOST, r"/testit/dialogit", methods=("GET",))
    def dialogs(req):
        body = """<h1 id='otsikko'>Dialogit</h1>
<button id='varoitus' onclick="alert('Tavallinen ilmoitus')">a</button>
<button id='julkaisu' onclick="document.getElementById('tulos').textContent = String(confirm('Kohde lähetetään julkaistavaksi'))">b</button>
<button id='kysymys' onclick="document.getElementById('tulos').textContent = String(confirm('Haluatko jatkaa?'))">c</button>
<button id='activex' onclick="alert('ActiveX-komponentti puuttuu')">d</button>
<button id='sulje' onclick="window.close()">e</button>
<p id='tulos'></p>"""
        return _page("Dialogit", body)

    @app.route(HOST, r"/testit/divit", methods=("GET",))
    def divs(req):
        try:
            n = int(req.args.get("n", "500"))
        except ValueError:
            n = 500
        body = "".join("<div class='d' id='d%d'>Rivi <b>%d</b> tekstiä</div>" % (i, i) for i in range(n))
        return _page("Divit", body)

    @app.route(HOST, r"/testit/lomake", methods=("GET",))
    def post_form(req):
        return _page("Lomake", """
<form id='lomake' method='post' action='/testit/vastaanota'>
<input name='tunnus' id='tunnus' value='matti meikäläinen'>
<input name='salasana' id='salasana' type='password' value='s&s=1'>
<button id='laheta' type='submit'>Lähetä</button></form>""")

    @app.route(HOST, r"/testit/vastaanota", methods=("POST",))
    def post_echo(req):
        return _page("Vastaanotettu", "<pre id='runko'>%s</pre>"
                     % htmlmod.escape(req.body.decode("utf-8", "replace")))

    @app.route(HOST, r"/testit/sisakehys", methods=("GET",))
    def with_frame(req):
        return _page("Kehys", "<h1>Sivu</h1><iframe id='k' src='/testit/divit?n=3'></iframe>")

    @app.route(HOST, r"/testit/uusi-ilmoitus(/.*)?", methods=("GET",))
    def listing_form(req):
        # A stand-in for the rich-text editor object the real form has.
        return _page("Ilmoita uusi kohde", """
<script>window.CKEDITOR = {ENTER_BR: 2, ENTER_P: 1, instances: {description: {config: {}}}};</script>
<form><input id='quantity' name='quantity' value='1'>
<textarea id='deliveryother' name='deliveryother' rows='3'></textarea></form>""")

    @app.route(HOST, r"/kuvat/\d+\.png", methods=("GET",))
    def picture(req):
        return Response(200, _PNG, content_type="image/png")

    @app.route(AD_HOSTS, r"/.*")
    def ad_host(req):
        if req.path.endswith(".js"):
            return Response(200, b"/* seuranta */", content_type="application/javascript")
        return html("<html><body style='background:yellow'>Mainos</body></html>")

    @app.route(HOST, r"/ads/.*")
    def own_ads(req):
        return Response(200, b"GIF89a", content_type="image/gif")

"""Pages for the tab, navigation and page-tool tests.

/testi/ikkunat         links with target=_blank, window.open and window.close
/testi/otsikko?t=...   a page whose title is the query text (long/short titles)
/testi/ilmoita         the "Ilmoita uusi kohde" form page
/testi/lomake          a form that Enter submits (GET to /testi/lomake/tulos)
/testi/historia/<n>    numbered pages "Sivu <n>" linking to the next one
/testi/etsi            a tall page with a word five times (find and highlight)
/testi/valimuisti      a page with a cacheable picture (/testi/kuva.png)
/testi/hidas?ms=...    a page that answers after a delay
/testi/kohteet/<n>     an item-like page, /testi/haku a search-like page
/testi/jumittaa?ms=..  a page whose script spins forever after its load (a hung renderer)
(/testi/otsikko also answers for vieras.test: a tab of another site)
"""
import html as htmlmod
import time

from routes.common import Response, html

# A 1x1 transparent GIF.
GIF = (b"GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff!\xf9\x04\x01\x00\x00\x00\x00"
       b",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02D\x01\x00;")


def page(title, body):
    return html("<!DOCTYPE html><html><head><meta charset='utf-8'><title>%s</title></head>"
                "<body>%s</body></html>" % (htmlmod.escape(title), body))


def register(app):
    @app.route(r"www\.vasaro\.test", r"/testi/ikkunat")
    def windows(req):
        return page("Ikkunat", """
<a id='blank' href='/testi/otsikko?t=Uusi%20sivu' target='_blank'>uusi välilehti</a>
<a id='blank2' href='/testi/historia/1' target='_blank'>toinen</a>
<button id='avaa' onclick="window.open('/testi/otsikko?t=Avattu', 'nimi')">avaa</button>
<button id='sulje' onclick="window.close()">sulje</button>
<a id='tavallinen' href='/testi/otsikko?t=Tavallinen'>tavallinen</a>
""")

    @app.route(r"www\.vasaro\.test|vieras\.test", r"/testi/otsikko")
    def titled(req):
        title = req.args.get("t", "")
        return page(title, "<p id='teksti'>Otsikko: %s</p>" % htmlmod.escape(title))

    @app.route(r"www\.vasaro\.test", r"/testi/ilmoita")
    def new_listing(req):
        return page("Vasaro - Ilmoita uusi kohde",
                    "<form><input name='title'><br><textarea id='kuvaus' rows='5'></textarea></form>")

    @app.route(r"www\.vasaro\.test", r"/testi/lomake")
    def form(req):
        return page("Lomake", """
<form id='lomake' action='/testi/lomake/tulos' method='get'>
<input id='q' name='q' autofocus> <input type='submit' value='Hae'>
</form>""")

    @app.route(r"www\.vasaro\.test", r"/testi/lomake/tulos")
    def form_result(req):
        q = req.args.get("q", "")
        return page("Tulos " + q, "<p id='tulos'>%s</p>" % htmlmod.escape(q))

    @app.route(r"www\.vasaro\.test", r"/testi/historia/(\d+)")
    def history(req):
        n = int(req.path.rsplit("/", 1)[1])
        return page("Sivu %d" % n,
                    "<h1>Sivu %d</h1><a id='seuraava' href='/testi/historia/%d'>seuraava</a>" % (n, n + 1))

    @app.route(r"www\.vasaro\.test", r"/testi/etsi")
    def find(req):
        parts = ["<p>Alku ja <b>jotain</b> muuta.</p>"]
        for i in range(5):
            parts.append("<div style='height:900px'>Lohko %d: tässä on Vasara numero %d.</div>" % (i, i))
        parts.append("<script>var piilossa = 'Vasara';</script><p id='loppu'>loppu</p>")
        return page("Etsi", "".join(parts))

    @app.route(r"www\.vasaro\.test", r"/testi/valimuisti")
    def cached_page(req):
        return page("Välimuisti", "<img id='kuva' src='/testi/kuva.gif'>")

    @app.route(r"www\.vasaro\.test", r"/testi/kuva.gif")
    def cached_picture(req):
        return Response(200, GIF, [("Cache-Control", "public, max-age=86400")], content_type="image/gif")

    @app.route(r"www\.vasaro\.test", r"/testi/hidas")
    def slow(req):
        time.sleep(min(int(req.args.get("ms", "1000")), 10000) / 1000.0)
        return page("Hidas", "<p>hidas sivu</p>")

    @app.route(r"www\.vasaro\.test", r"/testi/kohteet/(\d+)")
    def item(req):
        return page("Kohde " + req.path.rsplit("/", 1)[1], "<p>kohde</p>")

    @app.route(r"www\.vasaro\.test", r"/testi/haku")
    def search(req):
        return page("Haku", "<p>haku</p>")

    @app.route(r"www\.vasaro\.test", r"/testi/jumittaa")
    def hang(req):
        # Loads normally, then its script never returns: the renderer hangs.
        ms = min(int(req.args.get("ms", "300")), 10000)
        return page("Jumittaa", "<p id='teksti'>jumittuu</p><script>window.addEventListener('load', function () {"
                    " setTimeout(function () { for (;;) {} }, %d); });</script>" % ms)

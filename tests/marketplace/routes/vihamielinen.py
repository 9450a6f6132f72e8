"""Hostile pages of another site that try to drive the program's dialogs.

GET  hyokkaaja.test/dialogit/rikas     on a click of the button "nappi":
                                       alert() of markup pretending to be the
                                       program's own message, with a file: link
GET  hyokkaaja.test/dialogit/kysy      on a click of "nappi": confirm() and
                                       prompt() of markup; the answers go into
                                       the page's title ("vastaus:<c>|<p>")
GET  hyokkaaja.test/dialogit/silmukka  on a click of "nappi": alerts without
                                       end; the title counts them while they
                                       return ("kierros:<n>")
GET  hyokkaaja.test/dialogit/yksi      one alert at load, then the title "ladattu"
GET  hyokkaaja.test/ulkoinen           a mailto: link (id "posti") and a button
                                       (id "monta") that follows three mailto:
                                       links at once; with ?itse=1 the page
                                       goes to a mailto: address by itself at load
GET  hyokkaaja.test/lataa              starts the download of the marketplace's
                                       attachment /testi/liite/hinnasto.csv by
                                       itself at load (title "Lataa")
"""
from routes.common import html

HOST = r"hyokkaaja\.test"

RICH = ("<h1>VSselain</h1><b>Istunto vanhentui</b><br>"
        "<a href='file:///etc/passwd'>Kirjaudu uudelleen</a>")


def _page(title, script, button=True):
    body = "<button id='nappi' style='width:300px;height:80px'>Jatka</button>" if button else ""
    return html("<!DOCTYPE html><html><head><meta charset='utf-8'><title>%s</title></head>"
                "<body>%s<script>%s</script></body></html>" % (title, body, script))


def register(app):
    @app.route(HOST, r"/dialogit/rikas", methods=("GET",))
    def rich(req):
        return _page("Rikas", "document.getElementById('nappi').onclick = function () {"
                              " alert(%r); document.title = 'hyvaksytty'; };" % RICH)

    @app.route(HOST, r"/dialogit/kysy", methods=("GET",))
    def ask(req):
        return _page("Kysy", "document.getElementById('nappi').onclick = function () {"
                             " var c = confirm(%r); var p = prompt(%r, '<i>oletus</i>');"
                             " document.title = 'vastaus:' + c + '|' + p; };" % (RICH, RICH))

    @app.route(HOST, r"/dialogit/silmukka", methods=("GET",))
    def loop(req):
        return _page("Silmukka", "document.getElementById('nappi').onclick = function () {"
                                 " for (var n = 1; ; ++n) { alert('Voitit! ' + n);"
                                 " document.title = 'kierros:' + n; } };")

    @app.route(HOST, r"/dialogit/yksi", methods=("GET",))
    def one(req):
        return _page("Yksi", "setTimeout(function () { alert('Hei'); document.title = 'ladattu'; }, 10);",
                     button=False)


    @app.route(HOST, r"/ulkoinen", methods=("GET",))
    def outside(req):
        itself = "setTimeout(function () { location.href = 'mailto:itse@hyokkaaja.test'; }, 10);" \
            if req.args.get("itse") else ""
        body = ("<a id='posti' href='mailto:myyja@hyokkaaja.test' style='display:block;width:300px;"
                "height:60px'>Posti</a>"
                "<button id='monta' style='width:300px;height:60px'>Monta</button>"
                "<a id='m1' href='mailto:yksi@hyokkaaja.test'></a><a id='m2' href='mailto:kaksi@hyokkaaja.test'></a>"
                "<a id='m3' href='mailto:kolme@hyokkaaja.test'></a>")
        script = ("document.addEventListener('mousedown', function () { document.body.dataset.hiiri = '1'; });"
                  "document.getElementById('monta').onclick = function () {"
                  " ['m1', 'm2', 'm3'].forEach(function (id) { document.getElementById(id).click(); }); };"
                  + itself + " document.title = 'Ulkoinen';")
        return html("<!DOCTYPE html><html><head><meta charset='utf-8'><title>Ulkoinen</title></head>"
                    "<body>%s<script>%s</script></body></html>" % (body, script))


    @app.route(HOST, r"/lataa", methods=("GET",))
    def download_by_itself(req):
        return html("<!DOCTYPE html><html><head><meta charset='utf-8'><title>Lataa</title></head><body>"
                    "<script>setTimeout(function () {"
                    " location.href = 'http://www.vasaro.test/testi/liite/hinnasto.csv'; }, 10);</script>"
                    "</body></html>")

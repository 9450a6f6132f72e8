"""Pages of other sites, and a marketplace page whose markup is named after
the program's own page helpers (page-safety tests).

GET  vieras.test/kirjautuminen?kohde=URL   a sign-in-like form (userid
     (also www.vasaro.test.vieras.test)    "hyokkaaja", password "salainen")
                                           posting to URL, by default
                                           /kirjaudu/vasaro-post of the same
                                           host; submit button id "laheta"
POST any path on those hosts               "vastaanotettu"
GET  vieras.test/vanhatlinkit              legacy quick-search links of that
                                           host (ids "kh", "kn")
GET  www.vasaro.test/testit/kirjaudu-varjot  a sign-in form posting to /kirjaudu
                                           whose hidden controls are named
                                           "action", "method" and "enctype"
GET  www.vasaro.test/testit/varjot         the word "Vasara" three times among
                                           elements with the ids and names of
                                           the program's helpers and of the
                                           document's own properties, and a
                                           form (id "lomake") whose controls
                                           are named after element properties
"""
import html as htmlmod

from routes.common import html

FOREIGN = r"vieras\.test|www\.vasaro\.test\.vieras\.test"

SHADOWS = ("<div id='__vsdoc'></div><div id='__vsBridgeCall'></div><div id='__vsFormCapture'></div>"
           "<div id='__vsfilter'></div><div id='vsBridge'></div><div id='qt'></div>"
           "<div id='QWebChannel'></div><div id='Symbol'></div>"
           "<img name='getElementsByTagName'><img name='getElementById'><img name='getElementsByName'>"
           "<img name='body'><img name='documentElement'><img name='scrollingElement'>"
           "<img name='createRange'><img name='createTreeWalker'><img name='createElement'>"
           "<img name='elementFromPoint'><img name='contentType'>"
           "<form name='write'></form><form name='close'></form>"
           "<form id='lomake' name='lomake' class='luokka' action='/x'><input name='id'><input name='tagName'>"
           "<input name='outerHTML'><input name='innerHTML'><input name='getAttribute'><input name='setAttribute'>"
           "<input name='className'><input name='nodeType'><input name='style'></form>")


def _page(title, body):
    return html("<!DOCTYPE html><html><head><meta charset='utf-8'><title>%s</title></head>"
                "<body>%s</body></html>" % (htmlmod.escape(title), body))


def register(app):
    @app.route(FOREIGN, r"/kirjautuminen", methods=("GET",))
    def foreign_form(req):
        target = req.args.get("kohde") or "/kirjaudu/vasaro-post"
        return _page("Vieras", """
<form id="lomake" method="post" action="%s">
  <input type="text" name="userid" value="hyokkaaja">
  <input type="password" name="password" value="salainen">
  <button type="submit" id="laheta">Kirjaudu</button>
</form>""" % htmlmod.escape(target, quote=True))

    @app.route(FOREIGN, r"/.*", methods=("POST",))
    def foreign_post(req):
        return _page("Vastaanotettu", "<p id='vastaus'>vastaanotettu</p>")

    @app.route(FOREIGN, r"/vanhatlinkit", methods=("GET",))
    def foreign_legacy_links(req):
        return _page("Vieraat linkit",
                     "<a id='kh' href='http://vieras.test/kayttajahaku.php3'>Kayttajahaku</a> "
                     "<a id='kn' href='http://vieras.test/kohdenumerollahaku.php3'>Kohdehaku</a>")

    @app.route(r"www\.vasaro\.test", r"/testit/kirjaudu-varjot", methods=("GET",))
    def shadowed_login_form(req):
        return _page("Kirjaudu", """
<form method="post" action="/kirjaudu">
  <input type="hidden" name="action" value="kirjaudu">
  <input type="hidden" name="method" value="get">
  <input type="hidden" name="enctype" value="multipart/form-data">
  <input type="text" id="userid" name="userid" value="">
  <input type="password" id="password" name="password" value="">
  <button type="submit" id="kirjaudunappi">Kirjaudu</button>
</form>""")

    @app.route(r"www\.vasaro\.test", r"/testit/varjot", methods=("GET",))
    def shadows(req):
        return _page("Varjot", SHADOWS + "<p>Ensimmainen Vasara.</p><p>Toinen vasara.</p>"
                     "<div>Kolmas VASARA.</div>")

"""Home page and the user's own page with the marketplace clock.

state "etusivu": an address the home page sends the browser on to
(scripts/run.sh --demo opens on a result page this way)
"""
from routes.common import Response, html


def register(app):
    @app.route(r"www\.vasaro\.test", r"/")
    def home(req):
        if app.state.get("etusivu"):
            return Response(302, b"", [("Location", app.state["etusivu"])])
        return html("<!DOCTYPE html><html><head><title>Vasaro - etusivu</title></head>"
                    "<body><h1 id='otsikko'>Tervetuloa Vasaroon</h1>"
                    "<a id='omasivu' href='/omasivu/'>Oma sivu</a></body></html>")

    @app.route(r"www\.vasaro\.test", r"/vanhatlinkit/")
    def legacy_links(req):
        return html("<!DOCTYPE html><html><head><title>Vanhat linkit</title></head><body>"
                    "<a id='kh' href='http://www.vasaro.test/kayttajahaku.php3'>Kayttajahaku</a> "
                    "<a id='kn' href='http://www.vasaro.test/kohdenumerollahaku.php3'>Kohdehaku</a>"
                    "</body></html>")

    @app.route(r"www\.vasaro\.test", r"/omasivu")
    def omasivu_root(req):
        return Response(302, b"", [("Location", "http://www.vasaro.test/omasivu/")])

    @app.route(r"www\.vasaro\.test", r"/omasivu/.*")
    def omasivu(req):
        clock = app.state.get("clock", "4.3.2022 12:34:56")
        return html("<!DOCTYPE html><html><head><title>Oma sivu</title></head><body>"
                    "<div class='header'><span class=\"clock_alt\">%s</span></div>"
                    "<p>Omat kohteet</p></body></html>" % clock)

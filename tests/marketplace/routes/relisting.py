"""Re-listing, preview, publishing and closing of the seller's listings.

GET  /uusi-ilmoitus/<nro>/republish[/uudelleen/<n>]
                                  re-list form: the new-listing form filled
                                  from listing <nro>, sent to the preview
POST /uusi-ilmoitus/esikatsele[/id/<nro>]
                                  preview page with the "julkaise" submit
                                  button (and two other buttons); the state
                                  key "esikatselu_viive" (seconds) holds the
                                  answer back, "esikatselu_katkaise" = "1"
                                  drops the connection without an answer
POST /uusi-ilmoitus/julkaise/id/<nro>
                                  publishes: counted in the state key
                                  "julkaisut" and answered with a redirect to
GET  /ilmoitus/published/id/<nro> the published page
GET  /kohteet/<slug>/<nro>/close  closes a listing ("Suljettu"); the state
                                  key "sulje_tyhja" = "1" answers nothing
GET  /testit/julkaisut            JSON: publishes and previews so far
The request log holds every received form body as well.
"""
import html as htmlmod
import json
import time

from routes.common import Response, html
from routes.uusiilmoitus import FORM

HOST = r"www\.vasaro\.test"
TITLES = {"91111111": "Myytävä lamppu", "92222222": "Myyty tuoli", "93333333": "Pöytä jota ei myyty"}


def _page(title, body, head=""):
    return html("<!DOCTYPE html><html><head><meta charset='utf-8'><title>%s</title>%s</head>"
                "<body>%s</body></html>" % (htmlmod.escape(title), head, body))


def _relist_form(number):
    title = TITLES.get(number, "Kohde %s" % number)
    form = FORM.replace('action="/uusi-ilmoitus/esikatsele/"',
                        'action="/uusi-ilmoitus/esikatsele/id/%s"' % number)
    form = form.replace('<input name="title" id="title" size="60">',
                        '<input name="title" id="title" size="60" value="%s">' % htmlmod.escape(title))
    form = form.replace('name="description" id="description" rows="8" cols="60">',
                        'name="description" id="description" rows="8" cols="60">&lt;p&gt;Uudelleen: %s&lt;/p&gt;'
                        % htmlmod.escape(title))
    return form.replace('<input type="hidden" name="id" value="lomake">',
                        '<input type="hidden" name="id" value="lomake">'
                        '<input type="hidden" name="itemid" id="itemid" value="%s">' % number)


def register(app):
    @app.route(HOST, r"/uusi-ilmoitus/(\d*)/republish(/uudelleen/\d+)?/?", methods=("GET",))
    def relist(req):
        number = req.path.split("/")[2]
        return _page("Ilmoita uusi kohde", _relist_form(number), "<script src='/ckeditor4/ckeditor.js'></script>")

    @app.route(HOST, r"/uusi-ilmoitus/esikatsele(/id/\d*)?/?", methods=("POST",))
    def preview(req):
        if app.state.get("esikatselu_katkaise") == "1":
            return None
        delay = float(app.state.get("esikatselu_viive", "0") or 0)
        if delay > 0:
            time.sleep(delay)
        last = req.path.rstrip("/").split("/")[-1]
        number = last if last.isdigit() else ""
        app.state["esikatselut"] = int(app.state.get("esikatselut", 0)) + 1
        fields = req.form()
        hidden = "".join("<input type='hidden' name='%s' value='%s'>" % (htmlmod.escape(k, True), htmlmod.escape(v, True))
                         for k, v in fields.items())
        body = ("<h1>Esikatselu</h1><h2 id='otsikko'>%s</h2><div id='kuvaus'>%s</div>"
                "<form id='julkaisu' method='post' action='/uusi-ilmoitus/julkaise/id/%s'>%s"
                "<button type='button' id='peruuta' onclick='history.back()'>Peruuta ja julkaise myöhemmin</button>"
                "<button type='submit' id='muokkaa' formaction='/uusi-ilmoitus/%s/republish'>Muokkaa</button>"
                "<button type='submit' id='julkaise' name='julkaise' value='1'>Julkaise</button></form>"
                % (htmlmod.escape(fields.get("title", "")), htmlmod.escape(fields.get("description", "")),
                   number, hidden, number))
        return _page("Esikatselu", body)

    @app.route(HOST, r"/uusi-ilmoitus/julkaise/id/(\d*)/?", methods=("POST",))
    def publish(req):
        number = req.path.rstrip("/").split("/")[-1]
        app.state["julkaisut"] = int(app.state.get("julkaisut", 0)) + 1
        new_number = str(95000000 + int(app.state["julkaisut"]))
        return Response(303, b"", [("Location", "http://www.vasaro.test/ilmoitus/published/id/%s?vanha=%s"
                                    % (new_number, number))])

    @app.route(HOST, r"/ilmoitus/published/id/(\d+)/?", methods=("GET",))
    def published(req):
        number = req.path.rstrip("/").split("/")[-1]
        return _page("Julkaistu", "<h1>Kohde %s on julkaistu</h1>" % number)

    @app.route(HOST, r"/kohteet/(?:[^/]+/)?(\d+)/close", methods=("GET",))
    def close(req):
        if app.state.get("sulje_tyhja") == "1":
            return Response(200, b"", content_type="text/plain")
        app.state["suljetut"] = app.state.get("suljetut", "") + req.path.split("/")[-2] + ","
        return _page("Suljettu", "<p>Kohde suljettu</p>")

    @app.route(HOST, r"/testit/julkaisut", methods=("GET",))
    def counts(req):
        return Response(200, json.dumps({"julkaisut": int(app.state.get("julkaisut", 0)),
                                         "esikatselut": int(app.state.get("esikatselut", 0))}).encode(),
                        content_type="application/json")

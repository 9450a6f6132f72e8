"""The user's watch list ("muistilista") on www.vasaro.test.

GET /omasivu/muistilista                     the watch list of the signed-in user
GET /omasivu/muistilista/add-ajax/item/<n>   adds item n; JSON answer

The table starts with its heading row, whose cells carry the classes of the
columns they name (the state column's heading is styled as "closing"), as
the marketplace's list does; an empty list has only that row.

Without the session cookie of a sign-in (routes/login.py) both answer as the
marketplace does to a visitor: the list shows the login prompt and the add
call an error. Rows carry the closing time in <td class="sulkeutumisaika">;
a listing about to close has <td class="closing">.

State keys (all optional):
  muistilista_sulkeutuva   closing time text of one listing about to close
                           (no listing is marked closing without it)
  muistilista_kohteet      item numbers on the list, comma-separated (the add
                           call appends to it)
  muistilista_viive_ms     the list answers after this many ms (at most 15 s)
"""
import html as htmlmod
import re
import time

from routes.common import Response, html

HOST = r"www\.vasaro\.test"
SESSION = "VASAROSESSIO"


def _signed_in(app, req):
    value = req.cookies().get(SESSION, "")
    return bool(value) and bool(app.state.get("session_" + value))


def _row(number, closes, closing):
    state = '<td class="closing">Sulkeutuu pian</td>' if closing else '<td class="tila">Auki</td>'
    return ('<tr><td class="kohde"><a id="kohde%s" href="/kohteet/kohde/%s">Kohde %s</a></td>'
            '<td class="sulkeutumisaika"><span>%s</span></td>%s</tr>'
            % (number, number, number, htmlmod.escape(closes), state))


HEADING = ('<thead><tr><th class="kohde">Kohde</th>'
           '<th class="sulkeutumisaika"><span>Sulkeutumisaika</span></th>'
           '<th class="closing">Tila</th></tr></thead>')


def register(app):
    def watch_list(req):
        delay = float(app.state.get("muistilista_viive_ms", "0")) / 1000.0
        if delay > 0:
            time.sleep(min(delay, 15.0))
        if not _signed_in(app, req):
            return html("<!DOCTYPE html><html><head><title>Kirjaudu</title></head><body>"
                        "<p>Kirjaudu sis\u00e4\u00e4n n\u00e4hd\u00e4ksesi muistilistan</p></body></html>")
        items = [n for n in app.state.get("muistilista_kohteet", "").split(",") if n]
        rows = [_row(n, "20.3.2022 18:00", False) for n in items]
        closing = app.state.get("muistilista_sulkeutuva")
        if closing:
            rows.insert(len(rows) // 2, _row("55555555", closing, True))
        clock = app.state.get("clock", "4.3.2022 12:34:56")
        return html("<!DOCTYPE html><html><head><title>Muistilista</title></head><body>"
                    "<div class='header'><span class=\"clock_alt\">%s</span></div>"
                    "<h1>Muistilista</h1><table class=\"muistilista\">%s<tbody>%s</tbody></table></body></html>"
                    % (clock, HEADING, "".join(rows)))

    def add(req):
        if not _signed_in(app, req):
            return Response(200, b'{"status":"error","message":"Kirjaudu sis\\u00e4\\u00e4n"}',
                            content_type="application/json")
        number = req.path.rsplit("/", 1)[1]
        items = [n for n in app.state.get("muistilista_kohteet", "").split(",") if n]
        if number not in items:
            items.append(number)
        app.state["muistilista_kohteet"] = ",".join(items)
        return Response(200, b'{"status":"ok","message":"Kohde lis\\u00e4tty muistilistalle"}',
                        content_type="application/json")

    # Both sit under /omasivu/, which another module answers as a whole:
    # these more specific routes go first.
    app.routes.insert(0, (re.compile(HOST), re.compile(r"/omasivu/muistilista/?"), ("GET",), watch_list))
    app.routes.insert(0, (re.compile(HOST), re.compile(r"/omasivu/muistilista/add-ajax/item/\d+"), ("GET",), add))

"""Addresses of the program's search form and the result page they lead to.

GET /haku/<segments>      a structured search ("words/vanha+tuoli/category/27/",
                          first segment one of the form's parameter names, but
                          not sellernro): answered with a redirect to the same
                          segments under /hakutulos/, as the marketplace does.
GET /hakutulos/<segments> the result page of a structured search
GET /hakutulos?words=..   the same for the query form
GET /haku/advanced/       the marketplace's own advanced search page
The result page lists the criteria it understood (#hakuehdot, one
<li data-nimi=name> per parameter), three cards, and the marketplace's
search form with the words, seller and bidder filled in: the seller's and
bidder's names come from their ids (sellernro, biddernro; users of
routes/search.py). A <meta name="seller"> in the head comes before the form
field of that name.
"""
import html as htmlmod
from urllib.parse import parse_qsl, unquote_plus

from routes.common import Response, html
from routes.search import USERS

HOST = r"www\.vasaro\.test"
NAMES = ("words", "status", "area", "wordsfrom", "classification", "sellstyle", "seller_type",
         "price_min", "price_max", "biddernro", "category", "addtime", "closingtime", "sellernro")
FIRST = "|".join(n for n in NAMES if n != "sellernro")


def _criteria(req):
    parts = [p for p in req.path.split("/")[2:] if p != ""]
    found = []
    for i in range(0, len(parts) - 1, 2):
        found.append((parts[i], unquote_plus(parts[i + 1])))
    found += [(k, v) for k, v in parse_qsl(req.query, keep_blank_values=True)]
    return found


def _name_of(user_id):
    for name, uid in USERS.values():
        if uid == user_id:
            return name
    return ""


def _card(n, words):
    item = 40000000 + n
    title = "%s %d" % (words or "Kohde", n)
    return ("<div class='item-card'><a href='/kohteet/kohde-%d/%d'>%s</a>"
            "<div class='myyja'><a href='/kayttaja/1001'>myyja1</a></div></div>"
            % (n, item, htmlmod.escape(title)))


def register(app):
    @app.route(HOST, r"/haku/(%s)/.*" % FIRST, methods=("GET",))
    def structured(req):
        return Response(302, b"", [("Location", "/hakutulos/" + req.path[len("/haku/"):])])

    @app.route(HOST, r"/haku/advanced/?", methods=("GET",))
    def advanced(req):
        return html("<!DOCTYPE html><html><head><meta charset='utf-8'><title>Tarkennettu haku - Vasaro"
                    "</title></head><body><h1>Tarkennettu haku</h1></body></html>")

    @app.route(HOST, r"/hakutulos(/.*)?", methods=("GET",))
    def results(req):
        criteria = _criteria(req)
        values = dict(criteria)
        esc = lambda s: htmlmod.escape(s, quote=True)
        items = "".join("<li data-nimi='%s'>%s</li>" % (esc(k), esc(v)) for k, v in criteria)
        words = values.get("words", "")
        form = ("<form id='sivunhaku' action='/haku' method='post'>"
                "<input name='words' value='%s'><input name='seller' value='%s'>"
                "<input name='bidder' value='%s'><button>Hae</button></form>"
                % (esc(words), esc(_name_of(values.get("sellernro", ""))),
                   esc(_name_of(values.get("biddernro", "")))))
        cards = "".join(_card(n, words) for n in range(1, 4))
        return html("<!DOCTYPE html><html><head><meta charset='utf-8'><meta name='seller' content='Vasaro'>"
                    "<title>Hakutulos - Vasaro</title></head><body><h1>Hakutulokset</h1>"
                    "<ul id='hakuehdot'>%s</ul>%s<div id='tulokset'>%s</div>"
                    "<a id='tarkennettu' href='/haku/advanced/'>Tarkennettu haku</a></body></html>"
                    % (items, form, cards))

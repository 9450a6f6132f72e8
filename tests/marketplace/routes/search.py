"""The marketplace's search form target and user profile pages.

POST /haku            the search form (urlencoded, UTF-8). A seller search
                      ("seller=<name>") answers a result page whose cards link
                      to "/haku/sellernro/<id>" of that seller; an unknown name
                      answers a page without such links. An empty seller field
                      lists every seller's cards, as the marketplace does.
GET  /kayttaja/<id>   a user's profile page.

Known users (name matched without regard to case):
  Testaaja       7654321
  Matti Myyjä    23456789
  Äänimies       12345678
  pitkatunnus    123456789   (longer than the marketplace's 8 digits)
State keys: haku_kayttaja_<lower-cased name> = id adds or replaces a user.
"""
import html as htmlmod

from routes.common import html

HOST = r"www\.vasaro\.test"

USERS = {
    "testaaja": ("Testaaja", "7654321"),
    "matti myyjä": ("Matti Myyjä", "23456789"),
    "äänimies": ("Äänimies", "12345678"),
    "pitkatunnus": ("pitkatunnus", "123456789"),
}


def register(app):
    def users():
        table = dict(USERS)
        for key, value in app.state.items():
            if key.startswith("haku_kayttaja_"):
                name = key[len("haku_kayttaja_"):]
                table[name.lower()] = (name, value)
        return table

    def card(name, user_id, n):
        item = "%d%07d" % (n, int(user_id) % 10000000)
        return ("<div class='card'><a href=\"/kohteet/myytava-esine-%d/%s\">Myytävä esine %d</a>"
                " <span class='seller'>Myyjä: <a href=\"/kayttaja/%s\">%s</a></span>"
                " <a class='more' href=\"/haku/sellernro/%s\">Myyjän muut kohteet</a></div>"
                % (n, item, n, user_id, htmlmod.escape(name), user_id))

    def page(title, cards):
        return html("<!DOCTYPE html><html><head><meta charset='utf-8'><title>%s</title></head>"
                    "<body><h1>Hakutulokset</h1><form action='/haku' method='post'>"
                    "<input name='words'><input name='seller'></form>%s"
                    "<a href='/haku/advanced/'>Tarkennettu haku</a></body></html>"
                    % (title, "".join(cards) or "<p class='empty'>Ei hakutuloksia.</p>"))

    @app.route(HOST, r"/haku", methods=("POST",))
    def search(req):
        form = req.form()
        seller = form.get("seller", "").strip()
        table = users()
        if not seller:
            cards = [card(name, uid, i + 1) for i, (name, uid) in enumerate(table.values())]
            return page("Haku - Vasaro", cards)
        hit = table.get(seller.lower())
        if hit is None:
            return page("Haku - Vasaro", [])
        name, uid = hit
        return page("Myyjän %s kohteet - Vasaro" % htmlmod.escape(name),
                    [card(name, uid, 1), card(name, uid, 2)])

    @app.route(HOST, r"/kayttaja/(\d+)", methods=("GET",))
    def profile(req):
        uid = req.path.rsplit("/", 1)[1]
        for name, known in users().values():
            if known == uid:
                return html("<!DOCTYPE html><html><head><meta charset='utf-8'>"
                            "<title>%s - Vasaro</title></head><body><h1 id='kayttaja'>%s</h1>"
                            "<a href=\"/haku/sellernro/%s\">Myyjän kohteet</a></body></html>"
                            % (htmlmod.escape(name), htmlmod.escape(name), uid))
        return html("<html><body>Käyttäjää ei ole</body></html>", status=404)

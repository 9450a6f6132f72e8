"""Result pages with the marketplace's grid cards, as the seller filter reads them.

Every entry is a "grid-element-container" div holding the picture link, the
"grid-element-title" div and the price; the grid around the entries contains
that class name and so never counts as a card.

GET /haku/sellernro/<id>/page/<n>   a seller's open listings, 20 a page; the
                                    page after the last one has no cards
GET /haku/suodatintesti/<sana>      a result page mixing several sellers' cards
    ?kortit=N       number of cards (default 24)
    ?sisakkaiset=1  every entry wraps its content in one more div (two nested
                    elements of one entry qualify as cards)
    ?mainokset=0    no advertisement frames
    ?hidas=MS       a picture that takes MS ms, so the page completes late
    ?varjo=1        markup whose names shadow document methods and whose id
                    shadows a window property
GET /testit/hidas-kuva?ms=MS        a picture answered after MS ms

Seller listings (id: count): 7654321 (Testaaja): 45, 23456789 (Matti Myyjä): 5,
any other id: none. Listing k of a seller: slug "myyja<id % 1000>-esine-<k>",
item number 40000000 + (id % 1000) * 100 + k; k % 3 == 0 a buy-now price
"<k>,50 €", k % 3 == 1 an auction price "<k>,00 €", k % 3 == 2 no price;
k % 5 == 4 no picture (the "eikuvaa_140" placeholder). A result page's card
i belongs to seller 7654321 when i is even (listing i // 2 + 1), otherwise to
seller 1000 + i % 7 (listing i).
State: sellernro_<id> = count overrides a seller's number of listings.
"""
import time

from routes.common import Response, html

HOST = r"www\.vasaro\.test"
PER_PAGE = 20
SELLERS = {"7654321": 45, "23456789": 5}

AD_FRAMES = ("<div id='mainokset'>"
             "<iframe src='http://ads.admeta.com/banneri?paikka=3' width='300' height='50'></iframe>"
             "<iframe src='http://static.ilcdn.fi/promo/laatikko.html' width='300' height='50'></iframe></div>")


def listing_card(seller_id, k, nested=False):
    s = int(seller_id) % 1000
    slug = "myyja%d-esine-%d" % (s, k)
    number = 40000000 + s * 100 + k
    link = "/kohteet/%s/%d" % (slug, number)
    if k % 5 == 4:
        picture = "<img src='/img/eikuvaa_140.png' alt=''>"
    else:
        picture = "<img src='/kuvat/%d-s.jpg' alt=''>" % number
    if k % 3 == 0:
        price = "<span class=\"price-buyNow\">%d,50 &euro;</span>" % k
    elif k % 3 == 1:
        price = "<span class=\"price-auction\">%d,00 &euro;</span>" % k
    else:
        price = "<span class=\"no-price\">Tarjouspyyntö</span>"
    body = ("<div class=\"grid-element-image\"><a href=\"%s\">%s</a></div>"
            "<div class=\"grid-element-title\"><a id=\"otsikko-%d\" href=\"%s\">Myyjän %d esine %d</a></div>%s"
            % (link, picture, number, link, s, k, price))
    if nested:
        body = "<div class=\"grid-element\">%s</div>" % body
    return "<div class=\"grid-element-container\" id=\"kortti-%d\">%s</div>" % (number, body)


def _page(title, cards, extra=""):
    grid = "".join(cards) or "<p class='ei-tuloksia'>Ei hakutuloksia.</p>"
    return html("<!DOCTYPE html><html><head><meta charset='utf-8'><title>%s</title></head><body>"
                "<div id='navigation'>Vasaro</div><h1>%s</h1><div class='grid'>%s</div>%s</body></html>"
                % (title, title, grid, extra))


def register(app):
    def count_of(seller_id):
        value = app.state.get("sellernro_" + seller_id)
        if value is not None:
            return int(value)
        return SELLERS.get(seller_id, 0)

    @app.route(HOST, r"/haku/sellernro/(\d+)/page/(\d+)", methods=("GET",))
    def seller_page(req):
        parts = req.path.split("/")
        seller_id, page = parts[3], int(parts[5])
        first = (page - 1) * PER_PAGE + 1
        last = min(count_of(seller_id), page * PER_PAGE)
        cards = [listing_card(seller_id, k) for k in range(first, last + 1)]
        return _page("Myyjän kohteet - sivu %d" % page, cards)

    @app.route(HOST, r"/haku/suodatintesti/[^/]+", methods=("GET",))
    def mixed_results(req):
        count = int(req.args.get("kortit", "24"))
        nested = req.args.get("sisakkaiset") == "1"
        cards = []
        for i in range(count):
            if i % 2 == 0:
                cards.append(listing_card("7654321", i // 2 + 1, nested))
            else:
                cards.append(listing_card(str(1000 + i % 7), i, nested))
        extra = AD_FRAMES if req.args.get("mainokset", "1") != "0" else ""
        if req.args.get("varjo") == "1":
            extra += ("<form name='getElementsByTagName'></form><img name='querySelectorAll' src=''>"
                      "<div id='__vsfilter'></div>")
        if req.args.get("hidas"):
            extra += "<img id='hidas' src='/testit/hidas-kuva?ms=%s'>" % req.args["hidas"]
        return _page("Hakutulokset", cards, extra)

    @app.route(HOST, r"/testit/hidas-kuva", methods=("GET",))
    def slow_picture(req):
        time.sleep(min(int(req.args.get("ms", "500")), 5000) / 1000.0)
        return Response(200, b"GIF89a\x01\x00\x01\x00\x00\x00\x00;", content_type="image/gif")

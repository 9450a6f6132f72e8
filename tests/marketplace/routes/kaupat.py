"""Closed trades of the signed-in user for the ledger fetch (REST API).

With the state key "kaupat" set, the sales and purchases lists of api.py
come from here: realistic pages of 50 trades, newest first, and behind
them the trade, item and user answers of every listed item.

Sales list position k (1 = newest) is item 51000000 + k, purchases list
position k is item 52000000 + k. Titles, quantities, prices and delivery
prices cycle through a few realistic shapes: escaped double quotes, a
backslash, Finnish letters and HTML-looking text, quantities above 1.
Buyers are users 6100000 + k % 37 (so one buyer has several trades), sellers
of won items 6200000 + k % 29. Built-in gaps, by k % 25:
  15  the item has no "deliveryPrice"
  16  the trade has no "price" (the ledger leaves such a trade out)
  17  the item has no closing time
Users whose id % 25 is 19 (the buyer of every k % 37 == 19) have no "mobile"
and no "street".
k % 10 == 3 is a trade of 3 pieces, k % 10 == 7 has no "quantity".

State keys (all optional):
  kaupat                      any text: the lists come from here
  kaupat_count                length of each list (120)
  kaupat_stall_page           this list page answers only after kaupat_stall_ms
  kaupat_stall_item           the trade answer of this item number stalls likewise
  kaupat_stall_ms             how long a stall lasts (20000, at most 25000)
  kaupat_bad_page_<p>         list page p answers badly (kinds below)
  kaupat_bad_trade_<n>, kaupat_bad_item_<n>, kaupat_bad_user_<id>
                              that answer is bad
Kinds: "tyhja" (empty 200 answer), "katkennut" (JSON cut short), "html" (an
error page), "tyypit" (values of the wrong kind), "valtava" (absurd counts),
"puuttuu" (404).
"""
import datetime
import json
import time

from routes.common import Response

BASE = "http://api.vasaro.test/1.1/"
SALES_FIRST = 51000000
PURCHASES_FIRST = 52000000

TITLES = [
    'Vanha "Fiskars" kirves \u2013 hyv\u00e4 kunto',
    '\u00c4idin perint\u00f6: <b>Tuoli</b> & p\u00f6yt\u00e4',
    'Arabia Paratiisi -kahvikupit 6 kpl',
    'Lasten talvihaalari, koko 110 (Reima)',
    'Iittala Kartio \\ lasit "Sininen"',
    '\u00d6ljylamppu 1800-luvulta <script>alert(1)</script>',
]
PRICES = [12, 12.5, 7.25, 0.5, 149, 1.05]
DELIVERY = [5.5, 0, 8.9, 12]
NAMES = ['Matti "Masa" M\u00e4kinen', 'Liisa \u00c4\u00e4p\u00e4l\u00e4',
         '\u00d6rjan \u00c5berg', 'Pekka <Peksi> Virtanen']
TOWNS = ["Helsinki", "\u00c4ht\u00e4ri", "N\u00e4rpi\u00f6", "Jyv\u00e4skyl\u00e4"]


def dump(obj, status=200):
    text = json.dumps(obj, ensure_ascii=True, separators=(",", ":")).replace("/", "\\/")
    return Response(status, text.encode("ascii"), content_type="application/json; charset=utf-8")


def position(n):
    """(list name, k) of a ledger item number, or None."""
    if SALES_FIRST < n < SALES_FIRST + 1000000:
        return "sales", n - SALES_FIRST
    if PURCHASES_FIRST < n < PURCHASES_FIRST + 1000000:
        return "purchases", n - PURCHASES_FIRST
    return None


def closing(k):
    t = datetime.datetime(2022, 3, 11, 20, 15, 0) - datetime.timedelta(hours=7 * k)
    return t.strftime("%Y-%m-%dT%H:%M:%S+02:00")


def title(k):
    return TITLES[k % len(TITLES)] + " #%d" % k


def buyer(k):
    return 6100000 + k % 37


def seller(k):
    return 6200000 + k % 29


def entry(n, k):
    return {"links": {"self": BASE + "items/%d" % n,
                      "alternative": "http://www.vasaro.test/kohteet/kohde/%d" % n},
            "id": n, "title": title(k), "closingTime": closing(k)}


def trade(app, n, k):
    buyer_id = buyer(k) if n < PURCHASES_FIRST else int(app.state.get("api_user_id", "7654321"))
    t = {"links": {"buyer": BASE + "users/%d" % buyer_id, "item": BASE + "items/%d" % n}}
    if k % 10 != 7:
        t["quantity"] = 3 if k % 10 == 3 else 1
    if k % 25 != 16:
        t["price"] = PRICES[k % len(PRICES)]
    t["time"] = closing(k)
    return {"totalCount": 1, "purchases": [t]}


def item(app, n, k):
    own = app.state.get("api_user_id", "7654321")
    seller_id = own if n < PURCHASES_FIRST else str(seller(k))
    it = {"links": {"self": BASE + "items/%d" % n, "seller": BASE + "users/" + seller_id,
                    "category": BASE + "categories/12"},
          "id": n, "title": title(k), "category": "Koti ja sisustus",
          "subCategory": {"id": 12, "name": "Astiat", "links": {"self": BASE + "categories/12"}},
          "currentPrice": PRICES[k % len(PRICES)], "buyNowPrice": None, "bidderCount": 3}
    if k % 25 != 17:
        it["closingTime"] = closing(k)
    if k % 25 != 15:
        it["deliveryPrice"] = DELIVERY[k % len(DELIVERY)]
    it["images"] = [{"links": {"thumbnail": "http://kuvat.vasaro.test/%d-t.jpg" % n}}]
    return it


def user(uid):
    u = {"links": {"self": BASE + "users/%d" % uid}, "id": uid,
         "username": "k\u00e4ytt\u00e4j\u00e4_%d" % uid, "fullname": NAMES[uid % len(NAMES)],
         "email": "user%d@example.test" % uid, "street": "Kuusikuja %d A 3" % (uid % 50),
         "zip": "%05d" % (uid % 99999), "town": TOWNS[uid % len(TOWNS)],
         "mobile": "040 %07d" % uid, "telephone": "09 7654321"}
    return u


def bad(kind, good):
    """The answer of a bad kind in place of the good object."""
    text = json.dumps(good, ensure_ascii=True, separators=(",", ":")).replace("/", "\\/")
    if kind == "tyhja":
        return Response(200, b"", content_type="application/json; charset=utf-8")
    if kind == "katkennut":
        return Response(200, text[: max(1, len(text) * 3 // 5)].encode("ascii"),
                        content_type="application/json; charset=utf-8")
    if kind == "html":
        return Response(200, b"<html><body><h1>503</h1>Palvelu on hetkellisesti poissa "
                             b"\"items\":</body></html>", content_type="text/html")
    if kind == "puuttuu":
        return dump({"error": {"code": 404, "message": "Not found"}}, 404)
    return None


def page(app, req, list_name):
    first = SALES_FIRST if list_name == "sales" else PURCHASES_FIRST
    count = int(app.state.get("kaupat_count", "120"))
    limit = max(1, int(req.args.get("limit") or 50))
    number = max(1, int(req.args.get("page") or 1))
    start = (number - 1) * limit
    ks = range(start + 1, min(start + limit, count) + 1)
    good = {"totalCount": count, "links": {"self": BASE + req.path[len("/1.1/"):]},
            "items": [entry(first + k, k) for k in ks]}
    if app.state.get("kaupat_stall_page") == str(number):
        time.sleep(min(float(app.state.get("kaupat_stall_ms", "20000")), 25000.0) / 1000.0)
    kind = app.state.get("kaupat_bad_page_%d" % number)
    if kind == "tyypit":
        return dump({"totalCount": "paljon", "links": [], "items": {"links": "x", "id": "ei"}})
    if kind == "valtava":
        many = [entry(first + k, k) for k in range(1, 5001)]
        return dump({"totalCount": 10 ** 15, "links": {}, "items": many})
    return bad(kind, good) or dump(good)


def wrong_types(good):
    """Numbers as texts with a comma, nulls and objects where values belong."""
    text = json.dumps(good, ensure_ascii=True, separators=(",", ":"))
    for key in ("price", "deliveryPrice"):
        text = text.replace('"%s":' % key, '"%s":"12,50","x%s":' % (key, key), 1)
    text = text.replace('"quantity":', '"quantity":null,"xquantity":', 1)
    text = text.replace('"username":"', '"username":12345,"xusername":"', 1)
    text = text.replace('"title":"', '"title":["x"],"xtitle":"', 1)
    return Response(200, text.replace("/", "\\/").encode("ascii"),
                    content_type="application/json; charset=utf-8")


def huge(good):
    text = json.dumps(good, ensure_ascii=True, separators=(",", ":"))
    text = text.replace('"quantity":', '"quantity":1000000000000000,"xquantity":', 1)
    text = text.replace('"price":', '"price":1e300,"xprice":', 1)
    text = text.replace('"deliveryPrice":', '"deliveryPrice":1e300,"xdeliveryPrice":', 1)
    text = text.replace('"username":"', '"username":[%s],"xusername":"' % ",".join(["0"] * 100000), 1)
    return Response(200, text.replace("/", "\\/").encode("ascii"),
                    content_type="application/json; charset=utf-8")


def answer_bad(app, key, good):
    kind = app.state.get(key)
    if kind is None:
        return dump(good)
    if kind == "tyypit":
        return wrong_types(good)
    if kind == "valtava":
        return huge(good)
    return bad(kind, good) or dump(good)


def answer_trade(app, n):
    pos = position(n)
    if pos is None:
        return None
    if app.state.get("kaupat_stall_item") == str(n):
        time.sleep(min(float(app.state.get("kaupat_stall_ms", "20000")), 25000.0) / 1000.0)
    return answer_bad(app, "kaupat_bad_trade_%d" % n, trade(app, n, pos[1]))


def answer_item(app, n):
    pos = position(n)
    if pos is None:
        return None
    return answer_bad(app, "kaupat_bad_item_%d" % n, item(app, n, pos[1]))


def answer_user(app, uid):
    if not 6100000 <= uid < 6300000:
        return None
    u = user(uid)
    if uid % 25 == 19:
        del u["mobile"]
        del u["street"]
    return answer_bad(app, "kaupat_bad_user_%d" % uid, u)


def answer_list(app, req, list_name):
    if not app.state.get("kaupat"):
        return None
    return page(app, req, list_name)

"""The marketplace's REST API on api.vasaro.test under /1.1/.

Answers are compact JSON written the way a PHP back end writes it: "\\/" in
addresses, \\u escapes for every non-ASCII letter, escaped quotes in titles,
"links" objects with absolute addresses and nested objects.

POST /1.1/authentication/           form username, password -> token and "updated"
GET  /1.1/items/<n>                  an item (any number of 8+ digits)
GET  /1.1/items/<n>/bids?num=1       the latest bid; numbers ending in "00" have none
GET  /1.1/items/<n>/purchases        the trade of a sold item
GET  /1.1/users/<id>                 a user (token)
GET  /1.1/users/<id>/sales?...       sold items, paged by limit and page (token)
GET  /1.1/users/<id>/purchases?...   won items, paged likewise (token)

State keys (all optional):
  api_user, api_password      accepted credentials ("Testaaja", "salasana")
  api_user_id                 the user id of that user ("7654321")
  api_updated                 the "updated" time of the login answer
  api_token                   the token issued last (set by the login)
  api_sales_count, api_purchases_count   list lengths (3 and 2)
  api_item_<n>                raw JSON answer for item n
  api_bidder_<n>              bidder name of item n
  api_login_delay_ms          the login answers after this many ms (at most 15 s)
The ledger's trades (item numbers 51000001.., 52000001.., users 6100000..)
come from kaupat.py, which also owns the lists while its state key is set.
"""
import json
import secrets
import time

from routes import kaupat
from routes.common import Response

API_HOST = r"api\.vasaro\.test"
BASE = "http://api.vasaro.test/1.1/"
TOKEN_HEADER = "X-VasaroApiToken"


def dump(obj, status=200, headers=None):
    text = json.dumps(obj, ensure_ascii=True, separators=(",", ":")).replace("/", "\\/")
    return Response(status, text.encode("ascii"), headers,
                    content_type="application/json; charset=utf-8")


def error(status, message):
    return dump({"error": {"code": status, "message": message}}, status)


def item(n):
    n = int(n)
    seller = 1000000 + n % 9000000
    return {
        "links": {
            "self": BASE + "items/%d" % n,
            "seller": BASE + "users/%d" % seller,
            "category": BASE + "categories/12",
            "bids": BASE + "items/%d/bids" % n,
            "alternative": "http://www.vasaro.test/kohteet/vanha-kirves/%d" % n,
        },
        "id": n,
        "title": "Vanha \"Fiskars\" kirves \u2013 hyv\u00e4 kunto %d" % n,
        "category": "Ty\u00f6kalut ja koneet",
        "subCategory": {"id": 12, "name": "K\u00e4sity\u00f6kalut", "links": {"self": BASE + "categories/12"}},
        "seller": "M\u00f6kkimyyj\u00e4",
        "sellerId": seller,
        "postalCode": "00100",
        "location": "Helsinki",
        "currentPrice": 12.5,
        "buyNowPrice": None,
        "minimumIncrease": 1,
        "bidderCount": 0 if str(n).endswith("00") else 2,
        "closingTime": "2022-03-11T20:15:00+02:00",
        "deliveryPrice": 5.9,
        "images": [{"links": {
            "thumbnail": "http://kuvat.vasaro.test/%d-t.jpg" % n,
            "medium": "http://kuvat.vasaro.test/%d-m.jpg" % n}}],
    }


def user(uid, me):
    name = me if me else "K\u00e4ytt\u00e4j\u00e4%d" % uid
    return {
        "links": {
            "self": BASE + "users/%d" % uid,
            "sales": BASE + "users/%d/sales" % uid,
            "purchases": BASE + "users/%d/purchases" % uid,
        },
        "id": uid,
        "username": name,
        "fullname": "Matti \"Masa\" M\u00e4kinen",
        "email": "matti%d@example.test" % uid,
        "street": "Kuusikuja 3 A",
        "zip": "00100",
        "town": "Helsinki",
        "mobile": "040 1234567",
        "telephone": "09 7654321",
    }


def register(app):
    def authorised(req):
        token = app.state.get("api_token")
        return bool(token) and req.header(TOKEN_HEADER) == token

    def page_of(req, first_item, count, key):
        limit = max(1, int(req.args.get("limit") or 50))
        page = max(1, int(req.args.get("page") or 1))
        start = (page - 1) * limit
        ids = [first_item + i for i in range(start, min(start + limit, count))]
        entries = [{"links": {"self": BASE + "items/%d" % i,
                              "alternative": "http://www.vasaro.test/kohteet/kohde/%d" % i},
                    "id": i, "title": "Kohde %d \u00e4" % i} for i in ids]
        return dump({"totalCount": count,
                     "links": {"self": BASE + req.path[len("/1.1/"):]},
                     "items": entries})

    @app.route(API_HOST, r"/1\.1/authentication/?", methods=("POST",))
    def authenticate(req):
        delay = float(app.state.get("api_login_delay_ms", "0")) / 1000.0
        if delay > 0:
            time.sleep(min(delay, 15.0))
        form = req.form()
        if (form.get("username") != app.state.get("api_user", "Testaaja")
                or form.get("password") != app.state.get("api_password", "salasana")):
            return error(401, "Virheellinen k\u00e4ytt\u00e4j\u00e4tunnus tai salasana")
        token = secrets.token_hex(16)
        app.state["api_token"] = token
        uid = app.state.get("api_user_id", "7654321")
        return dump({
            "authentication": {"token": {"id": token, "expires": "2022-03-04T13:34:56+02:00"}},
            "links": {"self": BASE + "authentication",
                      "user": BASE + "users/" + uid},
            "updated": app.state.get("api_updated", "2022-03-04T12:34:56+02:00"),
        })

    @app.route(API_HOST, r"/1\.1/items/(\d+)", methods=("GET",))
    def get_item(req):
        n = req.path.rsplit("/", 1)[1]
        ledger = kaupat.answer_item(app, int(n))
        if ledger is not None:
            return ledger
        raw = app.state.get("api_item_" + n)
        if raw is not None:
            return Response(200, raw.encode("utf-8"), content_type="application/json; charset=utf-8")
        return dump(item(n))

    @app.route(API_HOST, r"/1\.1/items/(\d+)/bids", methods=("GET",))
    def get_bids(req):
        n = req.path.split("/")[3]
        bidder = app.state.get("api_bidder_" + n)
        if bidder is None and n.endswith("00"):
            return dump({"totalCount": 0, "links": {"self": BASE + "items/%s/bids" % n}, "bids": []})
        bidder = bidder if bidder is not None else "Huutaja \u00c4\u00e4ni"
        return dump({"totalCount": 2, "links": {"self": BASE + "items/%s/bids" % n},
                     "bids": [{"links": {"item": BASE + "items/" + n},
                               "id": 981, "bidder": bidder, "amount": 12.5,
                               "time": "2022-03-04T11:00:00+02:00"}]})

    @app.route(API_HOST, r"/1\.1/items/(\d+)/purchases", methods=("GET",))
    def get_trade(req):
        n = int(req.path.split("/")[3])
        ledger = kaupat.answer_trade(app, n)
        if ledger is not None:
            return ledger
        buyer = 5000000 + n % 1000000
        return dump({"totalCount": 1, "purchases": [{
            "links": {"buyer": BASE + "users/%d" % buyer, "item": BASE + "items/%d" % n},
            "quantity": 1, "price": 12.5, "time": "2022-03-11T20:15:00+02:00"}]})

    @app.route(API_HOST, r"/1\.1/users/(\d+)", methods=("GET",))
    def get_user(req):
        if not authorised(req):
            return error(401, "Kirjaudu ensin")
        uid = int(req.path.rsplit("/", 1)[1])
        ledger = kaupat.answer_user(app, uid)
        if ledger is not None:
            return ledger
        me = app.state.get("api_user", "Testaaja") \
            if str(uid) == app.state.get("api_user_id", "7654321") else None
        return dump(user(uid, me))

    @app.route(API_HOST, r"/1\.1/users/(\d+)/sales", methods=("GET",))
    def get_sales(req):
        if not authorised(req):
            return error(401, "Kirjaudu ensin")
        ledger = kaupat.answer_list(app, req, "sales")
        if ledger is not None:
            return ledger
        return page_of(req, 30000001, int(app.state.get("api_sales_count", "3")), "sales")

    @app.route(API_HOST, r"/1\.1/users/(\d+)/purchases", methods=("GET",))
    def get_purchases(req):
        if not authorised(req):
            return error(401, "Kirjaudu ensin")
        ledger = kaupat.answer_list(app, req, "purchases")
        if ledger is not None:
            return ledger
        return page_of(req, 40000001, int(app.state.get("api_purchases_count", "2")), "purchases")

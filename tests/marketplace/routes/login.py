"""Sign-in on the marketplace's web pages.

GET  /kirjaudu                the login form (posts userid, password and a
                              hidden "toiminto" field to /kirjaudu)
POST /kirjaudu                any non-empty userid signs in: sets the HttpOnly
                              session cookie "VASAROSESSIO" and redirects to /
GET  /kirjaudu-ulos           clears the session cookie, redirects to /
GET  /whoami                  echoes the cookies it received and the user of
                              the session: <pre id="keksit">, <p id="kayttaja">
GET  /asetakeksi?nimi=&arvo=  sets a plain cookie (cookies coming back from
     [&ika=seconds]           answers the program fetched itself); with ika a
                              lasting one (Max-Age)
State: "session_<value>" = user name of a session; "login_cookie_domain"
(optional) gives the session cookie a Domain attribute; "login_cookie_max_age"
(optional, seconds) makes it a lasting cookie, as "stay signed in" does.
"""
import html as htmlmod
import secrets

from routes.common import Response, html

SESSION = "VASAROSESSIO"


def _page(title, body):
    return html("<!DOCTYPE html><html><head><meta charset='utf-8'><title>%s</title></head>"
                "<body>%s</body></html>" % (htmlmod.escape(title), body))


def _redirect(location, cookies=()):
    headers = [("Location", location)] + [("Set-Cookie", c) for c in cookies]
    return Response(303, b"", headers)


def register(app):
    @app.route(r"www\.vasaro\.test", r"/kirjaudu", methods=("GET",))
    def login_form(req):
        return _page("Kirjaudu", """
<h1>Kirjaudu sis\u00e4\u00e4n</h1>
<form id="kirjautumislomake" method="post" action="/kirjaudu">
  <input type="text" id="userid" name="userid" value="">
  <input type="password" id="password" name="password" value="">
  <input type="hidden" name="toiminto" value="kirjaudu">
  <button type="submit" id="kirjaudunappi">Kirjaudu</button>
</form>""")

    @app.route(r"www\.vasaro\.test", r"/kirjaudu", methods=("POST",))
    def login_post(req):
        form = req.form()
        user = form.get("userid", "")
        if not user:
            return _page("Kirjaudu", "<p id='virhe'>Kirjautuminen ep\u00e4onnistui</p>")
        value = secrets.token_hex(12)
        app.state["session_" + value] = user
        cookie = "%s=%s; Path=/; HttpOnly" % (SESSION, value)
        domain = app.state.get("login_cookie_domain")
        if domain:
            cookie += "; Domain=" + domain
        max_age = app.state.get("login_cookie_max_age")
        if max_age:
            cookie += "; Max-Age=%d" % int(max_age)
        return _redirect("/", [cookie])

    @app.route(r"www\.vasaro\.test", r"/kirjaudu-ulos")
    def logout(req):
        value = req.cookies().get(SESSION)
        if value:
            app.state.pop("session_" + value, None)
        return _redirect("/", ["%s=; Path=/; Max-Age=0; Expires=Thu, 01 Jan 1970 00:00:00 GMT" % SESSION])

    @app.route(r"www\.vasaro\.test", r"/whoami")
    def whoami(req):
        cookies = req.cookies()
        user = app.state.get("session_" + cookies.get(SESSION, ""), "")
        lines = "\n".join("%s=%s" % (k, v) for k, v in sorted(cookies.items()))
        return _page("Kuka olen", "<p id='kayttaja'>%s</p><pre id='keksit'>%s</pre>"
                     % (htmlmod.escape(user), htmlmod.escape(lines)))

    @app.route(r"www\.vasaro\.test", r"/asetakeksi")
    def set_cookie(req):
        name = req.args.get("nimi", "keksi")
        value = req.args.get("arvo", "1")
        cookie = "%s=%s; Path=/" % (name, value)
        if req.args.get("ika"):
            cookie += "; Max-Age=%d" % int(req.args["ika"])
        return Response(200, b"<html><body>ok</body></html>", [("Set-Cookie", cookie)])

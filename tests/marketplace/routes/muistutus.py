"""The maker's e-mail reminder service on www.vsselain.test.

POST /ajastus/add.php   form fields itemid, userid, title, email, aika and
                        closingtime; answers "OK". The server's request log
                        keeps every POST with its body.

State key "muistutus_tila" (optional):
  virhe    answer 500
  hiljaa   never answer (until the state is cleared or 60 s have passed)
"""
import time

from routes.common import Response


def register(app):
    @app.route(r"www\.vsselain\.test", r"/ajastus/add\.php", methods=("POST",))
    def add(req):
        mode = app.state.get("muistutus_tila", "")
        if mode == "hiljaa":
            deadline = time.time() + 60
            while time.time() < deadline and app.state.get("muistutus_tila") == "hiljaa":
                time.sleep(0.2)
            return None
        if mode == "virhe":
            return Response(500, b"virhe", content_type="text/plain")
        return Response(200, b"OK", content_type="text/plain")

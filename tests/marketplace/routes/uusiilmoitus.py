"""The new-listing form with the real rich-text editor, and the edit form.

GET /uusi-ilmoitus                 new-listing form: every field the program
                                   reads and fills, CKEditor 4 (instance
                                   "description"), delivery and payment dialogs
GET /muokkaa-ilmoitusta/<nro>      edit form with the description addition
                                   field "descriptionAddition"
GET /ckeditor4/<file>              the editor's files from node_modules
"""
import html as htmlmod
import mimetypes
import os

from routes.common import Response, html

HOST = r"www\.vasaro\.test"
EDITOR_DIR = os.path.realpath(os.path.join(os.path.dirname(__file__), "..", "node_modules", "ckeditor4"))

FORM = """
<form id="listingform" method="post" action="/uusi-ilmoitus/esikatsele/">
<input type="hidden" name="id" value="lomake">
<input type="hidden" name="getElementById" value="varjo">
<p id="sellstyle">Myyntitapa:
<label><input type="radio" name="sellstyle" id="sellstyle1" value="1" checked> Huutokauppa</label>
<label><input type="radio" name="sellstyle" id="sellstyle3" value="3"> Osta heti</label></p>
<p>Määrä <input name="quantity" id="quantity" value="1"></p>
<p>Otsikko <input name="title" id="title" size="60"></p>
<p>Osasto
<select name="mainCategoryId" id="mainCategoryId"><option value=""></option><option value="10">Elektroniikka</option><option value="20">Koti</option></select>
<select name="sectionCategoryId" id="sectionCategoryId"><option value=""></option><option value="1020">Kamerat</option><option value="2030">Astiat</option></select>
<select name="subCategoryId" id="subCategoryId"><option value=""></option><option value="102030">Filmikamerat</option><option value="203040">Lasit</option></select></p>
<div id="tekstieditori"><textarea name="description" id="description" rows="8" cols="60"></textarea></div>
<p>Luokitus
<label><input type="radio" name="classification" id="classification1" value="1"> 1</label>
<label><input type="radio" name="classification" id="classification2" value="2"> 2</label>
<label><input type="radio" name="classification" id="classification3" value="3"> 3</label>
<label><input type="radio" name="classification" id="classification4" value="4"> 4</label>
<label><input type="radio" name="classification" id="classification5" value="5"> 5</label></p>
<p>Postinumero <input name="zipcode" id="zipcode">
<label><input type="checkbox" name="foreign" id="foreign" value="1"> Myös ulkomaille</label></p>
<p><span class="kytkin" id="feedback_required"></span><input type="checkbox" name="feedback_required" id="feedback_toggle"
 onclick="document.getElementById('minfb').style.display = this.checked ? '' : 'none'"> Vaadi palautetta
<span id="minfb" style="display:none">vähintään <input name="minimum_feedback" id="minimum_feedback"></span></p>
<p>Lähtöhinta <input name="startprice" id="startprice"> Hinta <input name="price" id="price">
Korotus <input name="increase" id="increase">
<label><input type="checkbox" name="allow_offers" id="allow_offers" value="1"> Hintaehdotukset</label></p>
<p>Alv <select name="vat" id="vat"><option value="0">0</option><option value="10">10</option><option value="14">14</option><option value="24" selected>24</option><option value="25.5">25.5</option></select>
<label><input type="checkbox" name="marginal_tax" id="marginal_tax" value="1"> Marginaaliverotus</label></p>
<p><button type="button" id="delivery_placeholder" onclick="avaa('delivery-modal')">Toimitustavat</button>
<button type="button" id="payment_placeholder" onclick="avaa('payment-modal')">Maksutavat</button>
<span id="valinnat"></span></p>
<div id="delivery-modal" class="modal" style="display:none">
<label><input type="checkbox" name="delivery_methods1" id="delivery_methods1" value="1"> Posti</label>
<label><input type="checkbox" name="delivery_methods2" id="delivery_methods2" value="1"> Nouto</label>
Toimituskulut <input name="delivery_price" id="delivery_price">
<textarea name="delivery_terms" id="delivery_terms" rows="3"></textarea>
<button type="button" id="close-delivery-modal" onclick="sulje('delivery-modal')">Sulje</button></div>
<div id="payment-modal" class="modal" style="display:none">
<label><input type="checkbox" name="payment_methods1" id="payment_methods1" value="1"> Tilisiirto</label>
<label><input type="checkbox" name="payment_methods2" id="payment_methods2" value="1"> Käteinen</label>
<label><input type="checkbox" name="payment_methods3" id="payment_methods3" value="1"> Verkkomaksu</label>
<textarea name="payment_terms" id="payment_terms" rows="3"></textarea>
<button type="button" id="close-payment-modal" onclick="sulje('payment-modal')">Sulje</button></div>
<p><label><input type="checkbox" name="identification_required" id="identification_required" value="1"> Vahva tunnistus</label>
<label><input type="checkbox" name="republish" id="republish" value="1"> Uudelleenlistaus</label></p>
<p><input name="open_daysmuu" id="open_daysmuu" onclick="document.getElementById('avattu').textContent = this.value">
<span id="avattu"></span></p>
<p id="aukiolo">Alkaa <input name="start_date" id="start_date" size="8"> <input name="start_time" id="start_time" size="5">
Päättyy <input name="end_date" id="end_date" size="8"> <input name="end_time" id="end_time" size="5"></p>
<button type="submit" id="esikatseluun">Esikatseluun</button>
</form>
<script>
window.avauksia = 0;
function avaa(id) { window.avauksia++; document.getElementById(id).style.display = ''; }
function sulje(id) {
  document.getElementById(id).style.display = 'none';
  var n = document.querySelectorAll('.modal input[type=checkbox]:checked').length;
  document.getElementById('valinnat').textContent = n + ' valittu';
}
CKEDITOR.replace('description', {language: 'fi', versionCheck: false, height: 200});
</script>
"""


def _page(title, body, head=""):
    return html("<!DOCTYPE html><html><head><meta charset='utf-8'><title>%s</title>%s</head>"
                "<body>%s</body></html>" % (htmlmod.escape(title), head, body))


def register(app):
    @app.route(HOST, r"/uusi-ilmoitus/?", methods=("GET",))
    def new_listing(req):
        return _page("Ilmoita uusi kohde", FORM, "<script src='/ckeditor4/ckeditor.js'></script>")

    @app.route(HOST, r"/muokkaa-ilmoitusta/\d+", methods=("GET",))
    def edit_listing(req):
        return _page("Muokkaa ilmoitusta", """
<form><p>Kuvaus</p><div id="description">Vanha kuvaus</div>
<textarea name="descriptionAddition" id="descriptionAddition" rows="6" cols="60"></textarea></form>""")

    @app.route(HOST, r"/ckeditor4/(.+)", methods=("GET",))
    def editor_file(req):
        path = os.path.realpath(os.path.join(EDITOR_DIR, req.path[len("/ckeditor4/"):]))
        if not path.startswith(EDITOR_DIR + os.sep) or not os.path.isfile(path):
            return Response(404, b"ei ole", content_type="text/plain")
        with open(path, "rb") as f:
            body = f.read()
        kind = mimetypes.guess_type(path)[0] or "application/octet-stream"
        if kind.startswith("text/") or kind.endswith("javascript"):
            kind += "; charset=utf-8"
        return Response(200, body, content_type=kind)

"""Pages for the keyboard and mouse command tests.

/nappaimet/<n>   page "Näppäimet <n>": records every keydown it sees (modifier keys alone left out) in
                 window.nappaimet ("ctrl+t", "c", ...), has a text field
                 (#kentta), a paragraph to select (#teksti) and a link to the
                 next page (#seuraava)
/haku/nappaimet/<n>  the same page at a result-list address
"""
import html as htmlmod

from routes.common import html

SCRIPT = """
window.nappaimet = [];
document.addEventListener('keydown', function (e) {
  if (['Control', 'Shift', 'Alt', 'Meta'].indexOf(e.key) >= 0) return;
  var name = (e.ctrlKey ? 'ctrl+' : '') + (e.shiftKey ? 'shift+' : '') + e.key.toLowerCase();
  window.nappaimet.push(name);
}, true);
"""


def register(app):
    @app.route(r"www\.vasaro\.test", r"(/haku)?/nappaimet/(\d+)")
    def keys_page(req):
        n = int(req.path.rsplit("/", 1)[1])
        title = "Näppäimet %d" % n
        return html(("<!DOCTYPE html><html><head><meta charset='utf-8'><title>%s</title>"
                     "<script>%s</script></head><body>"
                     "<p id='teksti'>Kopioitava teksti %d</p>"
                     "<input id='kentta' value='abc'>"
                     "<a id='seuraava' href='%d'>seuraava</a>"
                     "</body></html>" % (htmlmod.escape(title), SCRIPT, n, n + 1)).encode("utf-8"))

"""Pages for the keyboard and mouse command tests.

/nappaimet/<n>   page "Näppäimet <n>": records every keydown it sees (modifier keys alone left out) in
                 window.nappaimet ("ctrl+t", "c", ...), has a text field
                 (#kentta), a paragraph to select (#teksti) and a link to the
                 next page (#seuraava)
/haku/nappaimet/<n>, /osasto/koti/nappaimet/<n>  the same page at result-list
                 addresses (a search, a category's listing)
/osasto/nappaimet/<n>  the same page at a category address that lists nothing
/muokkaa-ilmoitusta/nappaimet/editori  page "Editori" at an edit-listing address:
                 a text editor frame (#editori, titled "Rikastekstieditori"
                 as the marketplace's editor is) at the top left, a table cell
                 (#solu) padded around a second editor frame, a paragraph
                 (#kappale)
/nappaimet/editori   the same page at an item-page address
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


EDITOR_PAGE = """<!DOCTYPE html><html><head><meta charset='utf-8'><title>Editori</title>
<style>body { margin: 0; } iframe { border: 0; display: block; }
#tekstieditori { position: absolute; left: 20px; top: 20px; }
#taulu { position: absolute; left: 20px; top: 200px; border-spacing: 0; }
#solu { padding: 40px; background: #eee; }
#kappale { position: absolute; left: 20px; top: 400px; width: 300px; height: 40px; margin: 0; }</style>
</head><body>
<div id='tekstieditori'><iframe id='editori' title='Rikastekstieditori, description' width='200' height='100'
 srcdoc='<body contenteditable>Kuvaus</body>'></iframe></div>
<table id='taulu'><tr><td id='solu'><iframe title='Rikastekstieditori' width='100' height='50'
 srcdoc='<body contenteditable>Toinen</body>'></iframe></td></tr></table>
<p id='kappale'>Tavallista tekstiä</p>
</body></html>"""


def register(app):
    @app.route(r"www\.vasaro\.test", r"(/haku|/osasto(/koti)?)?/nappaimet/(\d+)")
    def keys_page(req):
        n = int(req.path.rsplit("/", 1)[1])
        title = "Näppäimet %d" % n
        return html(("<!DOCTYPE html><html><head><meta charset='utf-8'><title>%s</title>"
                     "<script>%s</script></head><body>"
                     "<p id='teksti'>Kopioitava teksti %d</p>"
                     "<input id='kentta' value='abc'>"
                     "<a id='seuraava' href='%d'>seuraava</a>"
                     "</body></html>" % (htmlmod.escape(title), SCRIPT, n, n + 1)).encode("utf-8"))

    @app.route(r"www\.vasaro\.test", r"(/muokkaa-ilmoitusta)?/nappaimet/editori")
    def editor_page(req):
        return html(EDITOR_PAGE.encode("utf-8"))

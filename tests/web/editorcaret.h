#pragma once
// The listing form's rich-text editor (CKEditor) as the web tests prepare it:
// its text set and the caret placed after the first paragraph.
#include "browser/engine/document.h"
#include "browser/engine/tvasaroselain.h"
#include "core/waitfor.h"
#include "webinput.h"
#include <QString>
#include <QWebEngineScript>

namespace EditorCaret {

// Places the caret at the end of the editor's first element.
inline const char *const kPlace =
    "var e=CKEDITOR.instances.description; e.focus();"
    " var r=e.createRange(); r.moveToElementEditEnd(e.editable().getFirst()); r.select();";

// True when the editing document's own selection is a caret at the end of
// the first element. Read from the document, not from the editor, so that
// asking never moves it.
inline const char *const kPlaced =
    "(function(){var e=CKEDITOR.instances.description; if(!e||!e.document) return false;"
    " var d=e.document.$, s=d.getSelection(), first=d.body.firstElementChild;"
    " if(!first||!s||s.rangeCount!==1||!s.isCollapsed||!first.contains(s.anchorNode)) return false;"
    " var before=d.createRange(); before.setStart(first,0); before.setEnd(s.anchorNode,s.anchorOffset);"
    " return before.toString()===first.textContent;})()";

// Sets the editor's HTML and waits until the caret stands at the end of its
// first element. setData places the caret in its callback, after the call
// itself returns, so the wait is first on a mark the callback leaves in the
// page. While the page is still taking its focus (the window's own handling
// of the loaded page), the editor may not take it, and a caret placed then
// leaves no selection: the place is read from the page and set again until
// it stands.
inline bool setTextWithCaretAfterFirst(TVasaroselain *view, const QString &html)
{
    const QString script = QStringLiteral(
        "var e=CKEDITOR.instances.description; if(!e||e.status!=='ready') throw 0;"
        "delete document.body.dataset.caretPlaced;"
        "e.setData('%1', {callback: function(){ %2"
        " document.body.dataset.caretPlaced = '1'; }});").arg(html, QString::fromLatin1(kPlace));
    Document &page = view->document();
    return waitFor([&] { return page.execScript(script); }, 15000)
        && waitFor([&] {
               return page.evaluate(QStringLiteral("document.body.dataset.caretPlaced")).toString()
                   == QLatin1String("1");
           }, 15000)
        && waitFor([&] {
               if (WebTest::evaluate(view->page(), QString::fromLatin1(kPlaced), QWebEngineScript::MainWorld).toBool())
                   return true;
               page.execScript(QString::fromLatin1(kPlace));
               return false;
           }, 15000);
}

} // namespace EditorCaret

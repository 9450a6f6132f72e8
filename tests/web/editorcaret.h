#pragma once
// The listing form's rich-text editor (CKEditor) as the web tests prepare it:
// its text set and the caret placed after the first paragraph.
#include "browser/engine/document.h"
#include "browser/engine/tvasaroselain.h"
#include "core/waitfor.h"
#include <QString>

namespace EditorCaret {

// Sets the editor's HTML and waits until the caret stands at the end of its
// first element. setData places the caret in its callback, after the call
// itself returns, so the wait is on a mark the callback leaves in the page.
inline bool setTextWithCaretAfterFirst(TVasaroselain *view, const QString &html)
{
    const QString script = QStringLiteral(
        "var e=CKEDITOR.instances.description; if(!e||e.status!=='ready') throw 0;"
        "delete document.body.dataset.caretPlaced;"
        "e.setData('%1', {callback: function(){ e.focus();"
        " var r=e.createRange(); r.moveToElementEditEnd(e.editable().getFirst()); r.select();"
        " document.body.dataset.caretPlaced = '1'; }});").arg(html);
    return waitFor([&] { return view->document().execScript(script); }, 15000)
        && waitFor([&] {
               return view->document().evaluate(QStringLiteral("document.body.dataset.caretPlaced")).toString()
                   == QLatin1String("1");
           }, 15000);
}

} // namespace EditorCaret

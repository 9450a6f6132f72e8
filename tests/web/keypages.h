#pragma once
// The key-recording pages of the fake marketplace ("Näppäimet <n>", whose
// keydown listener keeps every key it sees in window.nappaimet) as the key
// and mouse command tests use them.
#include "browser/engine/tvasaroselain.h"
#include "core/waitfor.h"
#include "webinput.h"
#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace KeyPages {

// Runs a script among the page's own objects and waits for the answer.
inline QVariant pageValue(TVasaroselain *view, const QString &script)
{
    return WebTest::evaluate(view->page(), script, QWebEngineScript::MainWorld);
}

// The keys the page's keydown listener has seen ("ctrl+t", "arrowleft").
inline QStringList pageKeys(TVasaroselain *view)
{
    return pageValue(view, QStringLiteral("window.nappaimet ? window.nappaimet.join(',') : ''"))
        .toString().split(u',', Qt::SkipEmptyParts);
}

inline bool showsTitle(TVasaroselain *view, const QString &title)
{
    return waitFor([&] { return view && view->title() == title && view->focusProxy(); }, 15000);
}

// The engine drops input until the page's first frames are shown: type
// into the page's field (#kentta) until the page notices, then forget
// those keys. The keys go where the window system sends them, to the
// application's focus widget.
inline bool pageTakesKeys(TVasaroselain *view)
{
    pageValue(view, QStringLiteral("document.getElementById('kentta').focus()"));
    view->setFocus();
    if (!waitFor([&] { return QApplication::focusWidget() == view->focusProxy(); }, 2000))
        return false;
    for (int i = 0; i < 50; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_X);
        if (waitFor([&] { return pageKeys(view).contains(QStringLiteral("x")); }, 200)) {
            pageValue(view, QStringLiteral("window.nappaimet = []"));
            return true;
        }
    }
    return false;
}

} // namespace KeyPages

#pragma once
// Input and page questions as the web tests use them: a mouse click as the
// window system delivers it (to the widget under the point), and a script
// run in the program's isolated world with its answer waited for.
#include "core/waitfor.h"
#include <QApplication>
#include <QTest>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWidget>

namespace WebTest {
inline bool clickAt(QWidget *w, QPoint local, Qt::MouseButton button = Qt::LeftButton)
{
    const QPoint global = w->mapToGlobal(local);
    QWidget *target = QApplication::widgetAt(global);
    if (!target)
        return false;
    QTest::mouseClick(target, button, {}, target->mapFromGlobal(global));
    return true;
}

inline QVariant evaluate(QWebEnginePage *page, const QString &script)
{
    QVariant result;
    bool done = false;
    page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant &v) {
        result = v;
        done = true;
    });
    waitFor([&] { return done; }, 5000);
    return result;
}
} // namespace WebTest

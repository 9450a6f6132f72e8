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
#include <memory>

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

// The answer is kept in shared state, not in this frame: after a time-out the
// function returns, and an answer that arrives later must not write into it.
inline QVariant evaluate(QWebEnginePage *page, const QString &script,
                         quint32 world = QWebEngineScript::ApplicationWorld)
{
    struct Answer
    {
        QVariant value;
        bool done = false;
    };
    const auto answer = std::make_shared<Answer>();
    page->runJavaScript(script, world, [answer](const QVariant &v) {
        answer->value = v;
        answer->done = true;
    });
    waitFor([answer] { return answer->done; }, 5000);
    return answer->value;
}
} // namespace WebTest

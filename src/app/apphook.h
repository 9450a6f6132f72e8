#pragma once
#include <QObject>
#include <functional>

class QEvent;

// The application-wide hook: every input event passes it before its widget
// sees it. The mouse and keyboard command handlers get the first look and
// can consume an event. Enter in a page form needs no help here: the
// embedded browser receives its own key events while it has the focus.
class AppHook final : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<bool(QObject *target, QEvent *event)>;
    explicit AppHook(QObject *parent = nullptr);

    void setMouseHandler(Handler h) { m_mouse = std::move(h); }      // hiiri_viestit
    void setKeyboardHandler(Handler h) { m_keyboard = std::move(h); }  // nappaimisto_viestit

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Handler m_mouse;
    Handler m_keyboard;
};

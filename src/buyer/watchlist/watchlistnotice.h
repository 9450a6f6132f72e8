#pragma once
// The desktop notification of a watch-list alert, for a user who is not
// looking at the window: a message of the system tray icon (on Linux it goes
// through the desktop's notification service). Clicking the message brings
// the window forward on the watch list. Without a tray (no desktop, or the
// offscreen platform) the window only asks for attention.
#include <QObject>
#include <QString>
#include <functional>

class QSystemTrayIcon;
class QWidget;

class WatchListNotice final : public QObject {
    Q_OBJECT
public:
    enum class Outcome { None, WindowActive, NoTray, Shown };

    // `openWatchList` shows the watch list in the window.
    WatchListNotice(QWidget *window, std::function<void()> openWatchList);

    // Notifies of the alert text unless the window is the active one.
    Outcome notify(const QString &text);
    Outcome lastOutcome() const { return m_last; }
    // The message was clicked: the window comes forward on the watch list.
    void messageClicked();

private:
    bool ensureTray();

    QWidget *m_window;
    std::function<void()> m_openWatchList;
    QSystemTrayIcon *m_tray = nullptr;
    Outcome m_last = Outcome::None;
};

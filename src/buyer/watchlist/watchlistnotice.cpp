#include "buyer/watchlist/watchlistnotice.h"
#include <QApplication>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QWidget>

namespace {
constexpr int kShownMs = 15000;
}

WatchListNotice::WatchListNotice(QWidget *window, std::function<void()> openWatchList)
    : QObject(window), m_window(window), m_openWatchList(std::move(openWatchList))
{
    setObjectName(QStringLiteral("muistilistailmoitus"));
}

WatchListNotice::Outcome WatchListNotice::notify(const QString &text)
{
    if (m_window->isActiveWindow()) {
        m_last = Outcome::WindowActive;
        return m_last;
    }
    if (!ensureTray()) {
        QApplication::alert(m_window);
        m_last = Outcome::NoTray;
        return m_last;
    }
    m_tray->showMessage(QStringLiteral("Vasaro selain"), text, QSystemTrayIcon::Information, kShownMs);
    m_last = Outcome::Shown;
    return m_last;
}

bool WatchListNotice::ensureTray()
{
    if (m_tray)
        return true;
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return false;
    QIcon icon = m_window->windowIcon();
    if (icon.isNull())
        icon = QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation);
    m_tray = new QSystemTrayIcon(icon, this);
    m_tray->setToolTip(QStringLiteral("Vasaro selain"));
    connect(m_tray, &QSystemTrayIcon::messageClicked, this, &WatchListNotice::messageClicked);
    // A click on the icon itself does the same.
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            messageClicked();
    });
    m_tray->show();
    return true;
}

void WatchListNotice::messageClicked()
{
    if (m_window->isMinimized())
        m_window->setWindowState((m_window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    if (m_openWatchList)
        m_openWatchList();
}

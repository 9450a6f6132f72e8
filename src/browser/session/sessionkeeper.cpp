#include "browser/session/sessionkeeper.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "browser/tabs/pagecontrol.h"
#include "browser/tabs/tabmanager.h"
#include "browser/tabs/tabrules.h"
#include <QGuiApplication>
#include <QScreen>
#include <QTabBar>
#include <QTimer>
#include <QWidget>

SessionKeeper::SessionKeeper(const QString &dataFolder, TabManager *tabs, QWidget *window, QObject *parent)
    : QObject(parent),
      m_path(SessionFile::path(dataFolder)),
      m_tabs(tabs),
      m_window(window),
      m_saved(SessionFile::read(m_path)),
      m_delay(new QTimer(this)),
      m_check(new QTimer(this))
{
    m_delay->setSingleShot(true);
    m_delay->setInterval(kSaveDelayMs);
    connect(m_delay, &QTimer::timeout, this, &SessionKeeper::save);
    m_check->setInterval(kCheckMs);
    connect(m_check, &QTimer::timeout, this, &SessionKeeper::save);
}

void SessionKeeper::setRestoreEnabled(bool on)
{
    if (on == m_saved.restoreTabs)
        return;
    SessionState state = m_keeping ? current() : m_saved;
    state.restoreTabs = on;
    if (SessionFile::write(m_path, state))
        m_saved = state;
}

void SessionKeeper::restoreWindow()
{
    // One choice for both: with restoring off the program starts as new,
    // sized from the screen.
    if (!m_window || !m_saved.geometry.isValid() || !m_saved.restoreTabs)
        return;
    // A screen unplugged since: the window would open out of reach.
    const QRect g = m_saved.geometry;
    bool onScreen = false;
    for (const QScreen *screen : QGuiApplication::screens())
        onScreen = onScreen || screen->availableGeometry().intersects(g);
    if (!onScreen)
        return;
    m_window->setGeometry(g);
    if (m_saved.maximised)
        m_window->setWindowState(m_window->windowState() | Qt::WindowMaximized);
}

void SessionKeeper::restoreTabs()
{
    const SessionState saved = m_saved;
    if (saved.restoreTabs && !saved.addresses.isEmpty() && m_tabs->count() == 1) {
        // The first tab is on its way to the home page: elsewhere, it goes there instead.
        const QUrl first(saved.addresses.first());
        if (m_tabs->browser(0)->url() != first)
            m_tabs->browser(0)->vasaroPage()->Navigate(first);
        for (int i = 1; i < saved.addresses.size(); ++i) {
            TVasaroselain *view = m_tabs->CreateNewTabBrowser(false);
            m_pending.insert(view, QUrl(saved.addresses.at(i)));
            // Named as the engine names a page without a title: its address.
            const QString address = saved.addresses.at(i);
            const QString withoutScheme = address.mid(address.indexOf(QLatin1String("://")) + 3);
            m_tabs->pageControl()->setTabText(m_tabs->count() - 1, TabRules::captionFor(withoutScheme));
        }
        m_tabs->activate(saved.active);
        tabShown(saved.active);
        m_tabs->vaihto();
        m_tabs->naytaosoite(saved.addresses.at(saved.active));
    }
    start();
}

void SessionKeeper::start()
{
    m_keeping = true;
    for (int i = 0; i < m_tabs->count(); ++i)
        watchTab(i);
    connect(m_tabs, &TabManager::tabCreated, this, [this](int index) {
        watchTab(index);
        changed();
    });
    connect(m_tabs->pageControl(), &QTabWidget::currentChanged, this, [this](int index) {
        tabShown(index);
        changed();
    });
    // A tab dragged to a new place: the file keeps the strip's order.
    connect(m_tabs->pageControl()->tabBar(), &QTabBar::tabMoved, this, &SessionKeeper::changed);
    m_check->start();
    changed();
}

void SessionKeeper::watchTab(int index)
{
    TVasaroselain *view = m_tabs->browser(index);
    if (view)
        connect(view->vasaroPage(), &QWebEnginePage::urlChanged, this, &SessionKeeper::changed);
}

// A restored tab loads its page the first time it is shown.
void SessionKeeper::tabShown(int index)
{
    if (!m_tabs)
        return;
    TVasaroselain *view = m_tabs->browser(index);
    const auto it = m_pending.find(view);
    if (it == m_pending.end())
        return;
    const QUrl url = it.value();
    m_pending.erase(it);
    view->vasaroPage()->Navigate(url);
}

void SessionKeeper::changed()
{
    if (m_keeping)
        m_delay->start();
}

SessionState SessionKeeper::current() const
{
    SessionState state;
    state.restoreTabs = m_saved.restoreTabs;
    if (m_window) {
        state.maximised = m_window->isMaximized();
        state.geometry = m_window->normalGeometry();
    }
    for (int i = 0; i < m_tabs->count(); ++i) {
        if (!m_tabs->isTabShown(i))
            continue;
        TVasaroselain *view = m_tabs->browser(i);
        const QString address = m_pending.contains(view) ? m_pending.value(view).toString() : view->locationUrl();
        // A blank or local tab has nothing to come back to.
        if (!SessionFile::restorable(address))
            continue;
        if (i == m_tabs->activeIndex())
            state.active = state.addresses.size();
        state.addresses << address;
    }
    return state;
}

void SessionKeeper::save()
{
    if (!m_keeping || !m_tabs)
        return;
    const SessionState state = current();
    if (state != m_saved && SessionFile::write(m_path, state))
        m_saved = state;
}

void SessionKeeper::finish()
{
    if (!m_keeping)
        return;
    save();
    m_keeping = false;
    m_delay->stop();
    m_check->stop();
}

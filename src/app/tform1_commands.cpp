// The main window's keyboard and mouse commands: the application hook offers
// every key press and mouse button to them first (the feature modules' mouse
// handlers before the window's own), and the deferred command words of the
// registry run from `Timer3`.
#include "tform1.h"
#include "commanddispatch.h"
#include "browser/tabs/addressbox.h"
#include "browser/findbar/findbar.h"
#include "browser/tabs/browserkeys.h"
#include "browser/tools/favoritesmenu.h"
#include "browser/tabs/navigationbar.h"
#include "browser/tabs/pagecontrol.h"
#include "browser/tools/pagetools.h"
#include "browser/tabs/tabmanager.h"
#include "browser/engine/tvasaroselain.h"
#include "client/urlscheme.h"
#include "browser/engine/vasaropage.h"
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

namespace {
// A browser window of its own, outside the tabs: the mouse's back and
// forward buttons pressed there travel in that window, not in the tab.
TVasaroselain *ownBrowserWindow(QObject *target)
{
    if (!target->isWidgetType())
        return nullptr;
    auto *view = qobject_cast<TVasaroselain *>(static_cast<QWidget *>(target)->window());
    return view && view->pageIndex() < 0 ? view : nullptr;
}
}

// The window's and the browser's own command words; the feature modules
// add theirs.
void TForm1::buildCommandTable()
{
    const std::pair<const char *, std::function<void()>> commands[] = {
        {"kohdehaku", [this] { KohdenumerollahakuClick(); }},
        {"kayttajahaku", [this] { Kyttjhaku1Click(); }},
        {"lahdekoodi", [this] { m_pageTools->MenuItem10Click(); }},
        // F3 opens the find bar (the page's own find, as browsers have it).
        {"etsitekstia", [this] { m_findBar->F3(false); }},
        {"uusilehti", [this] { m_tabs->MenuItem2Click(); }},
        {"tallennasivu", [this] { m_pageTools->MenuItem3Click(); }},
        {"etsikorosta", [this] { m_pageTools->MenuItem8Click(); }},
        {"suljelehti", [this] { m_tabs->Suljepois(); }},
        {"zoom+", [this] { m_pageTools->zpnClick(ZoomRule::Step::Larger); updateZoomLabel(); }},
        {"zoom-", [this] { m_pageTools->zpnClick(ZoomRule::Step::Smaller); updateZoomLabel(); }},
        {"kokoruututila", [this] { m_pageTools->MenuItem11Click(); }},
        {"poistaurl", [this] { m_toolbar->addressBox()->poistaurl(); }},
        {"tabvasen", [this] { switchTab(-1); }},
        {"taboikea", [this] { switchTab(1); }},
    };
    for (const auto &[word, run] : commands)
        m_registry.addCommand(QLatin1String(word), run);
}

// Deferred command words: the handler that queued one has finished by now.
// The slot is emptied first, so a word never runs twice; a command that
// queues another leaves the timer running for it.
void TForm1::Timer3Timer()
{
    if (!m_pendingCommand.isEmpty()) {
        const QString word = m_pendingCommand;
        m_pendingCommand.clear();
        m_registry.runCommand(word);
    }
    if (m_pendingCommand.isEmpty())
        m_timer3->stop();
}

// Ctrl+Left / Ctrl+Right: the nearest shown tab on that side becomes active
// as if its tab had been clicked; nothing at either end.
void TForm1::switchTab(int step)
{
    QList<bool> shown;
    for (int i = 0; i < m_tabs->count(); ++i)
        shown << m_tabs->isTabShown(i);
    const int target = CommandDispatch::nearestShownTab(shown, m_tabs->activeIndex(), step);
    if (target >= 0)
        m_tabs->pageControl()->setCurrentIndex(target);
}

// A key the program claims is kept from its widget: its shortcut check
// (ShortcutOverride) is accepted so no browser edit command or menu shortcut
// takes it, and the key press itself queues the command word.
bool TForm1::nappaimisto_viestit(QObject *target, QEvent *event)
{
    const auto *key = static_cast<QKeyEvent *>(event);
    CommandDispatch::KeyContext context;
    const QWidget *window = QApplication::activeWindow();
    if (!window && target->isWidgetType())
        window = static_cast<QWidget *>(target)->window();
    if (window)
        context.windowTitle = window->windowTitle();
    // The commands act on the main window's active tab: in a browser window
    // of its own, Ctrl+Q or Ctrl+S would close or save a page the user is
    // not looking at, so that window keeps its keys.
    context.inMainWindow = window == this;
    context.addressListSelection = m_toolbar->addressBox()->listOpenWithSelection();
    context.resultListPage = UrlScheme::isListingPage(m_tabs->aktiivisivu_locationurl());
    // Delete in a module's own fields (the search form's) edits the text there.
    if (m_registry.ownsFocus(QApplication::focusWidget()))
        context.resultListPage = false;
    // Delete on a result-list page is claimed only when the seller filter is
    // there to take the selected listings; otherwise it stays with the page.
    context.sellerFilter = m_registry.pipelineSteps().sellerFilter != nullptr;
    const QString word = CommandDispatch::keyCommand(key->key(), key->modifiers(), context);
    // Shift+F3 steps back in the open find bar at once.
    if (word == QLatin1String("etsitekstia") && key->modifiers().testFlag(Qt::ShiftModifier)) {
        event->accept();
        if (event->type() == QEvent::KeyPress)
            m_findBar->F3(true);
        return true;
    }
    if (word.isEmpty())
        return window == this && browserKey(event);
    event->accept();
    if (event->type() == QEvent::KeyPress)
        queueCommand(word);
    return true;
}

// The browser's own keys in the main window, for keys the command rules
// leave alone. They act at once, like the toolbar buttons they stand for.
// Escape is taken only while the active page loads; otherwise it stays
// with the page or the field that has the focus.
bool TForm1::browserKey(QEvent *event)
{
    const auto *key = static_cast<QKeyEvent *>(event);
    const BrowserKeys::Action action = BrowserKeys::action(key->key(), key->modifiers());
    TVasaroselain *active = m_tabs->activeBrowser();
    if (action == BrowserKeys::Action::None
        || (action == BrowserKeys::Action::Stop && !(active && active->vasaroPage()->Busy())))
        return false;
    event->accept();
    if (event->type() != QEvent::KeyPress)
        return true;
    switch (action) {
    case BrowserKeys::Action::Reload:
        m_tabs->Selain_refreshClick();
        break;
    case BrowserKeys::Action::Back:
        m_tabs->Selain_taakseClick();
        break;
    case BrowserKeys::Action::Forward:
        m_tabs->Selain_eteenClick();
        break;
    case BrowserKeys::Action::Stop:
        m_tabs->Selain_stopClick();
        break;
    case BrowserKeys::Action::FocusAddress:
        m_toolbar->addressBox()->setFocus(Qt::ShortcutFocusReason);
        m_toolbar->addressBox()->lineEdit()->selectAll();
        break;
    case BrowserKeys::Action::None:
        break;
    default:
        browserToolKey(int(action));
        break;
    }
    return true;
}

// The mouse's back and forward buttons act at once on the active tab (or on
// the browser window of its own they were pressed in); the rest of their
// click is kept from the browser so it does not travel again.
bool TForm1::hiiri_viestit(QObject *target, QEvent *event)
{
    const auto *mouse = static_cast<QMouseEvent *>(event);
    // The feature modules' handlers first, in their registry order.
    if (m_registry.mouseEvent(target, event)) {
        event->accept();
        return true;
    }
    switch (CommandDispatch::mouseAction(event->type(), mouse->button())) {
    case CommandDispatch::MouseAction::NotHandled:
        return false;
    case CommandDispatch::MouseAction::Back:
        if (TVasaroselain *own = ownBrowserWindow(target))
            own->vasaroPage()->GoBack();
        else
            m_tabs->Selain_taakseClick();
        break;
    case CommandDispatch::MouseAction::Forward:
        if (TVasaroselain *own = ownBrowserWindow(target))
            own->vasaroPage()->GoForward();
        else
            m_tabs->Selain_eteenClick();
        break;
    case CommandDispatch::MouseAction::Swallowed:
        break;
    }
    event->accept();
    return true;
}

// The main window's keyboard and mouse commands: the application hook offers
// every key press and mouse button to them first, and the deferred command
// words run from `Timer3`.
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
#include "buyer/resultpage/previewpanel.h"
#include "buyer/searchform/searchformpanel.h"
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

// Delete on a result-list page is claimed only once the seller filter puts
// "suodatakohde" in this table; until then the key stays with the page.
void TForm1::buildCommandTable()
{
    m_commands = {
        {QStringLiteral("kohdehaku"), [this] { KohdenumerollahakuClick(); }},
        {QStringLiteral("kayttajahaku"), [this] { Kyttjhaku1Click(); }},
        {QStringLiteral("lahdekoodi"), [this] { m_pageTools->MenuItem10Click(); }},
        // F3 opens the find bar (the page's own find, as browsers have it).
        {QStringLiteral("etsitekstia"), [this] { m_findBar->F3(false); }},
        {QStringLiteral("uusilehti"), [this] { m_tabs->MenuItem2Click(); }},
        {QStringLiteral("tallennasivu"), [this] { m_pageTools->MenuItem3Click(); }},
        {QStringLiteral("etsikorosta"), [this] { m_pageTools->MenuItem8Click(); }},
        {QStringLiteral("suljelehti"), [this] { m_tabs->Suljepois(); }},
        {QStringLiteral("zoom+"), [this] { m_pageTools->zpnClick(ZoomRule::Step::Larger); updateZoomLabel(); }},
        {QStringLiteral("zoom-"), [this] { m_pageTools->zpnClick(ZoomRule::Step::Smaller); updateZoomLabel(); }},
        {QStringLiteral("kokoruututila"), [this] { m_pageTools->MenuItem11Click(); }},
        {QStringLiteral("poistaurl"), [this] { m_toolbar->addressBox()->poistaurl(); }},
        {QStringLiteral("tabvasen"), [this] { switchTab(-1); }},
        {QStringLiteral("taboikea"), [this] { switchTab(1); }},
    };
}

// Deferred command words: the handler that queued one has finished by now.
// The slot is emptied first, so a word never runs twice; a command that
// queues another leaves the timer running for it.
void TForm1::Timer3Timer()
{
    if (!m_pendingCommand.isEmpty()) {
        const QString word = m_pendingCommand;
        m_pendingCommand.clear();
        const auto command = m_commands.constFind(word);
        if (command != m_commands.constEnd())
            command.value()();
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
    // Delete in the search form's fields edits the text there.
    if (m_searchForm && m_searchForm->isAncestorOf(QApplication::focusWidget()))
        context.resultListPage = false;
    context.sellerFilter = m_commands.contains(QStringLiteral("suodatakohde"));
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
    if (editorMenuClick(target, event)) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton && m_preview)
        m_preview->closeOnOutsideClick(target, mouse->globalPosition());
    if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton && m_searchForm)
        m_searchForm->closeOnOutsideClick(target, mouse->globalPosition());
    if (pikkukuvaPress(target, event)) {
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

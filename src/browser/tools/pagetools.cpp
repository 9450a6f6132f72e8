#include "browser/tools/pagetools.h"
#include "browser/engine/browserprofile.h"
#include "browser/tools/cachecleaner.h"
#include "browser/tools/desktopshortcut.h"
#include "browser/policy/downloadmanager.h"
#include "browser/engine/document.h"
#include "browser/engine/scriptsource.h"
#include "browser/tools/favoritesmenu.h"
#include "browser/tools/pageprinter.h"
#include "browser/tools/progresspanel.h"
#include "browser/shellhost.h"
#include "browser/tabs/tabmanager.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "core/prompts.h"
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWebEngineProfile>
#include <QWidget>

namespace {
const QString kCaption = QStringLiteral("VSselain");
const QString kHighlightOpen =
    QStringLiteral("<span style=\"background-color: Lime; font-weight: bolder;\">");
// A page can hold only so many matches; a document that refuses the change
// would otherwise be searched for ever.
constexpr int kMostHighlights = 10000;
}

PageTools::PageTools(TabManager *tabs, BrowserProfile *profile, ShellHost *shell, Prompts *prompts,
                     ProgressPanel *panel, QWidget *mainWindow, const QString &favoritesRoot, QObject *parent)
    : QObject(parent),
      m_tabs(tabs),
      m_profile(profile),
      m_shell(shell),
      m_prompts(prompts),
      m_panel(panel),
      m_window(mainWindow),
      m_folder(favoritesRoot),
      m_favorites(new FavoritesMenu(&m_folder, prompts,
                                    [tabs] {
                                        return FavoritesMenu::Page{tabs->aktiivisivu_locationurl(),
                                                                   tabs->aktiivisivu_locationname()};
                                    },
                                    mainWindow)),
      m_cleaner(new CacheCleaner(this)),
      m_downloads(new DownloadManager(profile->profile(), prompts, panel,
                                      QStandardPaths::writableLocation(QStandardPaths::DownloadLocation), this)),
      m_printer(new PagePrinter(prompts, mainWindow, this))
{
    connect(m_favorites, &FavoritesMenu::openRequested, m_tabs, &TabManager::aktiivisivu_navigate);
    connect(m_cleaner, &CacheCleaner::finished, this, &PageTools::onCacheFinished);
    connect(m_downloads, &DownloadManager::finished, this, &PageTools::onDownloadFinished);
    connect(m_profile, &BrowserProfile::pageSaveRequested, m_downloads,
            [this](VasaroPage *page) { m_downloads->savePage(page); });
    m_favorites->rebuild();
}

PageTools::~PageTools()
{
    delete m_favorites.data();   // it reads this object's folder
}

// ---- find ------------------------------------------------------------------------

void PageTools::MenuItem8Click()
{
    const std::optional<QString> text = m_prompts->input(kCaption, QStringLiteral("Etsi tekstiä:"), m_lastSearch);
    if (!text)
        return;
    m_lastSearch = text->left(kLongestSearch);
    // OK with no text takes the highlights away again.
    if (m_lastSearch.isEmpty()) {
        TVasaroselain *view = m_tabs->activeBrowser();
        if (view && view->document().isHtml())
            view->document().evaluate(ScriptSource::load(QStringLiteral("removehighlights.js")));
        return;
    }
    SearchAndHighlightText(m_lastSearch);
}

int PageTools::SearchAndHighlightText(const QString &text)
{
    TVasaroselain *view = m_tabs->activeBrowser();
    if (text.isEmpty() || !view || view->vasaroPage()->Busy())
        return 0;
    Document &doc = view->document();
    if (!doc.isHtml())
        return 0;
    const TextRange range = doc.bodyTextRange();
    if (range.isNull())
        return 0;
    int count = 0;
    while (count < kMostHighlights && doc.findText(range, text)) {
        doc.pasteHTML(range, kHighlightOpen + doc.htmlText(range) + QStringLiteral("</span>"));
        doc.scrollIntoView(range, true);
        ++count;
    }
    return count;
}

void PageTools::MenuItem7Click()
{
    TVasaroselain *view = m_tabs->activeBrowser();
    if (!view || !view->document().isHtml())
        return;
    const std::optional<QString> text = m_prompts->input(kCaption, QStringLiteral("Etsi tekstiä:"), m_lastFind);
    if (!text)
        return;
    // The engine's find: the same text again moves on to the next match.
    m_lastFind = text->left(kLongestSearch);
    view->page()->findText(m_lastFind);
}

// ---- source, save, full screen ---------------------------------------------------------

void PageTools::MenuItem10Click()
{
    TVasaroselain *view = m_tabs->activeBrowser();
    if (!view || !view->document().isHtml())
        return;
    const QString address = view->locationUrl();
    if (address.startsWith(QLatin1String("view-source:")))
        return;
    m_tabs->uuteenikkunaan(QStringLiteral("view-source:") + address);
}

void PageTools::MenuItem3Click()
{
    TVasaroselain *view = m_tabs->activeBrowser();
    if (!view)
        return;
    // A PDF document in the engine's viewer is saved as the file it is.
    if (PagePrinter::showsPdf(view)) {
        const QUrl url = view->page()->url();
        view->page()->download(url, QFileInfo(url.path()).fileName());
        return;
    }
    if (!view->document().isHtml())
        return;
    m_downloads->savePage(view->page());
}

void PageTools::Tulostasivu1Click()
{
    m_printer->print(m_tabs->activeBrowser());
}

void PageTools::onDownloadFinished(const QString &path, bool ok, bool page)
{
    if (page)
        emit pageSaved(path, ok);
    else if (ok)
        m_shell->naytapaneeli(QStringLiteral("Tallennettu: ") + QFileInfo(path).fileName(), 3);
}

void PageTools::MenuItem11Click()
{
    if (!m_window)
        return;
    if (m_window->isMaximized())
        m_window->showNormal();
    else
        m_window->showMaximized();
}

// ---- zoom ----------------------------------------------------------------------------

void PageTools::zpnClick(ZoomRule::Step step)
{
    if (TVasaroselain *view = m_tabs->activeBrowser())
        view->asetaZoom(ZoomRule::requested(view->zoomPercent(), step));
}

// ---- cache ------------------------------------------------------------------------------

void PageTools::MenuItem28Click()
{
    if (!m_panel || m_cleaner->running())
        return;
    m_panel->setLabel(QStringLiteral("Tyhjennetään.."));
    m_panel->showCentred();
    QPointer<ProgressPanel> panel = m_panel;
    m_cleaner->start(m_profile->profile()->cachePath(), [panel] { return panel && panel->isVisible(); });
}

void PageTools::onCacheFinished(bool cancelled)
{
    if (m_panel)
        m_panel->setLabel(QString());
    // The engine takes a missing entry file for a miss and fetches again.
    // (Its own clearHttpCache() is not used: in 6.4 it can leave later loads
    // of the profile waiting for ever.)
    if (!cancelled)
        m_shell->naytapaneeli(QStringLiteral("Tyhjennetty!"), 3);
    if (m_panel)
        m_panel->hide();
    emit cacheEmptied(cancelled);
}

// ---- desktop launcher, favourites ---------------------------------------------------------

void PageTools::LuoPikakuvake1Click()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!DesktopShortcut::create(folder, QCoreApplication::applicationFilePath())) {
        m_prompts->error(QStringLiteral("Pikakuvakkeen luominen ei onnistunut!"));
        return;
    }
    m_shell->naytapaneeli(QStringLiteral("Pikakuvake luotu!"), 3);
}

void PageTools::Suosikit1Click()
{
    // At the pointer when it is over the window; otherwise (chosen from the
    // keyboard, or where the pointer position is unknown, as on Wayland) at
    // the window's top-left corner, relative to the window either way.
    QPoint at = QCursor::pos();
    if (const QWidget *parent = m_favorites->parentWidget()) {
        const QWidget *window = parent->window();
        if (!window->rect().contains(window->mapFromGlobal(at)))
            at = window->mapToGlobal(QPoint(0, 0));
    }
    m_favorites->popup(at);
}

#pragma once
// Folder browser/tools: page tools and the favourites menu.
//   pagetools.h                           find, source, save, zoom, cache ...
//   pageprinter.h, printspool.h           printing the page
//   zoomrule.h                            zoom levels
//   cachecleaner.h, progresspanel.h       emptying the cache and its panel
//   desktopshortcut.h                     the desktop launcher
//   favoritesfolder.h, favoritesmenu.h    "Suosikit" over .url files
//
// Commands of the "Tiedosto", "Näytä", "Asetukset", "Ohje" and "Suosikit"
// menus that act on the active page or on the browser: find and highlight,
// the engine's find, page source, save page, full screen, zoom, emptying the
// cache, the desktop launcher and the favourites menu.
#include "browser/tools/favoritesfolder.h"
#include "browser/tools/zoomrule.h"
#include <QObject>
#include <QPointer>
#include <QString>

class BrowserProfile;
class CacheCleaner;
class DownloadManager;
class FavoritesMenu;
class PagePrinter;
class ProgressPanel;
class Prompts;
class QWidget;
class ShellHost;
class TabManager;

class PageTools final : public QObject {
    Q_OBJECT
public:
    static constexpr int kLongestSearch = 255;

    // `favoritesRoot` is the bookmarks folder ("Suosikit" in the data
    // folder); `panel` is the progress panel `XiPanel8`; `mainWindow` is the
    // window that the full-screen command toggles.
    PageTools(TabManager *tabs, BrowserProfile *profile, ShellHost *shell, Prompts *prompts, ProgressPanel *panel,
              QWidget *mainWindow, const QString &favoritesRoot, QObject *parent = nullptr);
    ~PageTools() override;

    FavoritesMenu *favoritesMenu() const { return m_favorites; }
    DownloadManager *downloads() const { return m_downloads; }
    PagePrinter *printer() const { return m_printer; }
    QString lastSearchText() const { return m_lastSearch; }

public slots:
    void MenuItem8Click();     // "Etsi ja "Highlight"  Ctrl + F"
    // Highlights every occurrence on the active page and leaves the last in
    // view; returns how many were highlighted.
    int SearchAndHighlightText(const QString &text);
    void MenuItem7Click();     // "Etsi tekstiä.." (F3)
    void MenuItem10Click();    // "Sivun lähdekoodi  Ctrl + U"
    void MenuItem3Click();     // "Tallenna sivu..  Ctrl+S"
    void Tulostasivu1Click();  // "Tulosta sivu.." (Ctrl+P)
    void MenuItem11Click();    // "Kokoruututila" (F11)
    void zpnClick(ZoomRule::Step step);   // "Zoomaus" items
    void MenuItem28Click();    // "Tyhjennä IE:n välimuisti"
    void LuoPikakuvake1Click();           // "Luo pikakuvake työpöydälle"
    void Suosikit1Click();                // "Suosikit"

signals:
    // The cache run ended (cancelled by "Peruuta" or to the end).
    void cacheEmptied(bool cancelled);
    // A page save ended; ok false when the file could not be written.
    void pageSaved(const QString &path, bool ok);

private:
    void onDownloadFinished(const QString &path, bool ok, bool page);
    void onCacheFinished(bool cancelled);

    TabManager *m_tabs;
    BrowserProfile *m_profile;
    ShellHost *m_shell;
    Prompts *m_prompts;
    QPointer<ProgressPanel> m_panel;
    QPointer<QWidget> m_window;
    FavoritesFolder m_folder;
    QPointer<FavoritesMenu> m_favorites;
    CacheCleaner *m_cleaner;
    DownloadManager *m_downloads;
    PagePrinter *m_printer;
    QString m_lastSearch;
    QString m_lastFind;
};

#pragma once
// Favourite sellers and searches in the main window: the tool bar button
// `XiButton14`, the menu items that add and remove a seller by name, the
// overview page in the preview panel and what its links do.
#include "buyer/favourites/favourites.h"
#include <QObject>
#include <functional>

class PreviewPanel;
class Prompts;
class ShellHost;
class TabManager;
struct NavigationArgs;
struct Settings;

class FavouritesTool final : public QObject {
    Q_OBJECT
public:
    struct Parts {
        Settings *settings = nullptr;
        ShellHost *host = nullptr;       // message panel, deferred commands
        TabManager *tabs = nullptr;      // the active tab
        Prompts *prompts = nullptr;
        PreviewPanel *preview = nullptr;
        // A plain user name to its user id ("" when there is none).
        std::function<QString(const QString &)> lookup;
        QString webBase;
    };
    explicit FavouritesTool(const Parts &parts, QObject *parent = nullptr);

    Favourites &favourites() { return m_favourites; }

    // `XiButton14`: the seller of the item page or the current search,
    // depending on the button's caption.
    void XiButton14Click(const QString &caption);
    // "Toiminnot" > "Lisää suosikkimyyjiin" / "Poista suosikkimyyjistä".
    void Lissuosikkimyyjiin1Click();
    void Poistasuosikkimyyjist1Click();
    // "Suosikki myyjät/haut" and the deferred command "suosikkihaut".
    void Suosikkimyyjthaut1Click();
    // The preview browser's navigations: the overview page's links.
    void WB_previewBeforeNavigate2(NavigationArgs *args);

private:
    void addSellerOfActivePage();
    void addActiveSearch();
    void deleteSearch(int position);
    void openSeller(const QString &name);

    Parts m_parts;
    Favourites m_favourites;
};

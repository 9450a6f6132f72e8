#pragma once
// The two pop-up menus of the tab browsers: `PopupMenu1` (page and listing
// editor, also the tab strip's menu) and `PopupMenu2` (links), their items by
// name, and showing them from the host policy's decision. Items whose
// feature is not built stay hidden: a feature module's addPageCommand or
// addLinkCommand connects its command and marks the item available.
#include "browser/policy/contextmenupolicy.h"
#include <QObject>
#include <QPoint>
#include <QVector>
#include <functional>

class QAction;
class QMenu;
class QWebEngineContextMenuRequest;
class QWidget;
class ShellHost;
class TVasaroselain;

class ContextMenus final : public QObject {
    Q_OBJECT
public:
    static constexpr int kPageItems = 17;
    static constexpr int kLinkItems = 9;

    // PopupMenu1's items (their position in the menu, separators included).
    enum class PageItem {
        Close = 0,             // "Sulje   Ctrl+Q"
        LoadTemplate = 1,      // "Lataa ilmoituspohja"
        SaveTemplate = 2,      // "Tallenna ilmoituspohja"
        TemplateFolder = 3,    // "Ilmoituspohjien hakemisto"
        AijaaHost = 9,         // picture-host sub-menus "Aijaa" ... "Oma kotisivu"
        ImgurHost = 10,
        VasarokuvaHost = 11,
        HomePageHost = 12,
        OtherListings = 14,    // "Lisää muut kohteet linkki"
        SameCategory = 15,     // "Muut tässä osastossa linkki"
        Counter = 16           // "Lisää kävijälaskuri"
    };
    // PopupMenu2's items.
    enum class LinkItem {
        OpenInNewTab = 0,         // "Avaa uuteen välilehteen"
        Relist = 2,               // "Huutokauppaa uudelleen"
        AddToFilter = 3,          // "Lisää suodattimeen"
        CloseListing = 4,         // "Lopeta huutokauppa"
        RelistSend = 5,           // "Huutokauppaa uudelleen + lähetä"
        RelistSendApprove = 6,    // "HK uudelleen + lähetä + hyväksy"
        AddToWatchList = 8        // "Lisää muistilistaan"
    };

    ContextMenus(ShellHost *shell, QWidget *parentWidget);

    // A feature's command on a named item; the item becomes available. A
    // link command gets the link's address (takeLinkAddress).
    void addPageCommand(PageItem item, std::function<void()> command);
    void addLinkCommand(LinkItem item, std::function<void(const QString &address)> command);
    QAction *pageItem(PageItem item) const { return pageItem(int(item)); }
    QAction *linkItem(LinkItem item) const { return linkItem(int(item)); }
    // The address a link command works on: the status line's while it shows
    // one (the link under the mouse), else the link the menu was opened
    // over, which is forgotten.
    QString takeLinkAddress();

    QMenu *PopupMenu1() const { return m_page; }
    QMenu *PopupMenu2() const { return m_link; }
    // Items by position (separators included); 9-12 of PopupMenu1 carry the
    // picture-host sub-menus.
    QAction *pageItem(int index) const { return m_pageItems.value(index); }
    QAction *linkItem(int index) const { return m_linkItems.value(index); }
    void setPageItemAvailable(int index, bool available);
    void setLinkItemAvailable(int index, bool available);

    // A listing description was saved to a template during this run (item 4).
    void setTemplateSavedTest(std::function<bool()> test) { m_templateSaved = std::move(test); }

    // The address the link commands work on; cleared at every request.
    QString linkAddress() const { return m_linkAddress; }
    void setLinkAddress(const QString &address) { m_linkAddress = address; }

    // ShowContextMenu for a browser: shows the program's menu and returns
    // true, or false for the engine's standard menu.
    bool showFor(TVasaroselain *view, const QWebEngineContextMenuRequest &request, const QPoint &globalPos);
    // The tab strip's menu: PopupMenu1 between uses (only "Sulje").
    void showForTabStrip(const QPoint &globalPos);
    // The editor menu over the listing's text editor: PopupMenu1 with the
    // listing-form items; between uses again once it closes.
    void showEditorMenu(const QPoint &globalPos);

private:
    static ContextMenuPolicy::LinkUnderMouse linkAt(TVasaroselain *view, const QPoint &viewPos);
    bool show(const ContextMenuPolicy::Decision &d, const QPoint &globalPos);
    void buildPageMenu();
    void buildLinkMenu();
    QAction *addPageItem(const QString &name, const QString &caption);
    QMenu *addPageSubMenu(const QString &name, const QString &caption, const QStringList &items);
    void applyPageVisibility(quint32 mask);
    void applyLinkVisibility(quint32 mask);

    ShellHost *m_shell;
    QMenu *m_page;
    QMenu *m_link;
    QVector<QAction *> m_pageItems;
    QVector<QAction *> m_linkItems;
    quint32 m_pageAvailable;
    quint32 m_linkAvailable;
    std::function<bool()> m_templateSaved;
    QString m_linkAddress;
};

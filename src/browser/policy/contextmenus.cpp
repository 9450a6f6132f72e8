#include "browser/policy/contextmenus.h"
#include "browser/policy/contextmenupolicy.h"
#include "browser/engine/document.h"
#include "browser/shellhost.h"
#include "browser/engine/tvasaroselain.h"
#include "client/urlscheme.h"
#include <QMenu>
#include <QPointer>
#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>
#include <QWebEngineContextMenuRequest>

namespace {
// Separators and the items the tab manager itself serves.
constexpr quint32 kPageServed = (1u << 0) | (1u << 4) | (1u << 5) | (1u << 6) | (1u << 7) | (1u << 8) | (1u << 13);
constexpr quint32 kLinkServed = (1u << 0) | (1u << 1) | (1u << 7);

void setBit(quint32 &mask, int index, bool on)
{
    if (on)
        mask |= 1u << index;
    else
        mask &= ~(1u << index);
}
}

ContextMenus::ContextMenus(ShellHost *shell, QWidget *parentWidget)
    : QObject(parentWidget),
      m_shell(shell),
      m_page(new QMenu(parentWidget)),
      m_link(new QMenu(parentWidget)),
      m_pageAvailable(kPageServed),
      m_linkAvailable(kLinkServed)
{
    m_page->setObjectName(QStringLiteral("PopupMenu1"));
    m_link->setObjectName(QStringLiteral("PopupMenu2"));
    buildPageMenu();
    buildLinkMenu();
    applyPageVisibility(ContextMenuPolicy::kPageBetweenUses);
    // After an editor menu the page menu goes back to its between-uses state.
    connect(m_page, &QMenu::aboutToHide, this, [this] { applyPageVisibility(ContextMenuPolicy::kPageBetweenUses); });
}

QAction *ContextMenus::addPageItem(const QString &name, const QString &caption)
{
    QAction *a = m_page->addAction(caption);
    a->setObjectName(name);
    m_pageItems << a;
    return a;
}

QMenu *ContextMenus::addPageSubMenu(const QString &name, const QString &caption, const QStringList &items)
{
    QMenu *sub = m_page->addMenu(caption);
    sub->setObjectName(name);
    sub->menuAction()->setObjectName(name + QStringLiteral("Item"));
    for (const QString &item : items) {
        if (item.isEmpty())
            sub->addSeparator();
        else
            sub->addAction(item);
    }
    m_pageItems << sub->menuAction();
    return sub;
}

void ContextMenus::buildPageMenu()
{
    addPageItem(QStringLiteral("Sulje1"), QStringLiteral("Sulje   Ctrl+Q"));
    addPageItem(QStringLiteral("lataailm"), QStringLiteral("Lataa ilmoituspohja"));
    addPageItem(QStringLiteral("tallennapohja"), QStringLiteral("Tallenna ilmoituspohja"));
    addPageItem(QStringLiteral("VSasetukset1"), QStringLiteral("Ilmoituspohjien hakemisto"));
    m_pageItems << m_page->addSeparator();
    addPageItem(QStringLiteral("Kopioi1"), QStringLiteral("Kopioi   Ctrl+C"));
    addPageItem(QStringLiteral("Leikkaa1"), QStringLiteral("Leikkaa Ctrl+X"));
    addPageItem(QStringLiteral("Liita1"), QStringLiteral("Liitä   Ctrl+V"));
    m_pageItems << m_page->addSeparator();
    addPageSubMenu(QStringLiteral("Aijaa1"), QStringLiteral("Aijaa"), {QStringLiteral("200px (Suurenee klikkamalla)")});
    addPageSubMenu(QStringLiteral("Imgur1"), QStringLiteral("Imgur"),
                   {QStringLiteral("Pienikuva 150px"), QStringLiteral("Suurikuva 600px")});
    addPageSubMenu(QStringLiteral("Vasarokuva1"), QStringLiteral("Vasarokuva"),
                   {QStringLiteral("Tunnus ja salasana"), QString(), QStringLiteral("Pienikuva (120px)"),
                    QStringLiteral("Suurikuva (600px)")});
    addPageSubMenu(QStringLiteral("Omakotisivu1"), QStringLiteral("Oma kotisivu"),
                   {QStringLiteral("150 x 150 (suurenee klikkaamalla)"),
                    QStringLiteral("Leveys 600 (suurenee klikkaamalla)")});
    m_pageItems << m_page->addSeparator();
    addPageItem(QStringLiteral("muutkohteet1"), QStringLiteral("Lisää muut kohteet linkki"));
    addPageItem(QStringLiteral("muutkohteet2"), QStringLiteral("Muut tässä osastossa linkki"));
    addPageItem(QStringLiteral("lisaalaskuri"), QStringLiteral("Lisää kävijälaskuri"));
}

void ContextMenus::buildLinkMenu()
{
    const auto item = [this](const QString &name, const QString &caption) {
        QAction *a = m_link->addAction(caption);
        a->setObjectName(name);
        m_linkItems << a;
    };
    item(QStringLiteral("Avaauuteenikkunaan1"), QStringLiteral("Avaa uuteen välilehteen"));
    m_linkItems << m_link->addSeparator();
    item(QStringLiteral("Huutokauppaauudelleen1"), QStringLiteral("Huutokauppaa uudelleen"));
    item(QStringLiteral("Lissuodattimeen2"), QStringLiteral("Lisää suodattimeen"));
    item(QStringLiteral("Lopetahuutokauppa1"), QStringLiteral("Lopeta huutokauppa"));
    item(QStringLiteral("Huutokauppaauudelleenlaheta1"), QStringLiteral("Huutokauppaa uudelleen + lähetä"));
    item(QStringLiteral("HKuudelleenlahetahyvaksy1"), QStringLiteral("HK uudelleen + lähetä + hyväksy"));
    m_linkItems << m_link->addSeparator();
    item(QStringLiteral("Lisaamuistilistaan1"), QStringLiteral("Lisää muistilistaan"));
    // Outside the numbered items, so it shows on every link menu.
    m_link->addSeparator();
    QAction *copy = m_link->addAction(QStringLiteral("Kopioi linkin osoite"));
    copy->setObjectName(QStringLiteral("Kopioilinkinosoite1"));
    connect(copy, &QAction::triggered, this, [this] {
        if (!m_linkAddress.isEmpty())
            QGuiApplication::clipboard()->setText(m_linkAddress);
    });
}

void ContextMenus::addPageCommand(PageItem item, std::function<void()> command)
{
    if (QAction *action = pageItem(item)) {
        connect(action, &QAction::triggered, this, std::move(command));
        setPageItemAvailable(int(item), true);
    }
}

void ContextMenus::addLinkCommand(LinkItem item, std::function<void(const QString &address)> command)
{
    if (QAction *action = linkItem(item)) {
        connect(action, &QAction::triggered, this, [this, command = std::move(command)] { command(takeLinkAddress()); });
        setLinkItemAvailable(int(item), true);
    }
}

QString ContextMenus::takeLinkAddress()
{
    const QString address = ContextMenuPolicy::linkCommandAddress(m_shell->statusText(), m_linkAddress);
    m_linkAddress.clear();
    return address;
}

void ContextMenus::setPageItemAvailable(int index, bool available)
{
    if (index >= 0 && index < kPageItems)
        setBit(m_pageAvailable, index, available);
}

void ContextMenus::setLinkItemAvailable(int index, bool available)
{
    if (index >= 0 && index < kLinkItems)
        setBit(m_linkAvailable, index, available);
}

void ContextMenus::applyPageVisibility(quint32 mask)
{
    for (int i = 0; i < m_pageItems.size(); ++i)
        m_pageItems.at(i)->setVisible(mask & (1u << i));
}

void ContextMenus::applyLinkVisibility(quint32 mask)
{
    for (int i = 0; i < m_linkItems.size(); ++i)
        m_linkItems.at(i)->setVisible(mask & (1u << i));
}

bool ContextMenus::showFor(TVasaroselain *view, const QWebEngineContextMenuRequest &request,
                           const QPoint &globalPos)
{
    m_linkAddress.clear();
    ContextMenuPolicy::Input in;
    const bool link = request.linkUrl().isValid();
    if (link)
        in.kind = ContextMenuPolicy::KindLink;
    else if (request.isContentEditable())
        in.kind = ContextMenuPolicy::KindControl;
    // The status bar shows the link under the mouse; the request names it.
    in.statusText = link ? request.linkUrl().toString() : m_shell->statusText();
    in.addressText = m_shell->addressText();
    in.signedIn = !m_shell->signedInUser().isEmpty();
    in.templateSaved = m_templateSaved && m_templateSaved();
    in.pageItemsAvailable = m_pageAvailable;
    in.linkItemsAvailable = m_linkAvailable;
    in.bodyHtml = [view] { return view->document().body().innerHTML(); };
    const QPoint viewPos = request.position();
    // The own-sales page's link menu reads the link's row from the page, and
    // no script answers while the engine's context-menu call is under way:
    // that menu is decided right after the call has returned.
    if (in.kind == ContextMenuPolicy::KindLink && UrlScheme::isOwnSales(in.addressText.toLower())
        && UrlScheme::isItemPage(in.statusText.toLower())) {
        QPointer<TVasaroselain> target(view);
        QTimer::singleShot(1, this, [this, target, in, viewPos, globalPos]() mutable {
            if (!target)
                return;
            in.linkUnderMouse = [target, viewPos] { return linkAt(target, viewPos); };
            show(ContextMenuPolicy::decide(in), globalPos);
        });
        return true;
    }
    in.linkUnderMouse = [view, viewPos] { return linkAt(view, viewPos); };
    return show(ContextMenuPolicy::decide(in), globalPos);
}

ContextMenuPolicy::LinkUnderMouse ContextMenus::linkAt(TVasaroselain *view, const QPoint &viewPos)
{
    const QPoint p = ContextMenuPolicy::pagePoint(viewPos, view->zoomPercent());
    const Element e = view->document().elementFromPoint(p.x(), p.y());
    ContextMenuPolicy::LinkUnderMouse out;
    if (e.tagName() == QLatin1String("A")) {
        out.href = e.href();
        out.parentHtml = e.parentElement().outerHTML();
    }
    return out;
}

bool ContextMenus::show(const ContextMenuPolicy::Decision &d, const QPoint &globalPos)
{
    switch (d.menu) {
    case ContextMenuPolicy::Menu::Standard:
        return false;
    case ContextMenuPolicy::Menu::Page:
        applyPageVisibility(d.visible);
        m_page->popup(globalPos);
        return true;
    case ContextMenuPolicy::Menu::Link:
        m_linkAddress = d.linkAddress;
        applyLinkVisibility(d.visible);
        m_link->popup(globalPos);
        return true;
    }
    return false;
}

void ContextMenus::showEditorMenu(const QPoint &globalPos)
{
    applyPageVisibility(ContextMenuPolicy::listingFormItems(m_templateSaved && m_templateSaved(), m_pageAvailable));
    m_page->popup(globalPos);
}

void ContextMenus::showForTabStrip(const QPoint &globalPos)
{
    applyPageVisibility(ContextMenuPolicy::kPageBetweenUses);
    m_page->popup(globalPos);
}

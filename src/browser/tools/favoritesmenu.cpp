#include "browser/tools/favoritesmenu.h"
#include "browser/tools/favoritesfolder.h"
#include "core/prompts.h"
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QStyle>
#include <QUrl>

namespace {
const char *const kPathProperty = "favouritePath";
const char *const kFilledProperty = "favouriteFilled";
}

FavoritesMenu::FavoritesMenu(FavoritesFolder *folder, Prompts *prompts, std::function<Page()> currentPage,
                             QWidget *parent)
    : QMenu(parent), m_folder(folder), m_prompts(prompts), m_currentPage(std::move(currentPage))
{
    setObjectName(QStringLiteral("TFavoritesPopup"));
    setTitle(QStringLiteral("Suosikit"));
}

void FavoritesMenu::rebuild()
{
    clear();
    QAction *add = addAction(QStringLiteral("Lisää suosikkeihin"));
    add->setObjectName(QStringLiteral("Lisaasuosikkeihin"));
    connect(add, &QAction::triggered, this, &FavoritesMenu::lisaaSuosikkeihin);
    QAction *organise = addAction(QStringLiteral("Järjestä suosikit"));
    organise->setObjectName(QStringLiteral("Jarjestasuosikit"));
    connect(organise, &QAction::triggered, this, &FavoritesMenu::jarjestaSuosikit);
    addSeparator();
    // A data folder that cannot be written to is told about once, at start;
    // the menu then just has no favourites.
    if (!m_folder->ensureRoot()) {
        addAction(QStringLiteral(" (Empty) "))->setEnabled(false);
        return;
    }
    fill(this, m_folder->rootPath(), QStringLiteral("Suosikkikansiota ei voi lukea:\r") + m_folder->rootPath());
}

bool FavoritesMenu::fill(QMenu *menu, const QString &folder, const QString &failure)
{
    const auto entries = m_folder->list(folder);
    if (!entries) {
        m_prompts->message(failure);
        return false;
    }
    if (entries->isEmpty()) {
        menu->addAction(QStringLiteral(" (Empty) "))->setEnabled(false);
        return true;
    }
    for (const FavoriteEntry &e : *entries) {
        const QString caption = FavoritesFolder::caption(e.displayName);
        if (e.isFolder) {
            addFolderItem(menu, e.path, caption);
            continue;
        }
        const bool shortcut = e.path.endsWith(QLatin1String(".url"), Qt::CaseInsensitive);
        QAction *a = menu->addAction(style()->standardIcon(shortcut ? QStyle::SP_FileLinkIcon : QStyle::SP_FileIcon),
                                     caption);
        a->setProperty(kPathProperty, e.path);
        const QString path = e.path;
        connect(a, &QAction::triggered, this, [this, path] { openItem(path); });
    }
    return true;
}

void FavoritesMenu::addFolderItem(QMenu *menu, const QString &path, const QString &caption)
{
    QMenu *sub = menu->addMenu(style()->standardIcon(QStyle::SP_DirIcon), caption);
    sub->menuAction()->setProperty(kPathProperty, path);
    // A hidden placeholder makes the item open as a sub-menu before it is filled.
    sub->addAction(QString())->setVisible(false);
    connect(sub, &QMenu::aboutToShow, this, [this, sub, path] {
        if (sub->property(kFilledProperty).toBool())
            return;
        sub->setProperty(kFilledProperty, true);
        sub->clear();
        fill(sub, path, QStringLiteral("Suosikkien alikansiota ei voi lukea:\r") + path);
    });
}

void FavoritesMenu::openItem(const QString &path)
{
    if (!QFileInfo::exists(QFileInfo(path).absolutePath())) {
        m_prompts->message(QStringLiteral("Suosikin kansiota ei löydy:\r") + QFileInfo(path).absolutePath());
        return;
    }
    emit openRequested(FavoritesFolder::target(path));
}

void FavoritesMenu::lisaaSuosikkeihin()
{
    const Page page = m_currentPage ? m_currentPage() : Page();
    switch (m_folder->add(page.url, page.title)) {
    case FavoritesFolder::AddResult::EmptyUrl:
        m_prompts->message(QStringLiteral("Sivulla ei ole osoitetta, jota lisätä suosikkeihin."));
        return;
    case FavoritesFolder::AddResult::Failed:
        m_prompts->message(QStringLiteral("Suosikin lisääminen ei onnistunut:\r") + m_folder->rootPath());
        return;
    case FavoritesFolder::AddResult::Added:
        rebuild();
        return;
    }
}

void FavoritesMenu::jarjestaSuosikit()
{
    if (!m_folder->ensureRoot()) {
        m_prompts->message(QStringLiteral("Suosikkikansiota ei voi luoda:\r") + m_folder->rootPath());
        return;
    }
    // The folder goes to the desktop's file manager; where nothing opens it,
    // the user learns where it is and can open it by hand.
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(m_folder->rootPath())))
        m_prompts->message(QStringLiteral("Suosikkikansiota ei voitu avata. Se on täällä:\n")
                           + QDir::toNativeSeparators(m_folder->rootPath()));
    rebuild();
}

void FavoritesMenu::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        if (QAction *item = actionAt(event->position().toPoint())) {
            event->accept();
            SuosikitRightClick(item);
            return;
        }
    }
    QMenu::mouseReleaseEvent(event);
}

void FavoritesMenu::SuosikitRightClick(QAction *item)
{
    // Only the favourites carry an icon; the fixed items do not react.
    if (!item || item->icon().isNull() || !actions().contains(item))
        return;
    const QString path = item->property(kPathProperty).toString();
    hide();
    if (!m_prompts->confirmOk(QStringLiteral("Poista suosikeista?")))
        return;
    FavoritesFolder::remove(path);
    rebuild();
}

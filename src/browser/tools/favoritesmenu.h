#pragma once
// The favourites pop-up `TFavoritesPopup` of the "Suosikit" menu: two fixed
// items, a separator and the bookmarks folder, sub-folders as sub-menus
// filled when first opened. A right click on a favourite of the root menu
// offers to delete it.
#include <QMenu>
#include <functional>

class FavoritesFolder;
class Prompts;

class FavoritesMenu final : public QMenu {
    Q_OBJECT
public:
    struct Page {
        QString url;
        QString title;
    };
    // `currentPage` gives the active tab's address and title for
    // "Lisää suosikkeihin".
    FavoritesMenu(FavoritesFolder *folder, Prompts *prompts, std::function<Page()> currentPage,
                  QWidget *parent = nullptr);

    void rebuild();
    void lisaaSuosikkeihin();
    void jarjestaSuosikit();
    // Right click on a root item (`SuosikitRightClick`).
    void SuosikitRightClick(QAction *item);

signals:
    void openRequested(const QString &address);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool fill(QMenu *menu, const QString &folder, const QString &failure);
    void addFolderItem(QMenu *menu, const QString &path, const QString &caption);
    void openItem(const QString &path);

    FavoritesFolder *m_folder;
    Prompts *m_prompts;
    std::function<Page()> m_currentPage;
};

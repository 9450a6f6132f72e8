#pragma once
// The bookmarks store behind the "Suosikit" menu: a folder of internet
// shortcut files (".url", "[InternetShortcut]" / "URL=") with sub-folders,
// inside the data folder.
#include <QList>
#include <QString>
#include <optional>

struct FavoriteEntry {
    QString path;          // absolute path of the file or folder
    QString displayName;   // shown name: file name without ".url"
    bool isFolder = false;
};

class FavoritesFolder final {
public:
    enum class AddResult { Added, EmptyUrl, Failed };

    explicit FavoritesFolder(const QString &rootPath);

    QString rootPath() const { return m_root; }
    bool ensureRoot() const;                      // creates the folder when missing

    // Folders first, then items, each in name order; nullopt when the folder
    // cannot be read.
    std::optional<QList<FavoriteEntry>> list(const QString &folder) const;
    // Menu caption: names longer than 50 characters are cut to 50 + "...".
    static QString caption(const QString &displayName);
    // The address a favourite opens: the URL of an internet shortcut, else
    // the file itself.
    static QString target(const QString &path);
    // Writes "<title>.url" for the address into the root folder.
    AddResult add(const QString &url, const QString &title) const;
    // Deletes a favourite's file; a folder is left alone.
    static bool remove(const QString &path);

private:
    QString fileNameFor(const QString &url, const QString &title) const;

    QString m_root;
};

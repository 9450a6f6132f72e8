#pragma once
// Keeps what the toolkit and the engine write inside the data folder, and
// private there. Qt's file dialogs keep their history in Qt's own settings
// (under ~/.config, shared by every data folder), and Qt WebEngine creates a
// profile's first folders from the XDG data and cache folders under HOME
// before the program can point them elsewhere.
#include <QByteArray>
#include <QFileDevice>
#include <QList>
#include <QString>
#include <utility>

namespace PrivateStorage {

// Qt's own settings (QtProject.conf) go to the data folder's "selain/qt".
void confineToolkitSettings(const QString &dataFolder);

// Everything the process creates from now on is owner-only (umask 077),
// the engine's files included. Files the user chooses outside the data
// folder still get the permissions they had before (usualPermissions()).
void restrictNewFiles();
// Read and write for those the file-creation mask allowed at start.
QFileDevice::Permissions usualPermissions();

// Files and folders under the data folder (not the folder itself) that an
// earlier run left readable by others are made owner-only.
void tighten(const QString &dataFolder);

// While it lives, the XDG data and cache folders point into the data
// folder's "selain/xdg"; the previous values are restored after.
class XdgRedirect final {
public:
    explicit XdgRedirect(const QString &dataFolder);
    ~XdgRedirect();
    XdgRedirect(const XdgRedirect &) = delete;
    XdgRedirect &operator=(const XdgRedirect &) = delete;

private:
    QList<std::pair<QByteArray, std::pair<bool, QByteArray>>> m_saved;   // name, (was set, value)
};

}

#pragma once
// The file in which the program keeps the marketplace's lasting cookies
// between runs, so that its own requests carry the user's login from the
// start (the engine does not hand over the cookies it kept on disk). One
// cookie a line: its exact domain, a tab, its Set-Cookie form. The file is
// readable by its owner only; it holds the user's login.
#include <QDateTime>
#include <QList>
#include <QNetworkCookie>
#include <QString>

namespace CookieFile {
// The cookies of the file that are still valid at `now`. Session cookies,
// expired ones and unreadable lines are left out; a missing file gives none.
QList<QNetworkCookie> read(const QString &path, const QDateTime &now);
// Replaces the file atomically with the lasting cookies of the list,
// owner-only (0600). False when the file could not be written.
bool write(const QString &path, const QList<QNetworkCookie> &cookies);
}

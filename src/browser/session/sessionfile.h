#pragma once
// Folder browser/session: the tabs and window kept between runs.
//   sessionfile.h    the file "istunto.dat" and its lines (no widgets)
//   sessionkeeper.h  watches the tabs and the window, saves and restores
//
// "istunto.dat" lives in the data folder beside the settings file, which it
// never touches. UTF-8 text, one "key=value" a line:
//   VSselain-istunto 1
//   palauta=1                    restore the tabs at start (the user's choice)
//   ikkuna=x,y,leveys,korkeus    the window's normal geometry
//   suurennettu=0|1              maximised
//   aktiivinen=N                 the active one of the tabs below, from 0
//   valilehti=<address>          one line per shown tab, in strip order
// Unknown lines are skipped, so an older program reads a newer file.
#include <QRect>
#include <QString>
#include <QStringList>

struct SessionState {
    bool restoreTabs = true;
    QRect geometry;          // invalid: not known
    bool maximised = false;
    int active = 0;
    QStringList addresses;

    bool operator==(const SessionState &o) const
    {
        return restoreTabs == o.restoreTabs && geometry == o.geometry && maximised == o.maximised
            && active == o.active && addresses == o.addresses;
    }
    bool operator!=(const SessionState &o) const { return !(*this == o); }
};

namespace SessionFile {
constexpr int kMostTabs = 100;
QString path(const QString &dataFolder);
// Only addresses a tab can load again: web pages, nothing blank or local.
bool restorable(const QString &address);
QByteArray encode(const SessionState &state);
// A missing or foreign file gives the defaults; bad lines are skipped.
SessionState decode(const QByteArray &bytes);
SessionState read(const QString &path);
// Atomic, owner-only; false (the old file left as it was) on failure.
bool write(const QString &path, const SessionState &state);
}

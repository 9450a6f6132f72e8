#pragma once
// Keeps "istunto.dat" up to date with the shown tabs, the active tab and the
// window's geometry while the program runs, and puts them back at the next
// start. A change is written a moment after it happens and the state is
// compared every few seconds besides, so a crash or `kill -9` loses at most
// those seconds. Restored tabs other than the active one load their page
// only when first shown: start-up costs one page however many tabs were open.
#include "browser/session/sessionfile.h"
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QTimer;
class QWidget;
class TabManager;
class TVasaroselain;

class SessionKeeper final : public QObject {
    Q_OBJECT
public:
    static constexpr int kSaveDelayMs = 1000;
    static constexpr int kCheckMs = 5000;

    // Reads the file at once (its "palauta" choice is needed before start).
    SessionKeeper(const QString &dataFolder, TabManager *tabs, QWidget *window, QObject *parent = nullptr);

    bool restoreEnabled() const { return m_saved.restoreTabs; }
    // The user's choice; written at once.
    void setRestoreEnabled(bool on);

    // The saved geometry and maximised state, when restoring is on, the file
    // has them and the geometry lies on a screen. Call once the window is shown.
    void restoreWindow();
    // The saved tabs, when restoring is on: the first tab goes to the first
    // address, the others get tabs that load when shown, and the saved active
    // tab becomes active. Call once the first tab exists. Then starts keeping.
    void restoreTabs();
    // Shut-down: writes the state now and stops keeping (the tabs are blanked
    // next, which must not be saved).
    void finish();

    // What would be written now.
    SessionState current() const;
    QString path() const { return m_path; }

private:
    void start();
    void changed();
    void save();
    void tabShown(int index);
    void watchTab(int index);

    QString m_path;
    QPointer<TabManager> m_tabs;   // the window may take it down first
    QPointer<QWidget> m_window;
    SessionState m_saved;
    QTimer *m_delay;
    QTimer *m_check;
    QHash<TVasaroselain *, QUrl> m_pending;   // restored, not shown yet
    bool m_keeping = false;
};

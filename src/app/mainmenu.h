#pragma once
#include <QHash>
#include <QString>

class QAction;
class QMenuBar;
class QMenu;

// The main window's menu bar. Actions are kept by their control name
// ("MenuItem2", "Yleisetasetukset1", ...) so the window can wire each one to
// its handler, and items whose feature is missing stay disabled.
class MainMenu final {
public:
    explicit MainMenu(QMenuBar *bar);

    QAction *action(const QString &name) const;
    QList<QAction *> linkActions() const { return m_links; }   // handled by `muita`
    QList<QAction *> zoomActions() const { return m_zoom; }    // handled by `zpnClick`
    const QHash<QString, QAction *> &all() const { return m_actions; }

private:
    QMenu *menu(const QString &title, const QString &name);
    QAction *item(QMenu *menu, const QString &name, const QString &caption);
    QAction *link(QMenu *menu, const QString &name, const QString &caption);
    void buildFile();
    void buildView();
    void buildSettings();
    void buildTools();
    void buildHelp();
    void buildLinks();
    void buildTopLevel();

    QMenuBar *m_bar;
    QHash<QString, QAction *> m_actions;
    QList<QAction *> m_links;
    QList<QAction *> m_zoom;
};

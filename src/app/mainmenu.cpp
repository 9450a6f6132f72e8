#include "mainmenu.h"
#include <QMenu>
#include <QMenuBar>

namespace {
// The key is shown beside the item, but the command dispatch owns it: the
// shortcut only applies inside the open menu, so a key never acts twice.
void shownKey(QAction *action, Qt::Key key)
{
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetShortcut);
}

void shownKeys(QAction *action, const QKeySequence &keys)
{
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
}
}

MainMenu::MainMenu(QMenuBar *bar) : m_bar(bar)
{
    buildFile();
    buildView();
    buildSettings();
    buildTools();
    m_actions.insert(QStringLiteral("Suosikit1"), m_bar->addAction(QStringLiteral("Suosikit")));
    buildHelp();
    buildLinks();
    buildTopLevel();
    for (auto it = m_actions.begin(); it != m_actions.end(); ++it)
        it.value()->setObjectName(it.key());
}

QAction *MainMenu::action(const QString &name) const
{
    return m_actions.value(name);
}

QMenu *MainMenu::menu(const QString &title, const QString &name)
{
    QMenu *m = m_bar->addMenu(title);
    m->setObjectName(name);
    return m;
}

QAction *MainMenu::item(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *a = menu->addAction(caption);
    m_actions.insert(name, a);
    return a;
}

QAction *MainMenu::link(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *a = item(menu, name, caption);
    m_links << a;
    return a;
}

void MainMenu::buildFile()
{
    QMenu *m = menu(QStringLiteral("Tiedosto"), QStringLiteral("Tiedosto1"));
    item(m, QStringLiteral("MenuItem2"), QStringLiteral("Uusi välilehti     Ctrl+T"));
    item(m, QStringLiteral("MenuItem3"), QStringLiteral("Tallenna sivu..  Ctrl+S"));
    shownKeys(item(m, QStringLiteral("Tulostasivu1"), QStringLiteral("Tulosta sivu..")), QKeySequence(Qt::CTRL | Qt::Key_P));
    shownKeys(item(m, QStringLiteral("Lataukset1"), QStringLiteral("Lataukset")), QKeySequence(Qt::CTRL | Qt::Key_J));
    m->addSeparator();
    item(m, QStringLiteral("MenuItem5"), QStringLiteral("Lopeta"));
}

void MainMenu::buildView()
{
    QMenu *m = menu(QStringLiteral("Näytä"), QStringLiteral("Nayta1"));
    shownKey(item(m, QStringLiteral("MenuItem7"), QStringLiteral("Etsi tekstiä..")), Qt::Key_F3);
    item(m, QStringLiteral("MenuItem8"), QStringLiteral("Etsi ja \"Highlight\"  Ctrl + F"));
    m->addSeparator();
    item(m, QStringLiteral("Kohdenumerollahaku"), QStringLiteral("Kohdenumerolla haku  Ctrl + H"));
    item(m, QStringLiteral("Kyttjhaku1"), QStringLiteral("Käyttäjä haku  Ctrl + K"));
    m->addSeparator();
    QMenu *zoom = m->addMenu(QStringLiteral("Zoomaus"));
    zoom->setObjectName(QStringLiteral("Zoomaus1"));
    m_zoom << item(zoom, QStringLiteral("zpn1"), QStringLiteral("Normaali 100%"))
           << item(zoom, QStringLiteral("zpn2"), QStringLiteral("Suurempi (Ctrl + +)"))
           << item(zoom, QStringLiteral("zpn3"), QStringLiteral("Pienempi (Ctrl + -)"));
    item(m, QStringLiteral("MenuItem10"), QStringLiteral("Sivun lähdekoodi  Ctrl + U"));
    shownKeys(item(m, QStringLiteral("Historia1"), QStringLiteral("Historia")),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H));
    shownKey(item(m, QStringLiteral("MenuItem11"), QStringLiteral("Kokoruututila")), Qt::Key_F11);
}

void MainMenu::buildSettings()
{
    QMenu *m = menu(QStringLiteral("Asetukset"), QStringLiteral("Asetukset1"));
    item(m, QStringLiteral("Yleisetasetukset1"), QStringLiteral("Yleiset asetukset"));
    item(m, QStringLiteral("VSasetukset1"), QStringLiteral("VS asetukset"));
    item(m, QStringLiteral("Kohteenkuvanasetukset1"), QStringLiteral("Kuvien asetukset"));
    item(m, QStringLiteral("Laskuriasetukset"), QStringLiteral("Kävijälaskurin asetukset"));
    m->addSeparator();
    item(m, QStringLiteral("Palautaoletukset1"), QStringLiteral("Palauta oletusasetukset"));
    m->addSeparator();
    item(m, QStringLiteral("MenuItem28"), QStringLiteral("Tyhjennä IE:n välimuisti"));
}

void MainMenu::buildTools()
{
    QMenu *m = menu(QStringLiteral("Toiminnot"), QStringLiteral("Toiminnot1"));
    item(m, QStringLiteral("MenuItem35"), QStringLiteral("Lisää myyjän kohteet suodattimeen"));
    item(m, QStringLiteral("MenuItem36"), QStringLiteral("Lataa suodatin levyltä"));
    item(m, QStringLiteral("MenuItem37"), QStringLiteral("Tallenna suodatin levylle"));
    item(m, QStringLiteral("yhjennsuodatin1"), QStringLiteral("Tyhjennä suodatin"));
    item(m, QStringLiteral("Suodatavalitutmyyjt1"), QStringLiteral("Suodata valitut myyjät"));
    m->addSeparator();
    item(m, QStringLiteral("Lissuosikkimyyjiin1"), QStringLiteral("Lisää suosikkimyyjiin"));
    item(m, QStringLiteral("Poistasuosikkimyyjist1"), QStringLiteral("Poista suosikkimyyjistä"));
}

void MainMenu::buildHelp()
{
    QMenu *m = menu(QStringLiteral("Ohje"), QStringLiteral("Ohje1"));
    link(m, QStringLiteral("Tietoaselaimesta1"), QStringLiteral("Tietoa selaimesta"));
    QMenu *counter = m->addMenu(QStringLiteral("Kävijälaskuri.."));
    counter->setObjectName(QStringLiteral("Kvijlaskuri1"));
    link(counter, QStringLiteral("Tietoalaskurista1"), QStringLiteral("Tietoa laskurista"));
    item(counter, QStringLiteral("Laskurinserveri1"), QStringLiteral("Laskurin asetukset"));
    item(m, QStringLiteral("LuoPikakuvake1"), QStringLiteral("Luo pikakuvake työpöydälle"));
    m->addSeparator();
    item(m, QStringLiteral("About1"), QStringLiteral("Käytössä oleva versio"));
    item(m, QStringLiteral("Paivita1"), QStringLiteral("Tarkista löytyykö uudempi versio"));
    link(m, QStringLiteral("Viimeisimmatmuutokset1"), QStringLiteral("Viimeisimmät muutokset"));
    m->addSeparator();
    link(m, QStringLiteral("Palautetta1"), QStringLiteral("Palautetta"));
}

void MainMenu::buildLinks()
{
    QMenu *m = menu(QStringLiteral("Linkkejä"), QStringLiteral("Linkkej1"));
    QMenu *post = m->addMenu(QStringLiteral("Posti ym.."));
    post->setObjectName(QStringLiteral("Postiym1"));
    link(post, QStringLiteral("Postinhinnat1"), QStringLiteral("Postin hinnat"));
    link(post, QStringLiteral("Lhetystenseuranta1"), QStringLiteral("Lähetysten seuranta"));
    link(post, QStringLiteral("Matkahuoltopaketit1"), QStringLiteral("Matkahuolto paketit"));
    QMenu *others = m->addMenu(QStringLiteral("Muita huutokauppoja"));
    others->setObjectName(QStringLiteral("Muitahuutokauppoja1"));
    link(others, QStringLiteral("Myyjaosta1"), QStringLiteral("Myyjaosta"));
    link(others, QStringLiteral("Systeemi1"), QStringLiteral("Systeemi"));
    others->addSeparator();
    link(others, QStringLiteral("Tradera1"), QStringLiteral("Tradera"));
    link(others, QStringLiteral("eBay1"), QStringLiteral("eBay"));
    link(m, QStringLiteral("VSilmoittaja1"), QStringLiteral("VSilmoittaja"));
}

void MainMenu::buildTopLevel()
{
    m_bar->addAction(QStringLiteral("|"))->setEnabled(false);
    m_actions.insert(QStringLiteral("Suosikkimyyjthaut1"), m_bar->addAction(QStringLiteral("Suosikki myyjät/haut")));
    m_actions.insert(QStringLiteral("Myydytostetutkohteet1"),
                     m_bar->addAction(QStringLiteral("Myydyt/ostetut kohteet")));
    m_bar->addAction(QStringLiteral("|"))->setEnabled(false);
    m_actions.insert(QStringLiteral("Omasivu1"), m_bar->addAction(QStringLiteral("Omasivu")));
    m_actions.insert(QStringLiteral("Haku"), m_bar->addAction(QStringLiteral("Haku")));
}

#include "tform3.h"
#include "core/colourlist.h"
#include "core/endpoints.h"
#include "core/prompts.h"
#include "core/settings.h"
#include "core/settingschecks.h"
#include "core/settingsdefaults.h"
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDesktopServices>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {
QIcon swatch(const QColor &c)
{
    QPixmap pm(16, 12);
    pm.fill(c);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(0, 0, pm.width() - 1, pm.height() - 1);
    return QIcon(pm);
}

QLabel *label(QWidget *page, const QString &text)
{
    return new QLabel(text, page);
}

// Row of widgets side by side, left-aligned.
QWidget *row(QWidget *page, std::initializer_list<QWidget *> widgets)
{
    auto *box = new QWidget(page);
    auto *h = new QHBoxLayout(box);
    h->setContentsMargins(0, 0, 0, 0);
    for (QWidget *w : widgets) {
        w->setParent(box);
        h->addWidget(w);
    }
    h->addStretch(1);
    return box;
}
}

TForm3::TForm3(Settings &settings, Prompts &prompts, const QString &dataFolder, const Endpoints &endpoints,
               QWidget *parent)
    : QDialog(parent),
      m_settings(settings),
      m_prompts(prompts),
      m_dataFolder(dataFolder),
      m_helpAddress(SettingsDefaults::ownServerHelpAddress(endpoints)),
      m_serviceAddress(SettingsDefaults::vasarokuvaSiteAddress(endpoints)),
      m_webBase(endpoints.webBase()),
      m_pages(new QTabWidget(this)),
      m_openUrl([](const QUrl &url) { QDesktopServices::openUrl(url); }),
      m_pickColour([this](const QColor &c) {
          return QColorDialog::getColor(c, this, QStringLiteral("Valitse väri"));
      })
{
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(QStringLiteral("Yleiset asetukset"));
    // A fixed size: the title bar offers closing only (no maximise or
    // minimise buttons that would do nothing).
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::WindowStaysOnTopHint);
    setFixedSize(450, 300);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_pages);
    buildGeneralPage();
    buildVsPage();
    buildPicturePage();
    buildCounterPage();
    buildLogoPage();
    connect(m_pages, &QTabWidget::currentChanged, this, &TForm3::PageControl1Change);
    fitTabs();
    loadFromSettings();
}

// Five captions in a dialog of a fixed 450 pixels: rather than scroll arrows
// that hide the last page, the tabs get a smaller font until all fit.
void TForm3::fitTabs()
{
    m_pages->setUsesScrollButtons(false);
    m_pages->setElideMode(Qt::ElideNone);
    QTabBar *bar = m_pages->tabBar();
    // The tab widget's width, less a little for the frame a style may draw.
    const int room = width() - layout()->contentsMargins().left() - layout()->contentsMargins().right() - 4;
    QFont font = bar->font();
    while (bar->sizeHint().width() > room && font.pointSizeF() > 6.0) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        bar->setFont(font);
    }
}

void TForm3::setUrlOpener(std::function<void(const QUrl &)> opener)
{
    m_openUrl = std::move(opener);
}

void TForm3::setColourPicker(std::function<QColor(const QColor &)> picker)
{
    m_pickColour = std::move(picker);
}

// ---- building -------------------------------------------------------------

QWidget *TForm3::addPage(const QString &name, const QString &caption, QGridLayout **grid)
{
    auto *page = new QWidget(m_pages);
    page->setObjectName(name);
    *grid = new QGridLayout(page);
    (*grid)->setContentsMargins(8, 6, 8, 6);
    (*grid)->setVerticalSpacing(3);
    m_pages->addTab(page, caption);
    return page;
}

void TForm3::addOkButton(QWidget *page, QGridLayout *grid, int index)
{
    auto *ok = new QPushButton(QStringLiteral("OK"), page);
    ok->setObjectName(QStringLiteral("XiButton%1").arg(index));
    ok->setFixedWidth(75);
    connect(ok, &QPushButton::clicked, this, &TForm3::XiButton1Click);
    grid->setRowStretch(grid->rowCount(), 1);
    grid->addWidget(ok, grid->rowCount(), 0, 1, grid->columnCount(), Qt::AlignRight);
}

QWidget *TForm3::checkBox(QWidget *page, const char *name, const QString &caption, bool Settings::*field)
{
    auto *box = new QCheckBox(caption, page);
    box->setObjectName(QLatin1String(name));
    connect(box, &QCheckBox::toggled, this, [this, field](bool on) { m_settings.*field = on; });
    m_loaders.emplace_back([this, box, field] { box->setChecked(m_settings.*field); });
    return box;
}

QLineEdit *TForm3::lineEdit(QWidget *page, const char *name, QString Settings::*field, int maxLength)
{
    auto *edit = new QLineEdit(page);
    edit->setObjectName(QLatin1String(name));
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    connect(edit, &QLineEdit::textChanged, this, [this, field](const QString &t) { m_settings.*field = t; });
    m_edits.emplace_back(edit, field);
    return edit;
}

QComboBox *TForm3::comboBox(QWidget *page, const char *name, const QStringList &items, int Settings::*field)
{
    auto *box = new QComboBox(page);
    box->setObjectName(QLatin1String(name));
    box->addItems(items);
    connect(box, &QComboBox::currentIndexChanged, this, [this, field](int i) {
        if (i >= 0)
            m_settings.*field = i;
    });
    m_loaders.emplace_back([this, box, field] { box->setCurrentIndex(m_settings.*field); });
    return box;
}

QComboBox *TForm3::colourBox(QWidget *page, const char *name)
{
    auto *box = new QComboBox(page);
    box->setObjectName(QLatin1String(name));
    for (int i = 0; i < ColourList::count(); ++i)
        box->addItem(swatch(ColourList::colour(i)), ColourList::name(i), ColourList::colour(i));
    connect(box, &QComboBox::activated, this, [this, box](int i) { colourChosen(box, i); });
    return box;
}

QLabel *TForm3::linkLabel(QWidget *page, const char *name, const QString &caption, const QString &address)
{
    auto *link = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(address.toHtmlEscaped(), caption), page);
    link->setObjectName(QLatin1String(name));
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(link, &QLabel::linkActivated, this, [this](const QString &url) { m_openUrl(QUrl(url)); });
    return link;
}

void TForm3::watchExit(QLineEdit *edit, void (TForm3::*check)())
{
    edit->installEventFilter(this);
    m_exitChecks.emplace_back(edit, check);
}

void TForm3::buildGeneralPage()
{
    QGridLayout *g = nullptr;
    QWidget *p = addPage(QStringLiteral("TabSheet1"), QStringLiteral("Yleiset"), &g);
    g->addWidget(checkBox(p, "Activex", QStringLiteral("Salli ActiveX"), &Settings::Activex), 0, 0, 1, 2);
    g->addWidget(checkBox(p, "skripti", QStringLiteral("Salli Javascript"), &Settings::skripti), 1, 0, 1, 2);
    g->addWidget(checkBox(p, "siirry", QStringLiteral("Siirry välilehteen"), &Settings::siirry), 2, 0, 1, 2);
    g->addWidget(checkBox(p, "vasaroaika", QStringLiteral("Käytä vasaron aikaa"), &Settings::vasaroaika), 3, 0,
                 1, 2);
    g->addWidget(checkBox(p, "LS", QStringLiteral("Lataa suodatin "), &Settings::LS), 0, 2);
    g->addWidget(checkBox(p, "muistutakirjanmerkeista", QStringLiteral("Ilmoita muistilistan kohteista"),
                          &Settings::muistutakirjanmerkeista),
                 1, 2);
    g->addWidget(checkBox(p, "naytakuvat", QStringLiteral("Näytä kuvat"), &Settings::naytakuvat), 2, 2);
    m_restoreTabs = new QCheckBox(QStringLiteral("Palauta välilehdet käynnistettäessä"), p);
    m_restoreTabs->setObjectName(QStringLiteral("palautavalilehdet"));
    m_restoreTabs->setChecked(true);
    connect(m_restoreTabs, &QCheckBox::toggled, this, &TForm3::restoreTabsToggled);
    g->addWidget(m_restoreTabs, 3, 2);
    g->addWidget(label(p, QStringLiteral("Selaimen kotisivu:")), 4, 0);
    QLineEdit *home = lineEdit(p, "kotisivu", &Settings::kotisivu);
    watchExit(home, &TForm3::kotisivuExit);
    g->addWidget(home, 4, 1, 1, 2);
    g->addWidget(label(p, QStringLiteral("Suodattimen kesto")), 5, 0);
    QLineEdit *days = lineEdit(p, "Edit5", &Settings::Edit5, 3);
    days->setFixedWidth(40);
    watchExit(days, &TForm3::Edit5Exit);
    g->addWidget(row(p, {days, label(p, QStringLiteral("pv"))}), 5, 1, 1, 2);
    g->addWidget(label(p, QStringLiteral("Ilmoituspohjat:")), 6, 0);
    QLineEdit *templates = lineEdit(p, "ipohjat", &Settings::ipohjat);
    watchExit(templates, &TForm3::ipohjatExit);
    g->addWidget(templates, 6, 1, 1, 2);
    addOkButton(p, g, 1);
}

void TForm3::setRestoreTabs(bool on)
{
    const QSignalBlocker quiet(m_restoreTabs);
    m_restoreTabs->setChecked(on);
}

bool TForm3::restoreTabs() const
{
    return m_restoreTabs->isChecked();
}

void TForm3::buildVsPage()
{
    QGridLayout *g = nullptr;
    QWidget *p = addPage(QStringLiteral("TabSheet2"), QStringLiteral("VS asetukset"), &g);
    g->addWidget(checkBox(p, "pienet_kuvat", QStringLiteral("Pienet osastokuvat"), &Settings::pienet_kuvat), 0, 0);
    g->addWidget(checkBox(p, "PKK", QStringLiteral("Piilota kuvattomat kohteet"), &Settings::PKK), 1, 0);
    g->addWidget(checkBox(p, "poistamainokset", QStringLiteral("Poista mainokset"), &Settings::poistamainokset),
                 2, 0);
    g->addWidget(checkBox(p, "poistauutiset", QStringLiteral("Poista HS uutisboksit"), &Settings::poistauutiset),
                 3, 0);
    g->addWidget(checkBox(p, "poistafb", QStringLiteral("Poista FB / Twitter ym."), &Settings::poistafb), 4, 0);
    g->addWidget(checkBox(p, "suljelehti", QStringLiteral("Sulje välilehti (Hk uud..)"), &Settings::suljelehti),
                 0, 1);
    g->addWidget(checkBox(p, "piilotapalkki", QStringLiteral("Piilota navigointipalkki"),
                          &Settings::piilotapalkki),
                 1, 1);
    g->addWidget(checkBox(p, "xpalkki", QStringLiteral("Piilota X-vierityspalkki"), &Settings::xpalkki), 2, 1);
    // The main-picture limits and the resize switch are kept but not shown.
    QLineEdit *w = lineEdit(p, "Edit1", &Settings::Edit1, 4);
    QLineEdit *h = lineEdit(p, "Edit2", &Settings::Edit2, 4);
    watchExit(w, &TForm3::Edit1Exit);
    watchExit(h, &TForm3::Edit1Exit);
    connect(w, &QLineEdit::returnPressed, this, &TForm3::Edit1Exit);
    connect(h, &QLineEdit::returnPressed, this, &TForm3::Edit1Exit);
    QWidget *mainSize = row(p, {label(p, QStringLiteral("Pääkuva max")), w, label(p, QStringLiteral("x")), h});
    mainSize->hide();
    g->addWidget(mainSize, 5, 0, 1, 2);
    QWidget *resize = checkBox(p, "muutakuva", QStringLiteral("Pienennä kuva"), &Settings::muutakuva);
    resize->hide();
    g->addWidget(resize, 6, 0);
    addOkButton(p, g, 2);
}

void TForm3::buildPicturePage()
{
    QGridLayout *g = nullptr;
    QWidget *p = addPage(QStringLiteral("TabSheet3"), QStringLiteral("Lisäkuvien asetukset"), &g);
    auto *shrink = new QGroupBox(QStringLiteral("Pienennä automaattisesti"), p);
    auto *sh = new QHBoxLayout(shrink);
    sh->setContentsMargins(6, 2, 6, 2);
    QLineEdit *w = lineEdit(shrink, "Edit3", &Settings::Edit3, 4);
    QLineEdit *h = lineEdit(shrink, "Edit4", &Settings::Edit4, 4);
    for (QLineEdit *e : {w, h}) {
        e->setFixedWidth(45);
        watchExit(e, &TForm3::Edit1Exit);
        connect(e, &QLineEdit::returnPressed, this, &TForm3::Edit1Exit);
    }
    sh->addWidget(label(shrink, QStringLiteral("Maksimi:")));
    sh->addWidget(w);
    sh->addWidget(label(shrink, QStringLiteral("x")));
    sh->addWidget(h);
    sh->addStretch(1);
    g->addWidget(shrink, 0, 0, 1, 2);
    g->addWidget(label(p, QStringLiteral("Tagit")), 0, 2);
    g->addWidget(comboBox(p, "tagit",
                          {QStringLiteral("<P></P>"), QStringLiteral("<BR>"), QStringLiteral("Ei mitään")},
                          &Settings::tagit),
                 0, 3);
    g->addWidget(label(p, QStringLiteral("Oma kuvapalvelin:")), 1, 0);
    QLineEdit *own = lineEdit(p, "omapalvelin", &Settings::omapalvelin);
    watchExit(own, &TForm3::omapalvelinExit);
    g->addWidget(own, 1, 1, 1, 3);
    g->addWidget(linkLabel(p, "asennusohjeet", QStringLiteral("Lue asennusohjeet"), m_helpAddress), 2, 1);
    g->addWidget(linkLabel(p, "vasarokuva", QStringLiteral("Vasarokuva"), m_serviceAddress), 3, 0);
    g->addWidget(label(p, QStringLiteral("Tunnus:")), 4, 0);
    g->addWidget(lineEdit(p, "hktunnus", &Settings::hktunnus), 4, 1);
    g->addWidget(label(p, QStringLiteral("Salasana:")), 5, 0);
    QLineEdit *pw = lineEdit(p, "hksalasana", &Settings::hksalasana);
    pw->setEchoMode(QLineEdit::Password);
    g->addWidget(pw, 5, 1);
    g->addWidget(checkBox(p, "hkts", QStringLiteral("Tallenna salasana"), &Settings::hkts), 4, 2, 1, 2);
    g->addWidget(checkBox(p, "aui", QStringLiteral("Avaa uuteen ikkunaan"), &Settings::aui), 5, 2, 1, 2);
    addOkButton(p, g, 3);
}

void TForm3::buildCounterPage()
{
    QGridLayout *g = nullptr;
    QWidget *p = addPage(QStringLiteral("TabSheet4"), QStringLiteral("Kävijälaskuri"), &g);
    g->addWidget(label(p, QStringLiteral("Kävijälaskurin väri:")), 0, 0);
    m_colorBox3 = colourBox(p, "ColorBox3");
    g->addWidget(m_colorBox3, 0, 1);
    auto *rg = new QGroupBox(QStringLiteral("Laskurin tyyppi:"), p);
    rg->setObjectName(QStringLiteral("rg"));
    auto *rl = new QVBoxLayout(rg);
    auto *group = new QButtonGroup(rg);
    const QStringList types{QStringLiteral("Katsottu 10 kertaa"), QStringLiteral("0010")};
    for (int i = 0; i < types.size(); ++i) {
        auto *b = new QRadioButton(types[i], rg);
        b->setObjectName(QStringLiteral("rg%1").arg(i));
        group->addButton(b, i);
        rl->addWidget(b);
    }
    connect(group, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            m_settings.rg = id;
    });
    m_loaders.emplace_back([this, group] {
        if (QAbstractButton *b = group->button(m_settings.rg))
            b->setChecked(true);
    });
    g->addWidget(rg, 1, 0, 1, 2);
    g->addWidget(label(p, QStringLiteral("Kävijälaskurin osoite:")), 2, 0, 1, 2);
    g->addWidget(lineEdit(p, "serveri", &Settings::serveri), 3, 0, 1, 2);
    g->addWidget(label(p, QStringLiteral("(Älä muuta, ellet käytä omaa palvelinta)")), 4, 0, 1, 2);
    addOkButton(p, g, 4);
}

void TForm3::buildLogoPage()
{
    QGridLayout *g = nullptr;
    QWidget *p = addPage(QStringLiteral("TabSheet5"), QStringLiteral("Logo"), &g);
    g->addWidget(label(p, QStringLiteral("Teksti:")), 0, 0);
    QLineEdit *text = lineEdit(p, "tekstilogo", &Settings::tekstilogo, 20);
    g->addWidget(text, 0, 1, 1, 2);
    g->addWidget(label(p, QStringLiteral("Fontti:")), 1, 0);
    QLineEdit *font = lineEdit(p, "fonttilogo", &Settings::fonttilogo, 3);
    QLineEdit *alpha = lineEdit(p, "lapinakyvyys", &Settings::lapinakyvyys, 3);
    for (QLineEdit *e : {font, alpha}) {
        e->setFixedWidth(40);
        watchExit(e, &TForm3::fonttilogoExit);
    }
    g->addWidget(font, 1, 1);
    g->addWidget(label(p, QStringLiteral("Läpinäkyvyys:")), 2, 0);
    g->addWidget(row(p, {alpha, label(p, QStringLiteral("%"))}), 2, 1);
    QComboBox *place = comboBox(p, "logonpaikka",
                                {QStringLiteral("Vasen yläreuna"), QStringLiteral("Vasen alareuna"),
                                 QStringLiteral("Oikea yläreuna"), QStringLiteral("Oikea alareuna"),
                                 QStringLiteral("Keskellä")},
                                &Settings::logonpaikka);
    m_color1 = colourBox(p, "Color1");
    const std::pair<QString, QWidget *> named[] = {{QStringLiteral("Paikka:"), place},
                                                   {QStringLiteral("Väri:"), m_color1}};
    for (int i = 0; i < 2; ++i) {
        QLabel *caption = label(p, named[i].first);
        caption->setBuddy(named[i].second);
        g->addWidget(caption, 3 + i, 0);
        g->addWidget(named[i].second, 3 + i, 1);
    }
    g->addWidget(checkBox(p, "lisaalogo", QStringLiteral("Lisää logoteksti kuviin"), &Settings::lisaalogo), 5, 0,
                 1, 3);
    // Carries the logo font and text; the picture tools measure the logo with it.
    m_apu = new QLabel(p);
    m_apu->setObjectName(QStringLiteral("apu"));
    m_apu->hide();
    connect(text, &QLineEdit::textChanged, this, &TForm3::refreshLogoPreview);
    connect(font, &QLineEdit::textChanged, this, &TForm3::refreshLogoPreview);
    addOkButton(p, g, 5);
}

// ---- values ---------------------------------------------------------------

void TForm3::loadFromSettings()
{
    // The change handlers write the same values back; harmless.
    for (const auto &load : m_loaders)
        load();
    refreshEdits();
    showColours();
    refreshLogoPreview();
}

void TForm3::refreshEdits()
{
    for (const auto &[edit, field] : m_edits) {
        if (edit->text() != m_settings.*field) {
            const QSignalBlocker block(edit);
            edit->setText(m_settings.*field);
        }
    }
}

void TForm3::refreshLogoPreview()
{
    bool ok = false;
    const int size = m_settings.fonttilogo.toInt(&ok);
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(ok ? qBound(8, size, 254) : 30);
    m_apu->setFont(f);
    m_apu->setText(m_settings.tekstilogo);
    m_apu->adjustSize();
}

void TForm3::showColours()
{
    const QSignalBlocker b1(m_color1);
    const QSignalBlocker b3(m_colorBox3);
    m_color1->setItemData(ColourList::kCustom, m_settings.Color1Custom);
    m_color1->setItemIcon(ColourList::kCustom, swatch(m_settings.Color1Custom));
    m_color1->setCurrentIndex(m_settings.Color1);
    const int i = ColourList::indexOf(m_settings.ColorBox3);
    if (i == ColourList::kCustom) {
        m_colorBox3->setItemData(i, m_settings.ColorBox3);
        m_colorBox3->setItemIcon(i, swatch(m_settings.ColorBox3));
    }
    m_colorBox3->setCurrentIndex(i);
}

void TForm3::colourChosen(QComboBox *box, int index)
{
    QColor colour = ColourList::colour(index);
    if (index == ColourList::kCustom) {
        const QColor picked = m_pickColour(box->itemData(index).value<QColor>());
        if (picked.isValid())
            colour = picked;
        else if (box == m_color1)
            colour = m_settings.Color1Custom;
        else
            colour = QColor();
    }
    if (box == m_color1) {
        m_settings.Color1 = index;
        if (index == ColourList::kCustom)
            m_settings.Color1Custom = colour;
    } else if (colour.isValid()) {
        m_settings.ColorBox3 = colour;
    }
    showColours();
}

// ---- handlers ---------------------------------------------------------------

void TForm3::openPage(int index)
{
    m_pages->setCurrentIndex(qBound(0, index, m_pages->count() - 1));
    PageControl1Change(m_pages->currentIndex());
    if (!isVisible()) {
        if (const QScreen *screen = (parentWidget() ? parentWidget()->screen() : this->screen()))
            move(screen->availableGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

void TForm3::PageControl1Change(int index)
{
    setWindowTitle(m_pages->tabText(index));
}

void TForm3::XiButton1Click()
{
    m_settings.Timer2 = m_settings.muistutakirjanmerkeista;
    hide();
    emit dialogClosed();
}

void TForm3::reject()
{
    // Closing the window (title-bar button or Escape) does what OK does.
    XiButton1Click();
}

bool TForm3::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        // Only a move to another control counts as leaving the field, not the
        // window losing activation (e.g. to the message box a check opens).
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            for (const auto &[widget, check] : m_exitChecks) {
                if (widget == watched)
                    (this->*check)();
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TForm3::Edit1Exit()
{
    SettingsChecks::Edit1Exit(m_settings);
    refreshEdits();
}

void TForm3::Edit5Exit()
{
    SettingsChecks::Edit5Exit(m_settings);
    refreshEdits();
}

void TForm3::fonttilogoExit()
{
    SettingsChecks::fonttilogoExit(m_settings);
    refreshEdits();
    refreshLogoPreview();
}

// Only an address the user typed is checked: passing through the field
// (an empty one, or one loaded from the settings) asks nothing.
void TForm3::omapalvelinExit()
{
    auto *own = findChild<QLineEdit *>(QStringLiteral("omapalvelin"));
    if (!own || !own->isModified())
        return;
    own->setModified(false);
    if (own->text().isEmpty())
        return;
    if (!SettingsChecks::omapalvelinExit(m_settings)) {
        refreshEdits();
        m_prompts.message(QStringLiteral("Lue ohjeet miten käyttää omaa palvelinta!"));
    }
}

void TForm3::kotisivuExit()
{
    if (!SettingsChecks::kotisivuExit(m_settings, m_webBase)) {
        refreshEdits();
        m_prompts.message(QStringLiteral("Kotisivun osoitteessa ei voi olla ohjausmerkkejä."));
    }
}

void TForm3::ipohjatExit()
{
    SettingsChecks::ipohjatExit(m_settings, m_dataFolder);
    refreshEdits();
}

#include "buyer/searchform/searchformpanel.h"
#include "buyer/resultpage/outsideclick.h"
#include "buyer/searchform/categorytree.h"
#include "buyer/searchform/osastolista.h"
#include "buyer/searchform/searchformcontrols.h"
#include "buyer/searchform/searchformhost.h"
#include "browser/engine/document.h"
#include "client/quicksearch.h"
#include "client/urlscheme.h"
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kWidth = 760;
constexpr int kHeight = 560;

QLineEdit *edit(QWidget *parent, const char *name)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    return e;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QComboBox *dropDown(QWidget *parent, const char *name, const QStringList &items)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->addItems(items);
    return c;
}

// A caption and its control on one row of a grid.
void row(QGridLayout *grid, const QString &caption, QWidget *field)
{
    const int r = grid->rowCount();
    auto *label = new QLabel(caption, field->parentWidget());
    label->setBuddy(field);
    grid->addWidget(label, r, 0);
    grid->addWidget(field, r, 1);
}
} // namespace

SearchFormPanel::SearchFormPanel(SearchFormHost &host, const UrlScheme &urls, const QuickSearch &quick,
                                 Prompts &prompts, const QString &folder, QWidget *parent)
    : QFrame(parent), m_host(host), m_quick(quick), m_prompts(prompts), m_folder(folder), m_form(urls, quick)
{
    setObjectName(QStringLiteral("hakulomake"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    build();
    hide();
}

void SearchFormPanel::build()
{
    auto *columns = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(buildChoices());
    left->addWidget(buildFields());
    left->addStretch(1);
    columns->addLayout(left);
    columns->addWidget(buildTreeColumn(), 1);

    m_teeHaku = button(this, "tee_haku", QStringLiteral("HAE"));
    auto *clear = button(this, "tyhjenna_lomake", QStringLiteral("Tyhjennä lomake"));
    connect(m_teeHaku, &QPushButton::clicked, this, &SearchFormPanel::tee_hakuClick);
    connect(clear, &QPushButton::clicked, this, &SearchFormPanel::tyhjenna_lomakeClick);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_teeHaku);
    buttons->addWidget(clear);
    buttons->addStretch(1);

    auto *all = new QVBoxLayout(this);
    all->addLayout(columns, 1);
    all->addLayout(buttons);
    all->addWidget(buildQuickFields());

    // Enter in a text field of the form searches as "HAE" does; the quick
    // fields run their own arrow buttons.
    for (QLineEdit *e : {m_words, m_priceMin, m_priceMax, m_area, m_seller, m_bidder})
        connect(e, &QLineEdit::returnPressed, this, [this] {
            if (m_teeHaku->isEnabled())
                tee_hakuClick();
        });
    connect(m_hakuKohde, &QLineEdit::returnPressed, this, &SearchFormPanel::XiButton2Click);
    connect(m_hakuKayttaja, &QLineEdit::returnPressed, this, &SearchFormPanel::XiButton6Click);
}

QWidget *SearchFormPanel::buildChoices()
{
    auto *box = new QWidget(this);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *wordsRow = new QHBoxLayout;
    m_words = edit(box, "words");
    auto *wordsLabel = new QLabel(QStringLiteral("Hakusanat"), box);
    wordsLabel->setBuddy(m_words);
    wordsRow->addWidget(wordsLabel);
    wordsRow->addWidget(m_words, 1);
    layout->addLayout(wordsRow);
    m_wordsfrom = new RadioGroup(QStringLiteral("wordsfrom"), QStringLiteral("Etsi hakusanaa"),
                                 {QStringLiteral("Otsikosta ja kuvauksesta"), QStringLiteral("Vain otsikosta")}, box);
    m_status = new RadioGroup(QStringLiteral("status"), QStringLiteral("Haun kohde"),
                              {QStringLiteral("Avoimet"), QStringLiteral("Suljetut")}, box);
    m_sellstyle = new RadioGroup(QStringLiteral("sellstyle"), QStringLiteral("Kauppatapa"),
                                 {QStringLiteral("Kaikki"), QStringLiteral("Huutokauppa"), QStringLiteral("Osta Heti")},
                                 box);
    m_sellerUserType = new RadioGroup(
        QStringLiteral("seller_user_type"), QStringLiteral("Haun rajaus"),
        {QStringLiteral("Kaikki"), QStringLiteral("Vain Kaupat"), QStringLiteral("Vain Yksityiset")}, box);
    for (QWidget *w : {static_cast<QWidget *>(m_wordsfrom), static_cast<QWidget *>(m_status),
                       static_cast<QWidget *>(m_sellstyle), static_cast<QWidget *>(m_sellerUserType)})
        layout->addWidget(w);
    return box;
}

QWidget *SearchFormPanel::buildFields()
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    auto *kunto = new QWidget(box);
    auto *kuntoRow = new QHBoxLayout(kunto);
    kuntoRow->setContentsMargins(0, 0, 0, 0);
    const char *const names[] = {"kunto1", "kunto2", "kunto3", "kunto4", "kunto5"};
    const QStringList captions = {QStringLiteral("Uusi"), QStringLiteral("Uudenveroinen"), QStringLiteral("Hyvä"),
                                  QStringLiteral("Tyydyttävä"), QStringLiteral("Heikko")};
    for (int i = 0; i < 5; ++i) {
        m_kunto[i] = new QCheckBox(captions.at(i), kunto);
        m_kunto[i]->setObjectName(QLatin1String(names[i]));
        kuntoRow->addWidget(m_kunto[i]);
    }
    row(grid, QStringLiteral("Tuotteen kunto"), kunto);
    auto *price = new QWidget(box);
    auto *priceRow = new QHBoxLayout(price);
    priceRow->setContentsMargins(0, 0, 0, 0);
    m_priceMin = edit(price, "price_min");
    m_priceMax = edit(price, "price_max");
    priceRow->addWidget(m_priceMin);
    priceRow->addWidget(new QLabel(QStringLiteral("-"), price));
    priceRow->addWidget(m_priceMax);
    row(grid, QStringLiteral("Hinta nyt"), price);
    m_addtime = dropDown(box, "addtime",
                         {QStringLiteral("Koska tahansa"), QStringLiteral("Viimeisen vuorokauden sisällä"),
                          QStringLiteral("Viimeisten 2 päivän sisällä"), QStringLiteral("Viimeisten 5 päivän sisällä"),
                          QStringLiteral("Viimeisen viikon sisällä")});
    row(grid, QStringLiteral("Ilmoitus jätetty"), m_addtime);
    m_closingtime = dropDown(box, "closingtime",
                             {QStringLiteral("Koska tahansa"), QStringLiteral("Seuraavan vuorokauden sisällä"),
                              QStringLiteral("Seuraavan 2 päivän sisällä"), QStringLiteral("Seuraavan 5 päivän sisällä"),
                              QStringLiteral("Seuraavan viikon sisällä")});
    row(grid, QStringLiteral("Ilmoitus sulkeutuu"), m_closingtime);
    m_area = edit(box, "area");
    row(grid, QStringLiteral("Tuotteen sijainti"), m_area);
    m_seller = edit(box, "seller");
    row(grid, QStringLiteral("Myyjän tunnus"), m_seller);
    m_bidder = edit(box, "bidder");
    row(grid, QStringLiteral("Ostajan tunnus"), m_bidder);
    return box;
}

QWidget *SearchFormPanel::buildTreeColumn()
{
    auto *box = new QWidget(this);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    m_tree = new CategoryTree(box);
    auto *hint = new QLabel(QStringLiteral("Useampia osastoja voi valita Ctrl + vasen hiiren nappi"), box);
    hint->setObjectName(QStringLiteral("puuvihje"));
    auto *clearTree = button(box, "XiButton1", QStringLiteral("Tyhjennä osasto"));
    connect(clearTree, &QPushButton::clicked, this, &SearchFormPanel::XiButton1Click);
    layout->addWidget(m_tree, 1);
    layout->addWidget(hint);
    layout->addWidget(clearTree, 0, Qt::AlignLeft);
    return box;
}

QWidget *SearchFormPanel::buildQuickFields()
{
    auto *box = new QWidget(this);
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    m_hakuKohde = edit(box, "haku_kohde");
    m_hakuKohde->setPlaceholderText(QStringLiteral("Anna kohdenumero"));
    m_hakuKayttaja = edit(box, "haku_kayttaja");
    m_hakuKayttaja->setPlaceholderText(QStringLiteral("Anna käyttäjän tunnus"));
    for (QLineEdit *e : {m_hakuKohde, m_hakuKayttaja})
        e->setMinimumWidth(e->fontMetrics().horizontalAdvance(e->placeholderText()) + 16);
    auto *go2 = button(box, "XiButton2", QStringLiteral("->"));
    auto *go6 = button(box, "XiButton6", QStringLiteral("->"));
    connect(go2, &QPushButton::clicked, this, &SearchFormPanel::XiButton2Click);
    connect(go6, &QPushButton::clicked, this, &SearchFormPanel::XiButton6Click);
    layout->addWidget(new QLabel(QStringLiteral("Kohdehaku (Ctrl + H) "), box));
    layout->addWidget(m_hakuKohde);
    layout->addWidget(go2);
    layout->addSpacing(16);
    layout->addWidget(new QLabel(QStringLiteral("Käyttäjähaku (Ctrl + K) "), box));
    layout->addWidget(m_hakuKayttaja);
    layout->addWidget(go6);
    layout->addStretch(1);
    return box;
}

SearchCriteria SearchFormPanel::criteria() const
{
    SearchCriteria c;
    c.words = m_words->text();
    c.wordsfrom = m_wordsfrom->itemIndex();
    c.status = m_status->itemIndex();
    c.sellstyle = m_sellstyle->itemIndex();
    c.seller_user_type = m_sellerUserType->itemIndex();
    for (int i = 0; i < 5; ++i)
        c.kunto[i] = m_kunto[i]->isChecked();
    c.price_min = m_priceMin->text();
    c.price_max = m_priceMax->text();
    c.addtime = m_addtime->currentIndex();
    c.closingtime = m_closingtime->currentIndex();
    c.area = m_area->text();
    c.seller = m_seller->text();
    c.bidder = m_bidder->text();
    c.categories = m_tree->selectedNumbers();
    return c;
}

void SearchFormPanel::setCriteria(const SearchCriteria &c)
{
    m_words->setText(c.words);
    m_wordsfrom->setItemIndex(c.wordsfrom);
    m_status->setItemIndex(c.status);
    m_sellstyle->setItemIndex(c.sellstyle);
    m_sellerUserType->setItemIndex(c.seller_user_type);
    for (int i = 0; i < 5; ++i)
        m_kunto[i]->setChecked(c.kunto[i]);
    m_priceMin->setText(c.price_min);
    m_priceMax->setText(c.price_max);
    m_addtime->setCurrentIndex(c.addtime);
    m_closingtime->setCurrentIndex(c.closingtime);
    m_area->setText(c.area);
    m_seller->setText(c.seller);
    m_bidder->setText(c.bidder);
}

void SearchFormPanel::luo_puu()
{
    m_tree->luo_puu(Osastolista::luo_puu(Osastolista::lataa(m_folder)));
    m_treeBuilt = true;
}

// Centred over the parent, and never larger than it.
void SearchFormPanel::showCentred()
{
    if (QWidget *p = parentWidget()) {
        resize(QSize(kWidth, kHeight).expandedTo(minimumSizeHint()).boundedTo(p->size()));
        move(qMax(0, (p->width() - width()) / 2), qMax(0, (p->height() - height()) / 2));
    }
    show();
    raise();
}

void SearchFormPanel::HakuClick()
{
    if (!m_treeBuilt)
        luo_puu();
    showCentred();
    const QString address = m_host.addressText();
    if (UrlScheme::isReadableSearchResult(address))
        lue_osoitteesta(address);
}

// The user ids are looked up while the button waits; the window stays live
// meanwhile, so the button cannot be pressed twice.
void SearchFormPanel::tee_hakuClick()
{
    const SearchCriteria c = criteria();
    m_teeHaku->setText(QStringLiteral("ODOTA.."));
    m_teeHaku->setEnabled(false);
    const QPointer<SearchFormPanel> alive(this);
    const QString address = m_form.tee_hakuClick(c);
    if (!alive)
        return;
    m_teeHaku->setEnabled(true);
    m_teeHaku->setText(QStringLiteral("HAE"));
    if (address.isEmpty())
        return;
    m_host.aktiivisivu_navigate(address);
    hide();
}

void SearchFormPanel::lue_osoitteesta(const QString &address)
{
    SearchCriteria c = criteria();
    SearchForm::lue_osoitteesta(address, c);
    Document *document = m_host.activeDocument();
    c.seller = document ? SearchForm::formField(*document, QStringLiteral("seller")) : QString();
    c.bidder = document ? SearchForm::formField(*document, QStringLiteral("bidder")) : QString();
    setCriteria(c);
    m_tree->setFocus();
    m_tree->clearSelection();
    for (const QString &number : c.categories)
        aseta(number);
}

void SearchFormPanel::aseta(const QString &number)
{
    m_tree->aseta(number);
}

void SearchFormPanel::tyhjenna_lomakeClick()
{
    SearchCriteria c = criteria();
    SearchForm::tyhjenna_lomake(c);
    setCriteria(c);
    m_tree->clearSelection();
}

void SearchFormPanel::XiButton1Click()
{
    m_tree->clearSelection();
}

void SearchFormPanel::XiButton2Click()
{
    const QString address = m_quick.XiButton2Click(m_hakuKohde->text());
    if (address.isEmpty())
        return;
    m_host.aktiivisivu_navigate(address);
    hide();
}

void SearchFormPanel::XiButton6Click()
{
    const QPointer<SearchFormPanel> alive(this);
    const QString address = m_quick.XiButton6Click(m_hakuKayttaja->text(), m_prompts);
    if (!alive || address.isEmpty())
        return;
    m_host.aktiivisivu_navigate(address);
    hide();
}

void SearchFormPanel::closeOnOutsideClick(QObject *target, const QPointF &globalPos)
{
    if (isOutsideClick(this, target, globalPos))
        hide();
}

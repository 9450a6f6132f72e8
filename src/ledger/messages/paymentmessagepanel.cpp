#include "ledger/messages/paymentmessagepanel.h"
#include "core/paymenttemplates.h"
#include "core/settings.h"
#include "ledger/messages/trademessages.h"
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
template <typename T>
T *named(T *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

constexpr int kIbanLength = 34;

QStringList builtIn(int page)
{
    const PaymentTemplates t = builtInPaymentTemplates();
    switch (page) {
    case 0: return t.myyd1;
    case 1: return t.myyd2;
    case 2: return t.osto1;
    default: return t.osto2;
    }
}
}

PaymentMessagePanel::PaymentMessagePanel(Settings &settings, QWidget *parent)
    : QFrame(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("XiPanel4"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);

    m_pages = named(new QTabWidget(this), "PageControl1");
    // Every template's tab is in view: the panel grows to hold them all
    // rather than hiding some behind scroll arrows.
    m_pages->setUsesScrollButtons(false);
    static const char *const names[] = {"myyd1", "myyd2", "osto1", "osto2"};
    static const char *const captions[] = {"Myytyjä vain yksi", "Myytyjä useampia",
                                           "Ostettuja vain yksi", "Ostettuja useampia"};
    for (int page = 0; page < 4; ++page) {
        m_boxes[page] = named(new QPlainTextEdit(m_pages), names[page]);
        m_boxes[page]->setLineWrapMode(QPlainTextEdit::NoWrap);
        m_pages->addTab(m_boxes[page], QString::fromUtf8(captions[page]));
        connect(m_boxes[page], &QPlainTextEdit::textChanged, this, [this, page] {
            TradeMessages::asetaPohja(m_settings, page, m_boxes[page]->toPlainText().split(u'\n'));
        });
    }
    m_restore = named(new QPushButton(QStringLiteral("Palauta alkuperäinen"), this), "XiButton11");
    m_close = named(new QPushButton(QStringLiteral("Sulje"), this), "XiButton12");
    connect(m_restore, &QPushButton::clicked, this, &PaymentMessagePanel::XiButton11Click);
    connect(m_close, &QPushButton::clicked, this, &QWidget::hide);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(m_pages, 1);
    layout->addWidget(buildLegend());
    layout->addWidget(buildFields());
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_restore);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);
    // Its own size: what the tabs, the legend and the fields need.
    setFixedSize(sizeHint().expandedTo(QSize(409, 313)));
    load();
    hide();
}

QWidget *PaymentMessagePanel::buildLegend()
{
    auto *legend = new QWidget(this);
    auto *grid = new QGridLayout(legend);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(0);
    const QString texts[] = {QStringLiteral("%ko% = Kohteen/kohteiden nimi"),
                             QStringLiteral("%yht% =  Summa kuluineen"),
                             QStringLiteral("%sum% =  Summa ilman kuluja"),
                             QStringLiteral("%lm% = Lukumäärä "),
                             QStringLiteral("%kn% = Kohdenumero"),
                             QStringLiteral("%os% = Huutajan osoite  ")};
    for (int i = 0; i < 6; ++i)
        grid->addWidget(new QLabel(texts[i], legend), i / 2, i % 2);
    return legend;
}

QWidget *PaymentMessagePanel::buildFields()
{
    auto *fields = new QWidget(this);
    auto *grid = new QGridLayout(fields);
    grid->setContentsMargins(0, 0, 0, 0);
    m_postage = named(new QLineEdit(fields), "Edit3");
    m_postage->setFixedWidth(44);
    m_account = named(new QLineEdit(fields), "Edit5");
    // An IBAN is at most 34 characters: the box shows the longest whole.
    m_account->setMinimumWidth(m_account->fontMetrics().horizontalAdvance(QString(kIbanLength, u'W')) + 12);
    m_currency = named(new QComboBox(fields), "valuutta");
    m_currency->addItems({QStringLiteral("€"), QStringLiteral("Euroa")});
    auto *postageRow = new QHBoxLayout;
    postageRow->addWidget(m_postage);
    postageRow->addSpacing(12);
    postageRow->addWidget(new QLabel(QStringLiteral("Valuutta ="), fields));
    postageRow->addWidget(m_currency);
    postageRow->addStretch(1);
    grid->addWidget(new QLabel(QStringLiteral("%pk% = Postikulut "), fields), 0, 0);
    grid->addLayout(postageRow, 0, 1);
    auto *accountLabel = new QLabel(QStringLiteral("%tn% = Tilinro"), fields);
    accountLabel->setBuddy(m_account);
    grid->addWidget(accountLabel, 1, 0);
    grid->addWidget(m_account, 1, 1);
    grid->setColumnStretch(1, 1);

    m_postage->installEventFilter(this);
    connect(m_postage, &QLineEdit::textEdited, this, [this](const QString &t) { m_settings.postikulut = t; });
    connect(m_account, &QLineEdit::textEdited, this, [this](const QString &t) { m_settings.tilinumero = t; });
    connect(m_currency, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            m_settings.valuutta = i;
    });
    return fields;
}

void PaymentMessagePanel::load()
{
    for (int page = 0; page < 4; ++page) {
        const QSignalBlocker block(m_boxes[page]);
        m_boxes[page]->setPlainText(TradeMessages::pohjanRivit(m_settings, page).join(u'\n'));
    }
    m_postage->setText(m_settings.postikulut);
    m_account->setText(m_settings.tilinumero);
    const QSignalBlocker block(m_currency);
    m_currency->setCurrentIndex(m_settings.valuutta == 1 ? 1 : 0);
}

void PaymentMessagePanel::open()
{
    load();
    const QWidget *window = parentWidget();
    move((window->width() - width()) / 2, (window->height() - height()) / 2 - 20);
    show();
    raise();
}

bool PaymentMessagePanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_postage && event->type() == QEvent::FocusOut)
        Edit3Exit();
    return QFrame::eventFilter(watched, event);
}

void PaymentMessagePanel::Edit3Exit()
{
    const QString checked = TradeMessages::tarkistaPostikulut(m_postage->text());
    if (checked != m_postage->text())
        m_postage->setText(checked);
    m_settings.postikulut = checked;
}

void PaymentMessagePanel::XiButton11Click()
{
    // The built-in text, not the one read from the settings file.
    const int page = qBound(0, m_pages->currentIndex(), 3);
    m_boxes[page]->setPlainText(builtIn(page).join(u'\n'));
}

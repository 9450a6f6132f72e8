#include "buyer/sellerfilter/sellerfilterpanel.h"
#include "core/settings.h"
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

SellerFilterPanel::SellerFilterPanel(Settings &settings, QWidget *parent)
    : QFrame(parent), m_settings(settings), m_memo(new QPlainTextEdit(this)),
      m_filter(new QPushButton(QStringLiteral("Suodata myyjien kohteet"), this)),
      m_close(new QPushButton(QStringLiteral("Poistu"), this))
{
    setObjectName(QStringLiteral("myyjapaneeli"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    m_memo->setObjectName(QStringLiteral("Suodatettavatnimimerkit"));
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_filter->setObjectName(QStringLiteral("XiButton12"));
    m_close->setObjectName(QStringLiteral("XiButton16"));
    auto *col = new QVBoxLayout(this);
    col->addWidget(new QLabel(QStringLiteral("Myyjien tunnukset, yksi riville:"), this));
    col->addWidget(m_memo, 1);
    auto *row = new QHBoxLayout;
    row->addWidget(m_filter);
    row->addWidget(m_close);
    col->addLayout(row);
    setFixedSize(300, 320);
    hide();
    connect(m_memo, &QPlainTextEdit::textChanged, this, &SellerFilterPanel::storeNames);
    connect(m_filter, &QPushButton::clicked, this, &SellerFilterPanel::filterSellersRequested);
    connect(m_close, &QPushButton::clicked, this, &SellerFilterPanel::XiButton16Click);
}

void SellerFilterPanel::Suodatavalitutmyyjt1Click()
{
    const QString text = m_settings.Suodatettavatnimimerkit.join(u'\n');
    if (m_memo->toPlainText() != text)
        m_memo->setPlainText(text);
    if (QWidget *p = parentWidget())
        move(p->width() / 2 - width() / 2, p->height() / 2 - height() / 2);
    show();
    raise();
    m_memo->setFocus();
}

void SellerFilterPanel::XiButton16Click()
{
    hide();
}

// The memo's lines; a final line break adds no empty line.
QStringList SellerFilterPanel::names() const
{
    const QString text = m_memo->toPlainText();
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void SellerFilterPanel::storeNames()
{
    m_settings.Suodatettavatnimimerkit = names();
}

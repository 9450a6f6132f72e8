#include "ledger/printing/printpanel.h"
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
template <typename T>
T *named(T *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
}

ColumnChoiceGrid::ColumnChoiceGrid(ColumnChoice &choice, QWidget *parent)
    : QWidget(parent), m_choice(choice)
{
    setObjectName(QStringLiteral("sg4"));
    setFixedSize(ColumnChoice::Columns * CellWidth, ColumnChoice::Rows * CellHeight);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    setFont(f);
}

QRect ColumnChoiceGrid::cellRect(int cell) const
{
    const int row = cell / ColumnChoice::Columns;
    const int column = cell % ColumnChoice::Columns;
    return QRect(column * CellWidth, row * CellHeight, CellWidth, CellHeight);
}

void ColumnChoiceGrid::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    for (int cell = 0; cell < ColumnChoice::Cells; ++cell) {
        const QRect r = cellRect(cell);
        const bool odd = (cell / ColumnChoice::Columns) % 2 == 1;
        p.fillRect(r, odd ? QColor(0xEC, 0xF3, 0xFF) : QColor(0xFE, 0xFE, 0xFE));
        const bool selected = m_choice.selected(cell);
        QFont f = font();
        f.setBold(selected);
        p.setFont(f);
        p.setPen(selected ? QColor(0x00, 0x80, 0x00) : QColor(0xFF, 0x00, 0x00));
        p.drawText(r.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, m_choice.text(cell));
    }
}

void ColumnChoiceGrid::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    for (int cell = 0; cell < ColumnChoice::Cells; ++cell) {
        if (cellRect(cell).contains(at))
            m_choice.toggle(cell);
    }
    update();
}

PrintPanel::PrintPanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("tallennus"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    setFixedSize(361, 233);

    m_grid = new ColumnChoiceGrid(m_choice, this);
    auto *list = named(new QPushButton(QStringLiteral("Tulosta lista"), this), "XiButton1");
    m_partyLabels = named(new QPushButton(QStringLiteral("Tulosta ostajien osoitelaput"), this), "XiButton6");
    m_partyLabels->setToolTip(QStringLiteral("Voit kiinnittää osoitelaput kirjeisiin läpinäkyvällä teipillä."));
    auto *sender = named(new QPushButton(QStringLiteral("Tulosta lähettäjä osoitelappuja"), this), "XiButton4");
    sender->setToolTip(QStringLiteral("Voit kiinnittää oman osoitteesi kirjeisiin läpinäkyvällä teipillä."));
    auto *close = named(new QPushButton(QStringLiteral("Sulje"), this), "XiButton10");
    m_ownAddress = named(new QPlainTextEdit(this), "omaosoite");
    m_ownAddress->setToolTip(QStringLiteral("Kirjoita tähän oma osoitteesi."));
    m_ownAddress->setPlainText(QStringLiteral("Testi Myyjä\nTestitie 123 as 4\n56789 Testi"));

    connect(list, &QPushButton::clicked, this, &PrintPanel::listRequested);
    connect(m_partyLabels, &QPushButton::clicked, this, &PrintPanel::partyLabelsRequested);
    connect(sender, &QPushButton::clicked, this, &PrintPanel::senderLabelsRequested);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    auto *caption = new QHBoxLayout;
    caption->addWidget(new QLabel(QStringLiteral("Valitut sarakkeet"), this));
    caption->addWidget(new QLabel(QStringLiteral("(vihreällä) "), this));
    caption->addStretch(1);
    layout->addLayout(caption, 0, 0, 1, 2);
    layout->addWidget(m_grid, 1, 0, 1, 2, Qt::AlignLeft);
    layout->addWidget(list, 2, 0);
    layout->addWidget(m_partyLabels, 3, 0);
    layout->addWidget(sender, 4, 0);
    layout->addWidget(close, 5, 0);
    layout->addWidget(m_ownAddress, 2, 1, 4, 1);
    hide();
}

QString PrintPanel::omaosoite() const
{
    return m_ownAddress->toPlainText();
}

void PrintPanel::open()
{
    const QWidget *window = parentWidget();
    move((window->width() - width()) / 2, (window->height() - height()) / 2);
    show();
    raise();
    m_grid->update();
}

void PrintPanel::asetavalinnat(const QStringList &viewHeaders, bool reset)
{
    m_choice.asetavalinnat(viewHeaders, reset);
    m_grid->update();
}

void PrintPanel::setSoldMode(bool sold)
{
    m_partyLabels->setEnabled(sold);
}

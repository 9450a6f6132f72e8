#include "ledger/fetch/ledgerprogress.h"
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

LedgerProgress::LedgerProgress(QWidget *parent)
    : QFrame(parent),
      m_title(new QLabel(this)),
      m_bar(new QProgressBar(this)),
      m_stop(new QPushButton(QStringLiteral("Pysäytä"), this))
{
    setObjectName(QStringLiteral("progress"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    m_title->setObjectName(QStringLiteral("progresstitle"));
    m_title->setAlignment(Qt::AlignCenter);
    m_bar->setObjectName(QStringLiteral("prog"));
    m_bar->setRange(0, 100);
    m_bar->setTextVisible(false);
    m_stop->setObjectName(QStringLiteral("progressstop"));
    auto *col = new QVBoxLayout(this);
    col->setContentsMargins(8, 4, 8, 4);
    col->setSpacing(2);
    col->addWidget(m_title);
    col->addWidget(m_bar);
    col->addWidget(m_stop, 0, Qt::AlignHCenter);
    setFixedSize(241, 81);
    connect(m_stop, &QPushButton::clicked, this, &LedgerProgress::progressstopClick);
    hide();
}

void LedgerProgress::naytapaneeli(QWidget *window, const QString &title, bool stopEnabled, int maximum)
{
    m_bar->setRange(0, qMax(1, maximum));
    m_bar->setValue(0);
    m_stop->setEnabled(stopEnabled);
    if (window) {
        const QPoint topLeft(window->width() / 2 - width() / 2, window->height() / 2 - height() / 2);
        move(parentWidget() && parentWidget() != window
                 ? parentWidget()->mapFrom(window, topLeft) : topLeft);
    }
    m_title->setText(title);
    show();
    raise();
}

void LedgerProgress::piilotapaneeli()
{
    hide();
    m_stop->setEnabled(true);
    m_bar->setValue(0);
}

void LedgerProgress::setProgress(int position, int maximum)
{
    m_bar->setRange(0, qMax(1, maximum));
    m_bar->setValue(qBound(0, position, qMax(1, maximum)));
}

void LedgerProgress::progressstopClick()
{
    m_bar->setValue(0);
    emit stopPressed();
}

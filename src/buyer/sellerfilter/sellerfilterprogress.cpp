#include "buyer/sellerfilter/sellerfilterprogress.h"
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

SellerFilterProgress::SellerFilterProgress(QWidget *parent)
    : QFrame(parent), m_label(new QLabel(this)), m_pb(new QProgressBar(this)),
      m_stop(new QPushButton(QStringLiteral("Pysäytä"), this))
{
    setObjectName(QStringLiteral("suodatinpaneeli"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    m_label->setObjectName(QStringLiteral("Label8"));
    m_label->setAlignment(Qt::AlignCenter);
    m_pb->setObjectName(QStringLiteral("pb"));
    m_pb->setRange(0, 100);
    m_pb->setTextVisible(false);
    m_stop->setObjectName(QStringLiteral("XiButton11"));
    auto *col = new QVBoxLayout(this);
    col->addWidget(m_label);
    col->addWidget(m_pb);
    col->addWidget(m_stop, 0, Qt::AlignHCenter);
    setFixedSize(280, 110);
    hide();
}

void SellerFilterProgress::showProgress()
{
    if (QWidget *p = parentWidget())
        move(p->width() / 2 - width() / 2, p->height() / 2 - height() / 2);
    show();
    raise();
}

void SellerFilterProgress::hideProgress()
{
    hide();
}

void SellerFilterProgress::setLabel8(const QString &text)
{
    m_label->setText(text);
}

void SellerFilterProgress::setProgress(int position, int maximum)
{
    m_pb->setRange(0, qMax(maximum, 1));
    m_pb->setValue(qBound(0, position, qMax(maximum, 1)));
}

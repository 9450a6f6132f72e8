#include "buyer/sellerfilter/sellerfilterprogress.h"

SellerFilterProgress::SellerFilterProgress(QWidget *window)
    : m_panel(new ProgressFrame({QStringLiteral("suodatinpaneeli"), QStringLiteral("Label8"), QStringLiteral("pb"),
                                 QStringLiteral("XiButton11"), QStringLiteral("Pysäytä"), QSize(280, 110)},
                                window))
{
}

void SellerFilterProgress::showProgress()
{
    m_panel->showCentred();
}

void SellerFilterProgress::hideProgress()
{
    m_panel->hide();
}

void SellerFilterProgress::setLabel8(const QString &text)
{
    m_panel->setLabel(text);
}

void SellerFilterProgress::setProgress(int position, int maximum)
{
    m_panel->setProgress(position, maximum);
}

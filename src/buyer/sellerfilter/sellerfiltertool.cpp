#include "buyer/sellerfilter/sellerfiltertool.h"
#include "buyer/sellerfilter/sellerfilter.h"
#include "buyer/sellerfilter/sellerfilterpanel.h"
#include "buyer/sellerfilter/sellerfilterprogress.h"
#include "browser/engine/vasaropage.h"
#include <QPushButton>

SellerFilterTool::SellerFilterTool(const Parts &parts, QWidget *window)
    : QObject(window), m_parts(parts),
      m_filter(std::make_unique<SellerFilter>(*parts.settings, *parts.clock, *parts.prompts, *parts.host)),
      m_progress(std::make_unique<SellerFilterProgress>(window)), m_sellers(new SellerFilterPanel(*parts.settings, window))
{
    connect(m_progress->stopButton(), &QPushButton::clicked, this, &SellerFilterTool::XiButton11Click);
    connect(m_sellers, &SellerFilterPanel::filterSellersRequested, this, &SellerFilterTool::XiButton12Click);
}

SellerFilterTool::~SellerFilterTool() = default;

ProgressFrame *SellerFilterTool::suodatinpaneeli() const
{
    return m_progress->panel();
}

SellerWalk &SellerFilterTool::walk()
{
    if (!m_walk) {
        m_hidden = new VasaroPage(m_parts.profile, m_parts.prompts, VasaroPage::Role::Auxiliary, this);
        m_hidden->setObjectName(QStringLiteral("WB_suodatin"));
        m_walk = std::make_unique<SellerWalk>(*m_filter, *m_hidden, *m_progress, *m_parts.host, m_parts.lookup,
                                              m_parts.webBase);
        connect(m_hidden, &QWebEnginePage::loadProgress, this,
                [this](int progress) { m_walk->WB_suodatinProgressChange(progress, 100); });
    }
    return *m_walk;
}

VasaroPage *SellerFilterTool::WB_suodatin()
{
    walk();
    return m_hidden;
}

void SellerFilterTool::MenuItem35Click()
{
    walk().MenuItem35Click(*m_parts.prompts);
}

void SellerFilterTool::MenuItem36Click()
{
    m_filter->MenuItem36Click(m_parts.dataFolder);
}

void SellerFilterTool::MenuItem37Click()
{
    m_filter->MenuItem37Click(m_parts.dataFolder);
}

void SellerFilterTool::yhjennsuodatin1Click()
{
    m_filter->yhjennsuodatin1Click();
}

void SellerFilterTool::Suodatavalitutmyyjt1Click()
{
    m_sellers->Suodatavalitutmyyjt1Click();
}

void SellerFilterTool::XiButton12Click()
{
    // An empty list keeps the panel open with its message.
    if (m_sellers->names().isEmpty()) {
        walk().XiButton12Click({}, *m_parts.prompts);
        return;
    }
    m_sellers->hide();
    walk().XiButton12Click(m_sellers->names(), *m_parts.prompts);
}

void SellerFilterTool::XiButton11Click()
{
    // Nothing walks before the walk is first asked for.
    if (m_walk)
        m_walk->XiButton11Click();
}

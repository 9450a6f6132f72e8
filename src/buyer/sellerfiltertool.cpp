#include "sellerfiltertool.h"
#include "sellerfilter.h"
#include "sellerfilterpanel.h"
#include "sellerfilterprogress.h"
#include "browser/engine/vasaropage.h"
#include <QPushButton>

SellerFilterTool::SellerFilterTool(const Parts &parts, QWidget *window)
    : QObject(window), m_parts(parts),
      m_filter(std::make_unique<SellerFilter>(*parts.settings, *parts.clock, *parts.prompts, *parts.host)),
      m_hidden(new VasaroPage(parts.profile, parts.prompts, VasaroPage::Role::Auxiliary, this)),
      m_progress(new SellerFilterProgress(window)), m_sellers(new SellerFilterPanel(*parts.settings, window))
{
    m_hidden->setObjectName(QStringLiteral("WB_suodatin"));
    m_walk = std::make_unique<SellerWalk>(*m_filter, *m_hidden, *m_progress, *parts.host, parts.lookup,
                                          parts.webBase);
    connect(m_hidden, &QWebEnginePage::loadProgress, this,
            [this](int progress) { m_walk->WB_suodatinProgressChange(progress, 100); });
    connect(m_progress->stopButton(), &QPushButton::clicked, this, &SellerFilterTool::XiButton11Click);
    connect(m_sellers, &SellerFilterPanel::filterSellersRequested, this, &SellerFilterTool::XiButton12Click);
}

SellerFilterTool::~SellerFilterTool() = default;

void SellerFilterTool::MenuItem35Click()
{
    m_walk->MenuItem35Click(*m_parts.prompts);
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
        m_walk->XiButton12Click({}, *m_parts.prompts);
        return;
    }
    m_sellers->hide();
    m_walk->XiButton12Click(m_sellers->names(), *m_parts.prompts);
}

void SellerFilterTool::XiButton11Click()
{
    m_walk->XiButton11Click();
}

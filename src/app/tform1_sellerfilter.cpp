// The main window's seller filter: its menu items, the link menu item "Lisää
// suodattimeen", the Delete command "suodatakohde" of result pages, and the
// notices it shows in this window.
#include "tform1.h"
#include "mainmenu.h"
#include "messagepanel.h"
#include "tform3.h"
#include "browser/policy/contextmenus.h"
#include "browser/pipeline/pagepipeline.h"
#include "browser/tabs/tabmanager.h"
#include "browser/engine/tvasaroselain.h"
#include "buyer/sellerfilter/filterhost.h"
#include "buyer/sellerfilter/sellerfilter.h"
#include "buyer/sellerfilter/sellerfilterpanel.h"
#include "buyer/sellerfilter/sellerfilterprogress.h"
#include "buyer/sellerfilter/sellerfiltertool.h"
#include "client/quicksearch.h"
#include <QAction>
#include <QLineEdit>

namespace {
// Link menu item 3, "Lisää suodattimeen".
constexpr int kLinkMenuFilterItem = 3;

class MainWindowFilterHost final : public QObject, public FilterHost {
public:
    MainWindowFilterHost(TForm1 *window, MessagePanel *paneeli, MessagePanel *status)
        : QObject(window), m_window(window), m_paneeli(paneeli), m_status(status)
    {
    }
    void naytapaneeli(const QString &text, int ticks) override { m_paneeli->naytapaneeli(text, ticks); }
    void naytaTilailmoitus(const QString &text, int ticks) override { m_status->naytapaneeli(text, ticks); }
    void Edit5Changed() override
    {
        if (auto *edit = m_window->settingsDialog()->findChild<QLineEdit *>(QStringLiteral("Edit5")))
            edit->setText(m_window->settings().Edit5);
    }

private:
    TForm1 *m_window;
    MessagePanel *m_paneeli;
    MessagePanel *m_status;
};
}

void TForm1::buildSellerFilter()
{
    SellerFilterTool::Parts parts;
    parts.settings = &m_settings;
    parts.clock = &m_clock;
    parts.prompts = m_prompts;
    parts.host = new MainWindowFilterHost(this, m_paneeli, m_xipanel6);
    parts.profile = m_profile;
    parts.lookup = [this](const QString &name) { return m_quick->kayttajanId(name); };
    parts.webBase = m_endpoints.webBase();
    parts.dataFolder = m_dataFolder;
    m_sellerTool = new SellerFilterTool(parts, this);
    registerControl(m_sellerTool->suodatinpaneeli());
    registerControl(m_sellerTool->myyjapaneeli());
    m_pipeline->features().sellerFilter = &m_sellerTool->filter();

    onMenu(QStringLiteral("MenuItem35"), [this] { m_sellerTool->MenuItem35Click(); });
    onMenu(QStringLiteral("MenuItem36"), [this] { m_sellerTool->MenuItem36Click(); });
    onMenu(QStringLiteral("MenuItem37"), [this] { m_sellerTool->MenuItem37Click(); });
    onMenu(QStringLiteral("yhjennsuodatin1"), [this] { m_sellerTool->yhjennsuodatin1Click(); });
    onMenu(QStringLiteral("Suodatavalitutmyyjt1"), [this] { m_sellerTool->Suodatavalitutmyyjt1Click(); });

    ContextMenus *menus = m_tabs->contextMenus();
    connect(menus->linkItem(kLinkMenuFilterItem), &QAction::triggered, this, &TForm1::Lissuodattimeen1Click);
    menus->setLinkItemAvailable(kLinkMenuFilterItem, true);
    m_commands.insert(QStringLiteral("suodatakohde"), [this] { suodatakohde(); });
}

void TForm1::Lissuodattimeen1Click()
{
    const QString remembered = m_tabs->linkAddress();
    m_tabs->setLinkAddress(QString());
    if (TVasaroselain *active = m_tabs->activeBrowser())
        m_sellerTool->filter().Lissuodattimeen1Click(*active, statusText(), remembered);
}

void TForm1::suodatakohde()
{
    if (TVasaroselain *active = m_tabs->activeBrowser())
        m_sellerTool->filter().suodatakohde(*active);
}

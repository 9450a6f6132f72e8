#include "seller/pictures/picturesmodule.h"
#include "browser/policy/contextmenus.h"
#include "browser/shellhost.h"
#include "client/http.h"
#include "client/stopflag.h"
#include "seller/templates/listingtemplates.h"
#include <QAction>
#include <QMenu>

namespace {
PictureUpload::Hosts hosts(const Endpoints &e)
{
    return {e.value(QStringLiteral("imgur_root")), e.value(QStringLiteral("imgur_image_root")),
            e.value(QStringLiteral("aijaa_root")), e.value(QStringLiteral("vasarokuva_root"))};
}
}

PicturesModule::PicturesModule(const ModuleContext &context, Http &http, ListingTemplates &templates,
                               const QString &tempFolder, std::function<void()> hideMessagePanel,
                               std::function<void()> openPictureSettings)
    : QObject(context.window),
      m_shell(context.shell),
      m_http(http),
      m_templates(templates),
      m_hidePanel(std::move(hideMessagePanel)),
      m_openSettings(std::move(openPictureSettings)),
      m_upload(context.settings, http, context.prompts, *this, hosts(context.endpoints), tempFolder)
{
    ContextMenus &menus = context.menus;
    addEntry(menus, "Aijaa1", 0, [this] { m_upload.lisakuvaaijaa(); });
    addEntry(menus, "Imgur1", 0, [this] { m_upload.lisakuva(1); });
    addEntry(menus, "Imgur1", 1, [this] { m_upload.lisakuva(2); });
    addEntry(menus, "Vasarokuva1", 0, [this] { m_upload.tsClick(); });
    addEntry(menus, "Vasarokuva1", 2, [this] { m_upload.vasarokuva2(8); });
    addEntry(menus, "Vasarokuva1", 3, [this] { m_upload.vasarokuva2(9); });
    addEntry(menus, "Omakotisivu1", 0, [this] { m_upload.Kotisivu(6); });
    addEntry(menus, "Omakotisivu1", 1, [this] { m_upload.Kotisivu(7); });
    using Item = ContextMenus::PageItem;
    for (Item item : {Item::AijaaHost, Item::ImgurHost, Item::VasarokuvaHost, Item::HomePageHost})
        menus.setPageItemAvailable(int(item), true);
}

// An entry of a picture-host sub-menu, by the sub-menu's name and the
// entry's place in it.
void PicturesModule::addEntry(ContextMenus &menus, const char *subMenu, int index, std::function<void()> command)
{
    auto *sub = menus.PopupMenu1()->findChild<QMenu *>(QLatin1String(subMenu));
    if (QAction *action = sub ? sub->actions().value(index) : nullptr)
        connect(action, &QAction::triggered, this, std::move(command));
}

bool PicturesModule::insert_into_description(const QString &snippet)
{
    return m_templates.insert_into_description(snippet);
}

void PicturesModule::clearStopFlag()
{
    m_http.stopFlag().clear();
}

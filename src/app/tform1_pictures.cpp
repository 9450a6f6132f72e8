// The main window's picture upload: the picture-host sub-menus of the
// listing editor's menu (PopupMenu1 items 9-12) run the upload commands.
#include "tform1.h"
#include "messagepanel.h"
#include "browser/policy/contextmenus.h"
#include "browser/tabs/tabmanager.h"
#include "client/http.h"
#include "core/paths.h"
#include "seller/templates/listingtemplates.h"
#include "seller/pictures/pictureupload.h"
#include <QAction>
#include <QMenu>
#include <functional>

namespace {
// PopupMenu1 items holding the picture-host sub-menus.
constexpr int kFirstHostItem = 9;
constexpr int kLastHostItem = 12;

// The main window as the upload commands see it; owns them.
class MainWindowPictures final : public QObject, public PictureUploadHost {
public:
    MainWindowPictures(TForm1 *window, MessagePanel *panel, ListingTemplates *templates, QString tempFolder,
                       std::function<void()> openSettings)
        : QObject(window),
          m_window(window),
          m_panel(panel),
          m_templates(templates),
          m_openSettings(std::move(openSettings)),
          upload(window->settings(), window->http(), window->prompts(), *this, hosts(window->endpoints()),
                 std::move(tempFolder))
    {
    }

    void naytapaneeli(const QString &text, int seconds) override { m_window->naytapaneeli(text, seconds); }
    void hidePanel() override { m_panel->hide(); }
    bool insert_into_description(const QString &snippet) override
    {
        return m_templates->insert_into_description(snippet);
    }
    void openPictureSettings() override { m_openSettings(); }
    void clearStopFlag() override { m_window->http().stopFlag().clear(); }

private:
    static PictureUpload::Hosts hosts(const Endpoints &e)
    {
        return {e.value(QStringLiteral("imgur_root")), e.value(QStringLiteral("imgur_image_root")),
                e.value(QStringLiteral("aijaa_root")), e.value(QStringLiteral("vasarokuva_root"))};
    }

    TForm1 *m_window;
    MessagePanel *m_panel;
    ListingTemplates *m_templates;
    std::function<void()> m_openSettings;

public:
    PictureUpload upload;
};
} // namespace

void TForm1::buildPictureUpload()
{
    const QString temp = m_tempFolder.isEmpty() ? Paths::tempFolder() : m_tempFolder;
    auto *pictures = new MainWindowPictures(this, m_paneeli, m_templates, temp, [this] { openSettingsPage(2); });
    ContextMenus *menus = m_tabs->contextMenus();
    const auto entry = [menus, pictures](const char *subMenu, int index, std::function<void(PictureUpload &)> command) {
        auto *sub = menus->PopupMenu1()->findChild<QMenu *>(QLatin1String(subMenu));
        QAction *action = sub ? sub->actions().value(index) : nullptr;
        if (action)
            connect(action, &QAction::triggered, pictures, [pictures, command] { command(pictures->upload); });
    };
    entry("Aijaa1", 0, [](PictureUpload &u) { u.lisakuvaaijaa(); });
    entry("Imgur1", 0, [](PictureUpload &u) { u.lisakuva(1); });
    entry("Imgur1", 1, [](PictureUpload &u) { u.lisakuva(2); });
    entry("Vasarokuva1", 0, [](PictureUpload &u) { u.tsClick(); });
    entry("Vasarokuva1", 2, [](PictureUpload &u) { u.vasarokuva2(8); });
    entry("Vasarokuva1", 3, [](PictureUpload &u) { u.vasarokuva2(9); });
    entry("Omakotisivu1", 0, [](PictureUpload &u) { u.Kotisivu(6); });
    entry("Omakotisivu1", 1, [](PictureUpload &u) { u.Kotisivu(7); });
    for (int item = kFirstHostItem; item <= kLastHostItem; ++item)
        menus->setPageItemAvailable(item, true);
}

#pragma once
// Picture upload as a feature module: the picture-host sub-menus of the
// listing editor's menu ("Aijaa", "Imgur", "Vasarokuva", "Oma kotisivu") run
// the upload commands.
#include "browser/features/modulecontext.h"
#include "seller/pictures/pictureupload.h"
#include <QObject>
#include <functional>

class Http;
class ListingTemplates;

class PicturesModule final : public QObject, public PictureUploadHost {
public:
    // `hideMessagePanel` hides the message panel `paneeli`;
    // `openPictureSettings` opens the settings page of the listing picture.
    PicturesModule(const ModuleContext &context, Http &http, ListingTemplates &templates, const QString &tempFolder,
                   std::function<void()> hideMessagePanel, std::function<void()> openPictureSettings);

    // PictureUploadHost
    void naytapaneeli(const QString &text, int seconds) override { m_shell.naytapaneeli(text, seconds); }
    void hidePanel() override { m_hidePanel(); }
    bool insert_into_description(const QString &snippet) override;
    void openPictureSettings() override { m_openSettings(); }
    void clearStopFlag() override;

private:
    void addEntry(ContextMenus &menus, const char *subMenu, int index, std::function<void()> command);

    ShellHost &m_shell;
    Http &m_http;
    ListingTemplates &m_templates;
    std::function<void()> m_hidePanel;
    std::function<void()> m_openSettings;
    PictureUpload m_upload;
};

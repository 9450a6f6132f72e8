#pragma once
// Listing templates as a feature module: the template panel `ppohjat`, the
// editor menu's "Lataa ilmoituspohja", "Tallenna ilmoituspohja" and
// "Ilmoituspohjien hakemisto", and the listing-form steps of the page
// pipeline and the tab change.
#include "browser/features/modulecontext.h"
#include "seller/templates/listingtemplates.h"
#include <QObject>
#include <functional>
#include <memory>

class ListingFormFeature;
class TemplatePanel;
class WebEditCommands;

class TemplatesModule final : public QObject, public TemplateHost {
public:
    // `openFolderSettings` opens the settings page that names the template
    // folder.
    TemplatesModule(const ModuleContext &context, const QString &dataFolder, std::function<void()> openFolderSettings);
    ~TemplatesModule() override;

    ListingTemplates *templates() const { return m_templates; }
    ListingFormFeature *listingForm() const { return m_listingForm.get(); }

    // TemplateHost: the active tab.
    Document *activeDocument() override;
    EditCommands *activeEditCommands() override;
    void naytapaneeli(const QString &text, int ticks) override { m_shell.naytapaneeli(text, ticks); }
    void focusActivePage() override;

private:
    void plugIn(const ModuleContext &context, std::function<void()> openFolderSettings);

    ShellHost &m_shell;
    TabManager &m_tabs;
    ListingTemplates *m_templates;
    TemplatePanel *m_panel;   // ppohjat
    std::unique_ptr<ListingFormFeature> m_listingForm;
    std::unique_ptr<WebEditCommands> m_edit;
};

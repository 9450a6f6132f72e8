#pragma once
// The template operations on the new-listing form of the active tab: save
// the form to an ".ilm" file, fill it from one, clear it, and the template
// list of the template folder (`ipohjat`) with its delete. Dialogs and
// questions go through Prompts; the window behind it is a TemplateHost.
#include "seller/templates/listingtemplate.h"
#include <QObject>
#include <QStringList>

class Document;
class EditCommands;
class Prompts;
struct Settings;

class TemplateHost {
public:
    virtual ~TemplateHost() = default;
    // The active tab's document and editing commands; null without a tab.
    virtual Document *activeDocument() = 0;
    virtual EditCommands *activeEditCommands() = 0;
    // The centred notice of the main window, for a number of clock ticks.
    virtual void naytapaneeli(const QString &text, int ticks) = 0;
    virtual void focusActivePage() = 0;
};

class ListingTemplates final : public QObject {
    Q_OBJECT
public:
    ListingTemplates(Settings &settings, Prompts &prompts, TemplateHost &host, QString dataFolder,
                     QObject *parent = nullptr);

    void savedraftClick();
    void tallennapohjaClick() { savedraftClick(); }
    void lataailmClick();
    void ListBox3Click();
    void lataailmoituspohja(const QString &file);
    bool lataa_pohja(const QString &file);
    void vakiopohjat();
    void poistapohjaClick();
    void XiButton5Click();

    // Snippet into the listing description of the active tab.
    bool insert_into_description(const QString &snippet);
    // Set when the editor's own menu was opened over the description editor.
    void setEditorMenuMark(bool on) { m_editorMenuMark = on; }
    bool editorMenuMark() const { return m_editorMenuMark; }

    // The template list (`ListBox3`): names and the selected row (-1: none).
    QStringList names() const { return m_names; }
    int selected() const { return m_selected; }
    void select(int row);

    const TListingTemplate &loaded() const { return m_loaded; }
    const TListingTemplate &lastSaved() const { return m_last; }
    // A listing description was saved to a template during this run.
    bool descriptionHeld() const { return !m_last.description.isEmpty(); }
    // Full file name of a template of the folder.
    QString pathOf(int row) const;

signals:
    void listChanged();

private:
    QString folder() const;
    QString chooseSaveName();
    bool confirmOverwrite(const QString &path);
    void offerFolder(const QString &path);
    void selectByName(const QString &name);

    Settings &m_settings;
    Prompts &m_prompts;
    TemplateHost &m_host;
    QString m_dataFolder;
    TListingTemplate m_loaded;
    TListingTemplate m_last;
    QStringList m_names;
    QStringList m_files;    // the file names behind m_names, as the folder spells them
    int m_selected = -1;
    bool m_editorMenuMark = false;
};

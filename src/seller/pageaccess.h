#pragma once
// The operations the seller tools use on the form of a marketplace page:
// fields by name, check boxes, radios and buttons by id, and the insertion of
// an HTML snippet into the listing description. They run in the isolated
// script world; only the scripts of the page's rich-text editor run in the
// page's own world. A missing element or a non-HTML document gives false or
// "" and changes nothing.
#include <QString>
#include <QVariant>

class Document;

// The browser's own editing commands on the focused element of the page.
class EditCommands {
public:
    virtual ~EditCommands() = default;
    virtual void paste() = 0;
};

class PageAccess final {
public:
    // `edit` may be null: pasting is then impossible and skipped.
    PageAccess(Document &document, EditCommands *edit);

    QString get_field_value(const QString &name);
    bool set_field_value(const QString &name, const QString &text);
    QString get_checked_radio_value(const QString &name);
    bool element_exists(const QString &id);
    bool is_checked(const QString &id);
    void set_checked(const QString &id, bool flag);
    void click_element(const QString &id);
    void focus_element(const QString &id);

    // Inserts the snippet into the description addition field (by pasting)
    // or the description editor: at its caret when `editorMenuMark` is set
    // (the mark is then cleared), else at its end; pasted when the editor's
    // script cannot run. False when the page has neither field.
    bool insert_into_description(const QString &snippet, bool scriptsOn, bool &editorMenuMark);

    // Scripts of the description editor (page world); false when it failed.
    bool editorToField();                         // editor content into "description"
    bool editorSetData(const QString &html);

    // Puts text on the clipboard, pastes it at the page's caret and gives
    // the clipboard its earlier contents back.
    void pasteThroughClipboard(const QString &text);

private:
    QVariant call(const QString &op, const QVariantList &args);
    bool editorScript(const QString &file, const QString &text);

    Document &m_document;
    EditCommands *m_edit;
};

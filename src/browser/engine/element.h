#pragma once
// A handle to one element of a Document. Cheap to copy. The live operations
// ask the document each time (one script round trip); data() holds the values
// the collection read that returned the element captured at that moment.
// An element of a document that has since been replaced answers with empty
// values and ignores writes.
#include <QString>

class Document;

struct ElementData {
    QString outerHTML;
    QString innerHTML;
    QString innerText;
    QString href;
    QString id;
    QString name;
    QString value;
    QString className;
};

class Element final {
public:
    Element() = default;
    Element(Document *document, qint64 handle, QString tagName, ElementData data = {});

    bool isNull() const { return m_document == nullptr || m_handle < 0; }
    qint64 handle() const { return m_handle; }
    Document *document() const { return m_document; }
    QString tagName() const { return m_tagName; }   // upper case, as the DOM gives it
    const ElementData &data() const { return m_data; }

    QString innerHTML() const;
    void setInnerHTML(const QString &html) const;
    QString outerHTML() const;
    void setOuterHTML(const QString &html) const;
    QString innerText() const;
    QString getAttribute(const QString &name) const;     // "" when missing
    void setAttribute(const QString &name, const QString &value) const;
    Element parentElement() const;
    Element nextElementSibling() const;
    // Style properties by their script names: "display", "visibility",
    // "overflow", "overflowX".
    QString style(const QString &property) const;
    void setStyle(const QString &property, const QString &value) const;
    void click() const;
    void focus() const;
    QString value() const;
    void setValue(const QString &value) const;
    bool checked() const;
    void setChecked(bool checked) const;
    QString href() const;                                 // a link's absolute address
    int selectedIndex() const;                            // select lists; -1 otherwise
    void setSelectedIndex(int index) const;

private:
    Document *m_document = nullptr;
    qint64 m_handle = -1;
    QString m_tagName;
    ElementData m_data;
};

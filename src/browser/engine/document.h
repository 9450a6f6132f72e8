#pragma once
// The document of an embedded browser, as the program's features use it.
// Logic depends only on this interface; WebDocument implements it over
// Qt WebEngine. Every operation is guarded: a failing or timed-out read gives
// an empty value (null element, empty list, "", 0, false) and a failing write
// does nothing, so callers never see a fault.
#include "browser/engine/element.h"
#include <QFlags>
#include <QList>
#include <QString>
#include <QUrl>
#include <QVariant>

// A text range over the document body (find, read, replace, scroll).
struct TextRange {
    qint64 handle = -1;
    bool isNull() const { return handle < 0; }
};

class Document {
public:
    // Values a collection read captures into Element::data() in the same call.
    enum Field {
        NoFields = 0,
        OuterHtml = 0x01,
        InnerHtml = 0x02,
        InnerText = 0x04,
        Href = 0x08,
        Id = 0x10,
        Name = 0x20,
        Value = 0x40,
        ClassName = 0x80,
    };
    Q_DECLARE_FLAGS(Fields, Field)

    // Operations on one element (see Element).
    enum class ElementOp {
        InnerHtml, SetInnerHtml, OuterHtml, SetOuterHtml, InnerText,
        GetAttribute, SetAttribute, ParentElement, NextElementSibling,
        Style, SetStyle, Click, Focus, Value, SetValue, Checked, SetChecked,
        Href, SelectedIndex, SetSelectedIndex,
    };

    virtual ~Document() = default;

    // HTML test: the browser holds an HTML document.
    virtual bool isHtml() = 0;
    virtual QUrl url() const = 0;
    virtual QString title() const = 0;

    virtual Element body(Fields fields = NoFields) = 0;
    virtual Element documentElement(Fields fields = NoFields) = 0;
    virtual int scrollTop() = 0;                  // documentElement.scrollTop
    virtual void setScrollTop(int value) = 0;

    virtual QList<Element> all(Fields fields = NoFields) = 0;
    virtual QList<Element> getElementsByTagName(const QString &tag, Fields fields = NoFields) = 0;
    virtual QList<Element> getElementsByName(const QString &name, Fields fields = NoFields) = 0;
    virtual Element getElementById(const QString &id, Fields fields = NoFields) = 0;
    // Page coordinates (CSS pixels of the viewport, zoom already removed).
    virtual Element elementFromPoint(int x, int y, Fields fields = NoFields) = 0;

    // document.write: the first write after load opens a new document.
    virtual void write(const QString &html) = 0;
    virtual void close() = 0;

    // HTML of the current selection ("" when nothing is selected).
    virtual QString selectionHtml() = 0;

    // Body text range: created over the whole body; findText moves it onto
    // the next occurrence (case-insensitive) after its current start and
    // returns false when there is none; pasteHTML replaces the range and
    // leaves it collapsed after the inserted HTML.
    virtual TextRange bodyTextRange() = 0;
    virtual bool findText(const TextRange &range, const QString &text) = 0;
    virtual QString htmlText(const TextRange &range) = 0;
    virtual void pasteHTML(const TextRange &range, const QString &html) = 0;
    virtual void scrollIntoView(const TextRange &range, bool alignTop = true) = 0;

    // execScript(code, "javascript") in the page's own script world: true when
    // it ran to the end, false on any error (never shown).
    virtual bool execScript(const QString &code) = 0;
    // Evaluates an expression in the isolated world (same DOM, not the page's
    // script objects) and returns its value (invalid on error).
    virtual QVariant evaluate(const QString &expression) = 0;

    // One call for many elements: set a style property of all of them.
    virtual void setStyleAll(const QList<Element> &elements, const QString &property,
                             const QString &value) = 0;

    // Element operations behind Element's methods.
    virtual QVariant elementOp(const Element &element, ElementOp op, const QVariant &a = QVariant(),
                               const QVariant &b = QVariant()) = 0;
    // Turns an element answer of elementOp (ParentElement, NextElementSibling)
    // into an Element of this document.
    virtual Element toElement(const QVariant &answer) = 0;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Document::Fields)

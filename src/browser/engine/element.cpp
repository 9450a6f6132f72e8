#include "browser/engine/element.h"
#include "browser/engine/document.h"

Element::Element(Document *document, qint64 handle, QString tagName, ElementData data)
    : m_document(document), m_handle(handle), m_tagName(std::move(tagName)), m_data(std::move(data))
{
}

namespace {
using Op = Document::ElementOp;

QVariant run(const Element &e, Op op, const QVariant &a = QVariant(), const QVariant &b = QVariant())
{
    return e.isNull() ? QVariant() : e.document()->elementOp(e, op, a, b);
}
}

QString Element::innerHTML() const { return run(*this, Op::InnerHtml).toString(); }
void Element::setInnerHTML(const QString &html) const { run(*this, Op::SetInnerHtml, html); }
QString Element::outerHTML() const { return run(*this, Op::OuterHtml).toString(); }
void Element::setOuterHTML(const QString &html) const { run(*this, Op::SetOuterHtml, html); }
QString Element::innerText() const { return run(*this, Op::InnerText).toString(); }
QString Element::getAttribute(const QString &name) const { return run(*this, Op::GetAttribute, name).toString(); }
void Element::setAttribute(const QString &name, const QString &value) const
{
    run(*this, Op::SetAttribute, name, value);
}
Element Element::parentElement() const
{
    return isNull() ? Element() : m_document->toElement(run(*this, Op::ParentElement));
}
Element Element::nextElementSibling() const
{
    return isNull() ? Element() : m_document->toElement(run(*this, Op::NextElementSibling));
}
QString Element::style(const QString &property) const { return run(*this, Op::Style, property).toString(); }
void Element::setStyle(const QString &property, const QString &value) const
{
    run(*this, Op::SetStyle, property, value);
}
void Element::click() const { run(*this, Op::Click); }
void Element::focus() const { run(*this, Op::Focus); }
QString Element::value() const { return run(*this, Op::Value).toString(); }
void Element::setValue(const QString &value) const { run(*this, Op::SetValue, value); }
bool Element::checked() const { return run(*this, Op::Checked).toBool(); }
void Element::setChecked(bool checked) const { run(*this, Op::SetChecked, checked); }
QString Element::href() const { return run(*this, Op::Href).toString(); }
int Element::selectedIndex() const
{
    const QVariant v = run(*this, Op::SelectedIndex);
    return v.isValid() ? v.toInt() : -1;
}
void Element::setSelectedIndex(int index) const { run(*this, Op::SetSelectedIndex, index); }

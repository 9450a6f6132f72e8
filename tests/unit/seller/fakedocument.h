#pragma once
// A document of BUTTON elements for the seller tools' logic tests: a
// collection read gives the buttons with their outer HTML, a click is
// recorded; everything else answers empty, as a page without those fields.
#include "browser/engine/document.h"
#include "browser/pipeline/pipelinetab.h"
#include <QStringList>

class FakeDocument final : public Document {
public:
    QStringList buttons;   // outer HTML of each BUTTON, in document order
    QList<int> clicked;    // indexes of the clicked buttons
    bool html = true;

    bool isHtml() override { return html; }
    QUrl url() const override { return {}; }
    QString title() const override { return {}; }
    Element body(Fields) override { return {}; }
    Element documentElement(Fields) override { return {}; }
    int scrollTop() override { return 0; }
    void setScrollTop(int) override {}
    QList<Element> all(Fields) override { return {}; }
    QList<Element> getElementsByTagName(const QString &tag, Fields) override
    {
        QList<Element> out;
        if (tag.compare(QLatin1String("BUTTON"), Qt::CaseInsensitive) == 0)
            for (int i = 0; i < buttons.size(); ++i) {
                ElementData data;
                data.outerHTML = buttons.at(i);
                out << Element(this, i, QStringLiteral("BUTTON"), data);
            }
        return out;
    }
    QList<Element> getElementsByName(const QString &, Fields) override { return {}; }
    Element getElementById(const QString &, Fields) override { return {}; }
    Element elementFromPoint(int, int, Fields) override { return {}; }
    void write(const QString &) override {}
    void close() override {}
    QString selectionHtml() override { return {}; }
    TextRange bodyTextRange() override { return {}; }
    bool findText(const TextRange &, const QString &) override { return false; }
    QString htmlText(const TextRange &) override { return {}; }
    void pasteHTML(const TextRange &, const QString &) override {}
    void scrollIntoView(const TextRange &, bool) override {}
    bool execScript(const QString &) override { return false; }
    QVariant evaluate(const QString &) override { return {}; }
    void setStyleAll(const QList<Element> &, const QString &, const QString &) override {}
    QVariant elementOp(const Element &element, ElementOp op, const QVariant &, const QVariant &) override
    {
        if (op == ElementOp::Click)
            clicked << int(element.handle());
        return {};
    }
    Element toElement(const QVariant &) override { return {}; }
};

class FakeTab final : public PipelineTab {
public:
    explicit FakeTab(int index = 1) : m_index(index) {}
    TabState &tabState() override { return state; }
    Document &document() override { return doc; }
    QString locationUrl() const override { return {}; }
    bool isActiveTab() const override { return false; }
    int pageIndex() const override { return m_index; }
    void focusBrowser() override {}

    TabState state;
    FakeDocument doc;

private:
    int m_index;
};

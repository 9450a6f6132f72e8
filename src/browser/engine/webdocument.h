#pragma once
// Document over Qt WebEngine: every operation is one script call in the
// isolated world, waited for with waitFor (the window stays responsive).
// Use it from the main loop, a timer, an input event or a handler of
// VasaroPage's signals. From inside an engine callback (acceptNavigationRequest,
// a raw loadFinished, a script answer) or from a queued call
// (QTimer::singleShot(0), Qt::QueuedConnection) the engine holds the answer
// back until the wait gives up (measured with Qt 6.4).
//
// Round trips are what a page's processing costs: the operations go along
// with the first call on a new document (not in a call of their own), and
// style writes, which read nothing back, are sent without waiting (the
// engine runs a page's scripts in the order they were sent, so every later
// call sees them).
#include "browser/engine/document.h"
#include <QMetaObject>
#include <QPointer>
#include <memory>

class QWebEnginePage;

class WebDocument final : public Document {
public:
    explicit WebDocument(QWebEnginePage *page, int limitMs = 5000);
    ~WebDocument() override;
    WebDocument(const WebDocument &) = delete;
    WebDocument &operator=(const WebDocument &) = delete;

    bool isHtml() override;
    QUrl url() const override;
    QString title() const override;
    Element body(Fields fields = NoFields) override;
    Element documentElement(Fields fields = NoFields) override;
    int scrollTop() override;
    void setScrollTop(int value) override;
    QList<Element> all(Fields fields = NoFields) override;
    QList<Element> getElementsByTagName(const QString &tag, Fields fields = NoFields) override;
    QList<Element> getElementsByName(const QString &name, Fields fields = NoFields) override;
    Element getElementById(const QString &id, Fields fields = NoFields) override;
    Element elementFromPoint(int x, int y, Fields fields = NoFields) override;
    void write(const QString &html) override;
    void close() override;
    QString selectionHtml() override;
    TextRange bodyTextRange() override;
    bool findText(const TextRange &range, const QString &text) override;
    QString htmlText(const TextRange &range) override;
    void pasteHTML(const TextRange &range, const QString &html) override;
    void scrollIntoView(const TextRange &range, bool alignTop = true) override;
    bool execScript(const QString &code) override;
    QVariant evaluate(const QString &expression) override;
    void setStyleAll(const QList<Element> &elements, const QString &property, const QString &value) override;
    QVariant elementOp(const Element &element, ElementOp op, const QVariant &a = QVariant(),
                       const QVariant &b = QVariant()) override;
    Element toElement(const QVariant &answer) override;

private:
    // Whether the current document is known to hold the operations; shared
    // with the page's signal handlers and with answers still under way.
    struct State {
        bool installed = false;
    };

    QVariant call(const QString &op, const QVariantList &args);
    // A write whose answer nobody reads: sent without waiting.
    void post(const QString &op, const QVariantList &args);
    static QString invocation(const QString &op, const QVariantList &args);
    QVariant run(const QString &code, quint32 worldId);
    QList<Element> toElements(const QVariant &answer);
    bool hasPage() const;

    QPointer<QWebEnginePage> m_page;
    int m_limitMs;
    QString m_library;
    std::shared_ptr<State> m_state = std::make_shared<State>();
    QList<QMetaObject::Connection> m_newDocument;
};

#include "browser/engine/webdocument.h"
#include "browser/engine/scriptsource.h"
#include "core/waitfor.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <memory>

namespace {
// Element handles carry the document's token so that a handle of a replaced
// document never reaches an element of the new one.
constexpr int kIndexBits = 24;

qint64 makeHandle(qint64 token, qint64 index) { return (token << kIndexBits) | index; }
qint64 tokenOf(qint64 handle) { return handle >> kIndexBits; }
qint64 indexOf(qint64 handle) { return handle & ((qint64(1) << kIndexBits) - 1); }

QString stringAt(const QVariantList &row, int i)
{
    return i < row.size() ? row.at(i).toString() : QString();
}
}

WebDocument::WebDocument(QWebEnginePage *page, int limitMs)
    : m_page(page), m_limitMs(limitMs),
      m_library(ScriptSource::withPrelude(ScriptSource::load(QStringLiteral("document.js"))))
{
    if (!page)
        return;
    // A navigation brings a new document: its first call carries the
    // operations. A document replaced unseen is still caught by the answer.
    const std::shared_ptr<State> state = m_state;
    const auto renewed = [state] { state->installed = false; };
    m_newDocument << QObject::connect(page, &QWebEnginePage::loadStarted, page, renewed)
                  << QObject::connect(page, &QWebEnginePage::urlChanged, page, renewed);
}

WebDocument::~WebDocument()
{
    for (const QMetaObject::Connection &c : std::as_const(m_newDocument))
        QObject::disconnect(c);
}

bool WebDocument::hasPage() const
{
    return m_page && !m_page->url().isEmpty();
}

QVariant WebDocument::run(const QString &code, quint32 worldId)
{
    if (!hasPage())
        return QVariant();
    struct Answer {
        bool done = false;
        QVariant value;
    };
    auto answer = std::make_shared<Answer>();
    m_page->runJavaScript(code, worldId, [answer](const QVariant &v) {
        answer->done = true;
        answer->value = v;
    });
    waitFor([answer] { return answer->done; }, m_limitMs);
    return answer->value;
}

QString WebDocument::invocation(const QString &op, const QVariantList &args)
{
    const QString json = QString::fromUtf8(QJsonDocument(QJsonArray::fromVariantList(args)).toJson(QJsonDocument::Compact));
    // The operations live under a symbol of the isolated world (see
    // document.js); 0 means they are not installed in this document yet.
    return QStringLiteral("(function (k) { return Object.prototype.hasOwnProperty.call(window, k)"
                          " ? window[k].call(\"")
        + op + QStringLiteral("\", ") + json + QStringLiteral(") : 0; })(Symbol.for(\"vsselain.document\"))");
}

QVariant WebDocument::call(const QString &op, const QVariantList &args)
{
    const QString invoke = invocation(op, args);
    // The library installs itself only where it is missing, so sending it
    // along with the first call of a document costs no round trip.
    const bool withLibrary = !m_state->installed;
    QVariant answer = run(withLibrary ? m_library + QStringLiteral(";\n") + invoke : invoke,
                          QWebEngineScript::ApplicationWorld);
    if (answer.typeId() != QMetaType::QVariantList) {
        if (!answer.isValid() || withLibrary)
            return QVariant();
        // The document was replaced unseen: install the operations, then ask again.
        answer = run(m_library + QStringLiteral(";\n") + invoke, QWebEngineScript::ApplicationWorld);
    }
    const QVariantList list = answer.toList();
    m_state->installed = !list.isEmpty();
    return list.isEmpty() ? QVariant() : list.first();
}

void WebDocument::post(const QString &op, const QVariantList &args)
{
    if (!m_state->installed) {
        call(op, args);
        return;
    }
    if (!hasPage())
        return;
    // Should the document have been replaced unseen, the write is made
    // once the answer says so, and the next call installs the operations.
    const QString invoke = invocation(op, args);
    const QString installing = m_library + QStringLiteral(";\n") + invoke;
    const std::shared_ptr<State> state = m_state;
    const QPointer<QWebEnginePage> page = m_page;
    m_page->runJavaScript(invoke, QWebEngineScript::ApplicationWorld,
                          [state, page, installing](const QVariant &answer) {
                              if (!answer.isValid() || answer.typeId() == QMetaType::QVariantList)
                                  return;
                              state->installed = false;
                              if (page)
                                  page->runJavaScript(installing, QWebEngineScript::ApplicationWorld);
                          });
}

QList<Element> WebDocument::toElements(const QVariant &answer)
{
    const QVariantMap map = answer.toMap();
    const qint64 token = map.value(QStringLiteral("t")).toLongLong();
    const QVariantList rows = map.value(QStringLiteral("e")).toList();
    QList<Element> out;
    out.reserve(rows.size());
    for (const QVariant &r : rows) {
        const QVariantList row = r.toList();
        if (row.size() < 2)
            continue;
        ElementData data;
        data.outerHTML = stringAt(row, 2);
        data.innerHTML = stringAt(row, 3);
        data.innerText = stringAt(row, 4);
        data.href = stringAt(row, 5);
        data.id = stringAt(row, 6);
        data.name = stringAt(row, 7);
        data.value = stringAt(row, 8);
        data.className = stringAt(row, 9);
        out << Element(this, makeHandle(token, row.at(0).toLongLong()), row.at(1).toString(), std::move(data));
    }
    return out;
}

Element WebDocument::toElement(const QVariant &answer)
{
    const QList<Element> list = toElements(answer);
    return list.isEmpty() ? Element() : list.first();
}

bool WebDocument::isHtml() { return call(QStringLiteral("isHtml"), {}).toBool(); }
QUrl WebDocument::url() const { return m_page ? m_page->url() : QUrl(); }
QString WebDocument::title() const { return m_page ? m_page->title() : QString(); }

Element WebDocument::body(Fields fields) { return toElement(call(QStringLiteral("body"), {int(fields)})); }
Element WebDocument::documentElement(Fields fields)
{
    return toElement(call(QStringLiteral("documentElement"), {int(fields)}));
}
int WebDocument::scrollTop() { return qRound(call(QStringLiteral("scrollTop"), {}).toDouble()); }
void WebDocument::setScrollTop(int value) { call(QStringLiteral("setScrollTop"), {value}); }

QList<Element> WebDocument::all(Fields fields) { return toElements(call(QStringLiteral("all"), {int(fields)})); }
QList<Element> WebDocument::getElementsByTagName(const QString &tag, Fields fields)
{
    return toElements(call(QStringLiteral("byTag"), {tag, int(fields)}));
}
QList<Element> WebDocument::getElementsByName(const QString &name, Fields fields)
{
    return toElements(call(QStringLiteral("byName"), {name, int(fields)}));
}
Element WebDocument::getElementById(const QString &id, Fields fields)
{
    return toElement(call(QStringLiteral("byId"), {id, int(fields)}));
}
Element WebDocument::elementFromPoint(int x, int y, Fields fields)
{
    return toElement(call(QStringLiteral("atPoint"), {x, y, int(fields)}));
}

void WebDocument::write(const QString &html) { call(QStringLiteral("write"), {html}); }
void WebDocument::close() { call(QStringLiteral("close"), {}); }
QString WebDocument::selectionHtml() { return call(QStringLiteral("selectionHtml"), {}).toString(); }

TextRange WebDocument::bodyTextRange()
{
    // The range belongs to the document that is loaded now: keep its token.
    const Element b = body();
    const QVariant h = call(QStringLiteral("textRange"), {});
    if (b.isNull() || !h.isValid() || h.toLongLong() < 0)
        return TextRange();
    return TextRange{makeHandle(tokenOf(b.handle()), h.toLongLong())};
}

bool WebDocument::findText(const TextRange &range, const QString &text)
{
    if (range.isNull())
        return false;
    return call(QStringLiteral("findText"), {tokenOf(range.handle), indexOf(range.handle), text}).toBool();
}

QString WebDocument::htmlText(const TextRange &range)
{
    if (range.isNull())
        return QString();
    return call(QStringLiteral("htmlText"), {tokenOf(range.handle), indexOf(range.handle)}).toString();
}

void WebDocument::pasteHTML(const TextRange &range, const QString &html)
{
    if (!range.isNull())
        call(QStringLiteral("pasteHTML"), {tokenOf(range.handle), indexOf(range.handle), html});
}

void WebDocument::scrollIntoView(const TextRange &range, bool alignTop)
{
    if (!range.isNull())
        call(QStringLiteral("scrollIntoView"), {tokenOf(range.handle), indexOf(range.handle), alignTop});
}

bool WebDocument::execScript(const QString &code)
{
    // The trailing value is reached only when the code ran to its end; an
    // error (or scripts switched off) gives no value.
    const QVariant v = run(code + QStringLiteral("\n;true"), QWebEngineScript::MainWorld);
    return v.typeId() == QMetaType::Bool && v.toBool();
}

QVariant WebDocument::evaluate(const QString &expression)
{
    return run(expression, QWebEngineScript::ApplicationWorld);
}

void WebDocument::setStyleAll(const QList<Element> &elements, const QString &property, const QString &value)
{
    if (elements.isEmpty())
        return;
    QVariantList handles;
    handles.reserve(elements.size());
    const qint64 token = tokenOf(elements.first().handle());
    for (const Element &e : elements)
        if (!e.isNull() && tokenOf(e.handle()) == token)
            handles << indexOf(e.handle());
    post(QStringLiteral("setStyleAll"), {token, handles, property, value});
}

QVariant WebDocument::elementOp(const Element &element, ElementOp op, const QVariant &a, const QVariant &b)
{
    if (element.isNull())
        return QVariant();
    QVariantList args{tokenOf(element.handle()), indexOf(element.handle()), int(op)};
    if (a.isValid())
        args << a;
    else
        args << QVariant::fromValue(nullptr);
    if (b.isValid())
        args << b;
    if (op == ElementOp::SetStyle) {
        post(QStringLiteral("el"), args);
        return true;
    }
    return call(QStringLiteral("el"), args);
}

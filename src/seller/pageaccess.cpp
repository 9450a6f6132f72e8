#include "pageaccess.h"
#include "browser/engine/document.h"
#include "browser/engine/scriptsource.h"
#include "core/waitfor.h"
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMimeData>
#include <memory>

static void initSellerResources()
{
    // The resource lives in a static library: make sure it is linked in.
    Q_INIT_RESOURCE(seller);
}

namespace {
constexpr int kPasteLimitMs = 1500;

QString resource(const QString &name)
{
    initSellerResources();
    QFile f(QStringLiteral(":/seller/js/") + name);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

const QString &library()
{
    static const QString text = ScriptSource::withPrelude(resource(QStringLiteral("pageaccess.js")));
    return text;
}

// The text as a script string literal, whatever characters it holds.
QString literal(const QString &text)
{
    const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(1, json.size() - 2));
}

std::unique_ptr<QMimeData> copyOf(const QMimeData *data)
{
    auto copy = std::make_unique<QMimeData>();
    if (data)
        for (const QString &format : data->formats())
            copy->setData(format, data->data(format));
    return copy;
}
}

PageAccess::PageAccess(Document &document, EditCommands *edit) : m_document(document), m_edit(edit) {}

QVariant PageAccess::call(const QString &op, const QVariantList &args)
{
    const QByteArray json = QJsonDocument(QJsonArray::fromVariantList(args)).toJson(QJsonDocument::Compact);
    const QString code = library() + QStringLiteral(";\nwindow[Symbol.for('vsselain.pageaccess')].call(")
                         + literal(op) + u',' + QString::fromUtf8(json) + u')';
    const QVariantList answer = m_document.evaluate(code).toList();
    return answer.isEmpty() ? QVariant() : answer.first();
}

QString PageAccess::get_field_value(const QString &name)
{
    return call(QStringLiteral("value"), {name}).toString();
}

bool PageAccess::set_field_value(const QString &name, const QString &text)
{
    return call(QStringLiteral("setValue"), {name, text}).toBool();
}

QString PageAccess::get_checked_radio_value(const QString &name)
{
    return call(QStringLiteral("checkedRadio"), {name}).toString();
}

bool PageAccess::element_exists(const QString &id)
{
    return call(QStringLiteral("exists"), {id}).toBool();
}

bool PageAccess::is_checked(const QString &id)
{
    return call(QStringLiteral("isChecked"), {id}).toBool();
}

void PageAccess::set_checked(const QString &id, bool flag)
{
    call(QStringLiteral("setChecked"), {id, flag});
}

void PageAccess::click_element(const QString &id)
{
    call(QStringLiteral("click"), {id});
}

void PageAccess::focus_element(const QString &id)
{
    call(QStringLiteral("focus"), {id});
}

bool PageAccess::editorScript(const QString &file, const QString &text)
{
    QString code = resource(file);
    code.replace(QStringLiteral("%1"), literal(text));
    return m_document.execScript(code);
}

bool PageAccess::editorToField()
{
    return m_document.execScript(resource(QStringLiteral("editorgetdata.js")));
}

bool PageAccess::editorSetData(const QString &html)
{
    return editorScript(QStringLiteral("editorsetdata.js"), html);
}

bool PageAccess::insert_into_description(const QString &snippet, bool scriptsOn, bool &editorMenuMark)
{
    QString html = snippet;
    html.replace(u'"', u'\'');
    if (element_exists(QStringLiteral("descriptionAddition"))) {
        focus_element(QStringLiteral("descriptionAddition"));
        pasteThroughClipboard(html);
        return true;
    }
    if (!element_exists(QStringLiteral("description")))
        return false;
    bool done = false;
    if (scriptsOn) {
        const bool atCaret = editorMenuMark;
        editorMenuMark = false;
        done = editorScript(atCaret ? QStringLiteral("editorinsert.js") : QStringLiteral("editorappend.js"), html);
    }
    if (!done)
        pasteThroughClipboard(html);
    return true;
}

void PageAccess::pasteThroughClipboard(const QString &text)
{
    if (!m_edit)
        return;
    QClipboard *clipboard = QGuiApplication::clipboard();
    // Everything the clipboard held comes back, not only its text.
    std::unique_ptr<QMimeData> before = copyOf(clipboard->mimeData());
    call(QStringLiteral("watchPaste"), {});
    clipboard->setText(text);
    m_edit->paste();
    // The page reads the clipboard while it handles the paste, after this
    // call has returned: the clipboard keeps the snippet until the page has
    // inserted it (or, say in a frame we do not watch, for a while).
    waitFor([this] { return call(QStringLiteral("pasteDone"), {}).toBool(); }, kPasteLimitMs);
    clipboard->setMimeData(before.release());
}

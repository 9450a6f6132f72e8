#include "browser/tools/pageprinter.h"
#include "browser/engine/document.h"
#include "browser/engine/scriptsource.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "browser/tools/printspool.h"
#include "core/prompts.h"
#include "core/waitfor.h"
#include <QPointer>
#include <QPrintDialog>
#include <QWebEngineScript>
#include <memory>

namespace {
const QString kFailed = QStringLiteral("Tulostus epäonnistui.");

struct Answer {
    bool done = false;
    bool asking = false;
    QByteArray data;
};
}

PagePrinter::PagePrinter(Prompts *prompts, QWidget *dialogParent, QObject *parent)
    : QObject(parent), m_prompts(prompts), m_dialogParent(dialogParent)
{
    setObjectName(QStringLiteral("sivuntulostus"));
    m_choice = [this](QPrinter *printer) {
        QPrintDialog dialog(printer, m_dialogParent);
        dialog.setWindowTitle(QStringLiteral("Tulosta"));
        return dialog.exec() == QDialog::Accepted;
    };
}

bool PagePrinter::showsPdf(TVasaroselain *view)
{
    return view->document().evaluate(QStringLiteral("document.contentType")).toString()
           == QLatin1String("application/pdf");
}

bool PagePrinter::print(TVasaroselain *view)
{
    if (!view || view->vasaroPage()->Busy())
        return false;
    const bool document = showsPdf(view);
    if (!document && !view->document().isHtml())
        return false;
    const QPointer<TVasaroselain> alive(view);
    if (!m_choice(&m_printer) || !alive)
        return false;
    const QByteArray pdf = document ? documentBytes(view->page()) : pagePdf(view->page());
    if (!alive)
        return false;
    return deliver(view, pdf, document);
}

bool PagePrinter::deliver(TVasaroselain *view, const QByteArray &pdf, bool document)
{
    if (pdf.isEmpty() || (document && !pdf.startsWith("%PDF-"))) {
        m_prompts->error(kFailed);
        return false;
    }
    switch (PrintSpool::send(pdf, m_printer)) {
    case PrintSpool::Result::Done:
        return true;
    case PrintSpool::Result::FileFailed:
        m_prompts->error(QStringLiteral("Tiedostoa ei voitu kirjoittaa:\r\n") + m_printer.outputFileName());
        return false;
    case PrintSpool::Result::NoSpooler:
        // Without a spooler a web page can still go as pictures of its pages;
        // the viewer's picture is not the document.
        if (!document && rasterPrint(view))
            return true;
        break;
    case PrintSpool::Result::SpoolFailed:
        break;
    }
    m_prompts->error(kFailed);
    return false;
}

// The fetch runs in the page's isolated world; its answer is asked for
// until it has come (a script's promise does not reach the program).
QByteArray PagePrinter::documentBytes(QWebEnginePage *page)
{
    const QPointer<QWebEnginePage> alive(page);
    page->runJavaScript(ScriptSource::load(QStringLiteral("fetchdocument.js")), QWebEngineScript::ApplicationWorld);
    auto answer = std::make_shared<Answer>();
    waitFor([alive, answer] {
        if (!alive)
            return true;
        if (!answer->asking && !answer->done) {
            answer->asking = true;
            alive->runJavaScript(QStringLiteral("window.__vsFetched && window.__vsFetched.done ? "
                                                "[window.__vsFetched.data, window.__vsFetched.error] : null"),
                                 QWebEngineScript::ApplicationWorld, [answer](const QVariant &v) {
                                     answer->asking = false;
                                     const QVariantList reply = v.toList();
                                     if (reply.size() != 2)
                                         return;
                                     answer->data = QByteArray::fromBase64(reply.at(0).toString().toLatin1());
                                     answer->done = true;
                                 });
        }
        return answer->done;
    }, kFetchLimitMs);
    if (alive)
        alive->runJavaScript(QStringLiteral("delete window.__vsFetched"), QWebEngineScript::ApplicationWorld);
    return answer->data;
}

QByteArray PagePrinter::pagePdf(QWebEnginePage *page)
{
    auto answer = std::make_shared<Answer>();
    page->printToPdf(
        [answer](const QByteArray &data) {
            answer->data = data;
            answer->done = true;
        },
        m_printer.pageLayout(), m_printer.pageRanges());
    waitFor([answer] { return answer->done; }, kPrintLimitMs);
    return answer->data;
}

bool PagePrinter::rasterPrint(TVasaroselain *view)
{
    auto answer = std::make_shared<Answer>();
    const auto connection = connect(view, &QWebEngineView::printFinished, this, [answer](bool ok) {
        answer->data = ok ? QByteArray("1") : QByteArray();
        answer->done = true;
    });
    view->print(&m_printer);
    waitFor([answer] { return answer->done; }, kPrintLimitMs);
    disconnect(connection);
    return !answer->data.isEmpty();
}

#pragma once
// "Tulosta sivu.." (Ctrl+P): prints the active tab's page on the printer the
// user chooses in the print dialog.
//
// A web page goes through the engine's PDF output, so its text stays text.
// A PDF document shown in the engine's PDF viewer is printed as the document
// itself: the engine's print of that tab gives a picture of the viewer (its
// toolbar and page thumbnails), not the document's pages. The document's
// bytes are fetched again from the page's own address (the browser's cache
// answers when it can).
#include <QObject>
#include <QPrinter>
#include <functional>

class Prompts;
class QWebEnginePage;
class QWidget;
class TVasaroselain;

class PagePrinter final : public QObject {
    Q_OBJECT
public:
    static constexpr int kFetchLimitMs = 60000;
    static constexpr int kPrintLimitMs = 60000;

    // Asks for the printer (true: print). The default shows the print dialog.
    using PrinterChoice = std::function<bool(QPrinter *)>;

    PagePrinter(Prompts *prompts, QWidget *dialogParent, QObject *parent = nullptr);

    void setPrinterChoice(PrinterChoice choice) { m_choice = std::move(choice); }
    QPrinter &printer() { return m_printer; }

    // True when the view shows a PDF document in the engine's viewer.
    static bool showsPdf(TVasaroselain *view);
    // Prints the view's page; false when nothing was printed (cancelled,
    // or a failure the user was told about).
    bool print(TVasaroselain *view);

private:
    QByteArray documentBytes(QWebEnginePage *page);
    QByteArray pagePdf(QWebEnginePage *page);
    bool rasterPrint(TVasaroselain *view);
    bool deliver(TVasaroselain *view, const QByteArray &pdf, bool document);

    Prompts *m_prompts;
    QWidget *m_dialogParent;
    QPrinter m_printer;
    PrinterChoice m_choice;
};

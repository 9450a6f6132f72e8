#include "ledger/printing/tform6.h"
#include "core/atomicfile.h"
#include "core/prompts.h"
#include "core/waitfor.h"
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPageSetupDialog>
#include <QPaintEngine>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

static void initLedgerResources()
{
    // The resource lives in a static library: make sure it is linked in.
    Q_INIT_RESOURCE(ledger);
}

namespace {
// Pages up to this size go to the engine directly; larger ones (a long
// list) through a temporary file, as the engine refuses content over 2 MB.
constexpr int kDirectLimit = 1500 * 1024;
constexpr int kLoadLimitMs = 5000;
constexpr int kPrintLimitMs = 120000;

const QString editCaption = QStringLiteral("Muokkaa osoitteita");
const QString stopEditCaption = QStringLiteral("Lopeta muokkaaminen");

QString designModeScript(bool on)
{
    initLedgerResources();
    QFile f(QStringLiteral(":/ledger/js/designmode.js"));
    const QString text = f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    return QString(text).replace(QStringLiteral("MODE"), on ? QStringLiteral("\"on\"")
                                                            : QStringLiteral("\"off\""));
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}
}

TForm6::TForm6(Prompts &prompts, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint),
      m_prompts(prompts),
      m_printer(QPrinter::HighResolution)
{
    // Only pictures of the pages (the print preview, a printer without a
    // spooler) depend on this; 300 dpi keeps them sharp and quick to draw.
    m_printer.setResolution(300);
    setObjectName(QStringLiteral("TForm6"));
    setWindowTitle(QStringLiteral("Esikatselu"));
    // The preview never keeps the program running on its own.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(685, 619);

    // An own profile that keeps nothing on disk; the page runs no scripts.
    m_profile = new QWebEngineProfile(this);
    m_wb1 = new QWebEngineView(this);
    m_wb1->setObjectName(QStringLiteral("wb1"));
    auto *page = new QWebEnginePage(m_profile, m_wb1);
    page->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    m_wb1->setPage(page);

    m_bar = new QWidget(this);
    m_bar->setObjectName(QStringLiteral("tulostuspaneeli"));
    auto *print = button(m_bar, "XiButton4", QStringLiteral("Tulosta"));
    auto *preview = button(m_bar, "XiButton5", QStringLiteral("Tulostuksen esikatselu"));
    auto *setup = button(m_bar, "XiButton6", QStringLiteral("Sivun asetukset"));
    m_edit = button(m_bar, "XiButton7", editCaption);
    m_edit->setEnabled(false);
    auto *close = button(m_bar, "XiButton3", QStringLiteral("Sulje"));
    auto *row = new QHBoxLayout(m_bar);
    row->setContentsMargins(4, 4, 4, 4);
    for (QPushButton *b : {print, preview, setup, m_edit, close})
        row->addWidget(b);
    row->addStretch(1);
    m_bar->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bar);
    layout->addWidget(m_wb1, 1);

    connect(print, &QPushButton::clicked, this, &TForm6::XiButton4Click);
    connect(preview, &QPushButton::clicked, this, &TForm6::XiButton5Click);
    connect(setup, &QPushButton::clicked, this, &TForm6::XiButton6Click);
    connect(m_edit, &QPushButton::clicked, this, &TForm6::XiButton7Click);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

TForm6::~TForm6()
{
    // The page goes before the profile it was made with.
    delete m_wb1;
}

void TForm6::tulosta(const QString &page, QWidget *owner)
{
    m_bar->show();
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    setWindowTitle(QStringLiteral("Tulostuksen esikatselu"));
    show();
    if (owner && owner != this) {
        m_owner = owner;
        owner->setEnabled(false);
    }
    raise();
    activateWindow();
    m_wb1->setFocus();
    resize(width(), 640);
    WBLoadHTML(page);
}

bool TForm6::WBLoadHTML(const QString &page)
{
    const QByteArray bytes = page.toUtf8();
    auto loaded = std::make_shared<bool>(false);
    const auto connection = connect(m_wb1->page(), &QWebEnginePage::loadFinished, this,
                                    [loaded](bool) { *loaded = true; });
    if (bytes.size() < kDirectLimit) {
        // UTF-8 named here wins over the page's own charset line.
        m_wb1->page()->setContent(bytes, QStringLiteral("text/html;charset=UTF-8"));
    } else {
        if (!m_largePages)
            m_largePages = std::make_unique<QTemporaryDir>();
        const QString path = m_largePages->filePath(QStringLiteral("sivu.html"));
        // The byte order mark wins over the page's own charset line.
        if (!m_largePages->isValid() || !AtomicFile::write(path, QByteArray("\xEF\xBB\xBF") + bytes)) {
            disconnect(connection);
            return false;
        }
        m_wb1->load(QUrl::fromLocalFile(path));
    }
    const bool done = waitFor([loaded] { return *loaded; }, kLoadLimitMs);
    disconnect(connection);
    // The engine holds the page now; the names and addresses leave the disk.
    if (done && m_largePages)
        QFile::remove(m_largePages->filePath(QStringLiteral("sivu.html")));
    return done;
}

void TForm6::enableAddressEditing()
{
    m_edit->setEnabled(true);
}

void TForm6::XiButton4Click()
{
    QPrintDialog dialog(&m_printer, this);
    dialog.setWindowTitle(QStringLiteral("Tulosta"));
    if (dialog.exec() == QDialog::Accepted)
        printDocument();
}

void TForm6::XiButton5Click()
{
    QPrintPreviewDialog preview(&m_printer, this);
    preview.setWindowTitle(QStringLiteral("Tulostuksen esikatselu"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *printer) {
        // The pages drawn for the preview are pictures of the real ones;
        // printing from the preview takes the path that keeps the text.
        if (printer->paintEngine() && printer->paintEngine()->type() == QPaintEngine::Pdf)
            printDocument();
        else
            rasterPrint(printer);
    });
    preview.exec();
}

void TForm6::XiButton6Click()
{
    QPageSetupDialog dialog(&m_printer, this);
    dialog.setWindowTitle(QStringLiteral("Sivun asetukset"));
    dialog.exec();
}

void TForm6::XiButton7Click()
{
    const bool start = m_edit->text() != stopEditCaption;
    m_edit->setText(start ? stopEditCaption : editCaption);
    setDesignMode(start);
}

bool TForm6::setDesignMode(bool on)
{
    // Page scripts are off; the program's own world still runs.
    auto answer = std::make_shared<QString>();
    m_wb1->page()->runJavaScript(designModeScript(on), QWebEngineScript::ApplicationWorld,
                                 [answer](const QVariant &v) { *answer = v.toString(); });
    const QString wanted = on ? QStringLiteral("on") : QStringLiteral("off");
    return waitFor([answer, wanted] { return *answer == wanted; }, 2000);
}

QByteArray TForm6::pdf()
{
    struct Result {
        bool done = false;
        QByteArray data;
    };
    auto result = std::make_shared<Result>();
    m_wb1->page()->printToPdf(
        [result](const QByteArray &bytes) {
            result->data = bytes;
            result->done = true;
        },
        m_printer.pageLayout(), m_printer.pageRanges());
    waitFor([result] { return result->done; }, kPrintLimitMs);
    return result->data;
}

bool TForm6::printDocument()
{
    const QByteArray document = pdf();
    if (document.isEmpty()) {
        m_prompts.error(QStringLiteral("Tulostus epäonnistui."));
        return false;
    }
    if (m_printer.outputFormat() == QPrinter::PdfFormat) {
        const QString file = m_printer.outputFileName();
        if (file.isEmpty() || !AtomicFile::write(file, document)) {
            m_prompts.error(QStringLiteral("Tiedostoa ei voitu kirjoittaa:\r\n") + file);
            return false;
        }
        return true;
    }
    if (spool(document))
        return true;
    if (rasterPrint(&m_printer))
        return true;
    m_prompts.error(QStringLiteral("Tulostus epäonnistui."));
    return false;
}

bool TForm6::spool(const QByteArray &pdf)
{
    // The system's print spooler takes PDF as it is.
    const QString lp = QStandardPaths::findExecutable(QStringLiteral("lp"));
    if (lp.isEmpty())
        return false;
    QStringList args;
    if (!m_printer.printerName().isEmpty())
        args << QStringLiteral("-d") << m_printer.printerName();
    args << QStringLiteral("-n") << QString::number(qMax(1, m_printer.copyCount()));
    args << QStringLiteral("-t") << QStringLiteral("VSselain");
    QProcess lpProcess;
    lpProcess.start(lp, args);
    if (!waitFor([&lpProcess] { return lpProcess.state() == QProcess::Running
                                       || lpProcess.state() == QProcess::NotRunning; }, 5000)
        || lpProcess.state() != QProcess::Running)
        return false;
    lpProcess.write(pdf);
    lpProcess.closeWriteChannel();
    waitFor([&lpProcess] { return lpProcess.state() == QProcess::NotRunning; }, 30000);
    return lpProcess.state() == QProcess::NotRunning && lpProcess.exitStatus() == QProcess::NormalExit
           && lpProcess.exitCode() == 0;
}

bool TForm6::rasterPrint(QPrinter *printer)
{
    struct Result {
        bool done = false;
        bool ok = false;
    };
    auto result = std::make_shared<Result>();
    const auto connection = connect(m_wb1, &QWebEngineView::printFinished, this, [result](bool ok) {
        result->ok = ok;
        result->done = true;
    });
    m_wb1->print(printer);
    waitFor([result] { return result->done; }, kPrintLimitMs);
    disconnect(connection);
    return result->ok;
}

void TForm6::closeEvent(QCloseEvent *event)
{
    if (m_owner && !m_owner->isEnabled())
        m_owner->setEnabled(true);
    m_owner.clear();
    if (m_edit->text() == stopEditCaption) {
        setDesignMode(false);
        m_edit->setText(editCaption);
    }
    m_edit->setEnabled(false);
    event->accept();
    emit closed();
}

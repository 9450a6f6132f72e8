// The ledger's printouts in the real preview window: the pages as the
// engine shows them (marketplace texts as text, scripts off), printing the
// list to a PDF file through the print dialog, the print preview and page
// setup dialogs, editing the labels in place, and the ledger kept disabled
// while the preview is open.
#include "../unit/ledger/ledgerwindowtest.h"
#include "ledger/printing/ledgerprinting.h"
#include "ledger/printing/printpanel.h"
#include "ledger/printing/tform6.h"
#include "stillafter.h"
#include <QDialogButtonBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <QWebEngineScript>
#include <QWebEngineView>

using namespace LedgerRows;

namespace {
const QString matti = QStringLiteral("matti meikäläinen\r\nm@x.fi\r\nkatu 1\r\n00100 helsinki\r\n040\r\n");
const QString liisa = QStringLiteral("liisa virtanen\r\nl@x.fi\r\ntie 2\r\n00200 espoo\r\n");

QVector<QStringList> printRows()
{
    QStringList noted = row("11111111", "Kirja", "04.03.2022 12:34:56", "10.00", "Matti/12", "", "", matti);
    noted[LedgerColumn::Lisatiedot] = QStringLiteral("eka rivi<BR>toka rivi");
    return {noted,
            row("22222222", "<b>Tuoli</b> & pöytä", "03.03.2022 10:00:00", "5.50", "Liisa/13", "", "", liisa),
            row("33333333", "Lamppu <script>document.title='x'</script>", "02.03.2022 10:00:00", "2.00",
                "Matti/12", "", "", matti)};
}

// The text of a PDF file as pdftotext reads it; empty without pdftotext.
QString pdfText(const QString &file)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        return QString();
    QProcess text;
    text.start(pdftotext, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), file, QStringLiteral("-")});
    text.waitForFinished(20000);
    return QString::fromUtf8(text.readAllStandardOutput());
}

// Runs `step` on the first modal dialog of type T that comes up, once.
template <typename T>
void whenDialogOpens(std::function<void(T *)> step)
{
    auto *timer = new QTimer;
    timer->setInterval(50);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, step] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            step(dialog);
        }
    });
    timer->start();
}

void clickButton(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

// In the print dialog: "Print to File (PDF)" in the printer list, the file
// name, and the print button.
void printToPdfFile(QPrintDialog *dialog, const QString &file)
{
    for (QComboBox *combo : dialog->findChildren<QComboBox *>()) {
        for (int i = 0; i < combo->count(); ++i) {
            if (combo->itemText(i).contains(QStringLiteral("PDF")))
                combo->setCurrentIndex(i);
        }
    }
    for (QLineEdit *edit : dialog->findChildren<QLineEdit *>()) {
        if (edit->objectName() == QStringLiteral("filename"))
            edit->setText(file);
    }
    auto *box = dialog->findChild<QDialogButtonBox *>();
    QPushButton *ok = box ? box->button(QDialogButtonBox::Ok) : nullptr;
    if (ok)
        clickButton(ok);
    else
        dialog->reject();
}
}

class TestPrinting : public QObject, protected LedgerWindowTest {
    Q_OBJECT

    TForm6 *preview() const { return m_form->printing()->preview(); }
    template <typename T>
    T *p(const char *name) const
    {
        T *found = preview()->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no preview control %s", name);
        return found;
    }
    QVariant js(const QString &script) const
    {
        auto result = std::make_shared<std::pair<bool, QVariant>>();
        preview()->view()->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                                 [result](const QVariant &v) { *result = {true, v}; });
        if (!QTest::qWaitFor([result] { return result->first; }, 5000))
            return QStringLiteral("<no answer>");
        return result->second;
    }
    void printFromPanel(const char *buttonName)
    {
        clickAt(w<QPushButton>("Tulostus"), w<QPushButton>("Tulostus")->rect().center());
        QPushButton *b = w<QPushButton>(buttonName);
        clickAt(b, b->rect().center());
        QTRY_VERIFY(preview()->isVisible());
        QTRY_COMPARE(js(QStringLiteral("document.readyState")).toString(), QStringLiteral("complete"));
    }
    void closePreview()
    {
        if (m_form && m_form->printing() && preview()->isVisible())
            clickButton(p<QPushButton>("XiButton3"));
    }

    // Pages shown in the print preview dialog, and how much of them is ink.
    std::pair<int, int> previewed()
    {
        std::pair<int, int> seen{-1, 0};
        whenDialogOpens<QPrintPreviewDialog>([&seen](QPrintPreviewDialog *dialog) {
            if (auto *widget = dialog->findChild<QPrintPreviewWidget *>()) {
                // No pages in time: the count stays -1 and the caller's check fails.
                if (QTest::qWaitFor([widget] { return widget->pageCount() > 0; }, 20000)) {
                    seen.first = widget->pageCount();
                    widget->fitInView();
                    const QImage shown = widget->grab().toImage();
                    for (int y = 0; y < shown.height(); ++y)
                        for (int x = 0; x < shown.width(); ++x)
                            seen.second += qGray(shown.pixel(x, y)) < 80;
                }
            }
            dialog->reject();
        });
        clickButton(p<QPushButton>("XiButton5"));
        return seen;
    }

private slots:
    void init()
    {
        openWindow();
        load(printRows());
    }
    void cleanup()
    {
        closePreview();
        closeWindow();
    }

    void listPageShowsTextsAsText()
    {
        printFromPanel("XiButton1");
        QCOMPARE(preview()->windowTitle(), QStringLiteral("Tulostuksen esikatselu"));
        QVERIFY(p<QWidget>("tulostuspaneeli")->isVisible());
        QVERIFY(!p<QPushButton>("XiButton7")->isEnabled());
        QVERIFY(!m_form->isEnabled());

        const QString text = js(QStringLiteral("document.body.innerText")).toString();
        QVERIFY2(text.contains(QStringLiteral("<b>Tuoli</b> & pöytä")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Lamppu <script>document.title='x'</script>")));
        QCOMPARE(js(QStringLiteral("document.querySelectorAll('b, script').length")).toInt(), 0);
        QCOMPARE(js(QStringLiteral("document.title")).toString(), QString());
        // The note's line break breaks the line; rows are numbered.
        QCOMPARE(js(QStringLiteral("document.querySelectorAll('tr')[1].cells[5].innerHTML")).toString(),
                 QStringLiteral("<p align=\"LEFT\">eka rivi<br>toka rivi</p>"));
        QCOMPARE(js(QStringLiteral("document.querySelectorAll('tr')[3].cells[0].innerText")).toString(),
                 QStringLiteral("3."));
        // The counterparty's lines run together: its line breaks are text.
        QCOMPARE(js(QStringLiteral("document.querySelectorAll('tr')[1].cells[6].innerText")).toString(),
                 QStringLiteral("matti meikäläinen m@x.fi katu 1 00100 helsinki 040"));
    }

    void pageScriptsDoNotRun()
    {
        preview()->tulosta(QStringLiteral("<HTML><BODY><P id=p>sivu</P>"
                                          "<SCRIPT>document.title='ajettu';</SCRIPT></BODY></HTML>"),
                           nullptr);
        QVERIFY(m_form->isEnabled());    // no owner, nothing disabled
        QCOMPARE(js(QStringLiteral("document.getElementById('p').textContent")).toString(),
                 QStringLiteral("sivu"));
        QCOMPARE(js(QStringLiteral("document.title")).toString(), QString());
    }

    void listPrintedToPdfFileThroughTheDialog()
    {
        printFromPanel("XiButton1");
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("lista.pdf"));
        bool dialogSeen = false;
        whenDialogOpens<QPrintDialog>([&](QPrintDialog *dialog) {
            dialogSeen = true;
            printToPdfFile(dialog, file);
        });
        clickButton(p<QPushButton>("XiButton4"));
        QVERIFY(dialogSeen);
        QCOMPARE(preview()->printer().outputFormat(), QPrinter::PdfFormat);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(file).size() > 0, 20000);
        QFile pdf(file);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");

        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed: the PDF's text is not checked");
        const QString words = pdfText(file);
        for (const QString &expected : {QStringLiteral("Kirja"), QStringLiteral("<b>Tuoli</b> & pöytä"),
                                        QStringLiteral("Lamppu"), QStringLiteral("Kohteen nimi"),
                                        QStringLiteral("22222222")})
            QVERIFY2(words.contains(expected), qPrintable(expected + QStringLiteral(" not in: ") + words));
    }

    // The preview dialog's own print button, the printer set to a PDF file:
    // the file gets the engine's PDF with its text, not pictures of pages.
    void printedFromThePreviewDialog()
    {
        printFromPanel("XiButton1");
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("esikatselusta.pdf"));
        preview()->printer().setOutputFormat(QPrinter::PdfFormat);
        whenDialogOpens<QPrintPreviewDialog>([file](QPrintPreviewDialog *dialog) {
            auto *widget = dialog->findChild<QPrintPreviewWidget *>();
            // No pages in time: nothing is printed and the file check fails.
            if (!QTest::qWaitFor([widget] { return widget && widget->pageCount() > 0; }, 20000)) {
                dialog->reject();
                return;
            }
            whenDialogOpens<QPrintDialog>([file](QPrintDialog *print) { printToPdfFile(print, file); });
            for (QAction *a : dialog->findChildren<QAction *>()) {
                if (a->text() == QStringLiteral("Print")) {
                    a->trigger();
                    break;
                }
            }
            if (dialog->isVisible())
                dialog->reject();
        });
        clickButton(p<QPushButton>("XiButton5"));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(file).size() > 0, 20000);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed: the PDF's text is not checked");
        const QString words = pdfText(file);
        QVERIFY2(words.contains(QStringLiteral("<b>Tuoli</b> & pöytä")), qPrintable(words));
        QVERIFY(m_prompts.asked.isEmpty());
    }

    // "Sivun asetukset" turned to landscape: the printed PDF's pages are.
    void pageSetupReachesThePdf()
    {
        printFromPanel("XiButton1");
        bool turned = false;
        whenDialogOpens<QPageSetupDialog>([&turned](QPageSetupDialog *dialog) {
            if (auto *landscape = dialog->findChild<QRadioButton *>(QStringLiteral("landscape"))) {
                // On its round indicator: the button is wider than its text.
                QTest::mouseClick(landscape, Qt::LeftButton, {}, QPoint(6, landscape->height() / 2));
                turned = landscape->isChecked();
            }
            auto *box = dialog->findChild<QDialogButtonBox *>();
            if (QPushButton *ok = box ? box->button(QDialogButtonBox::Ok) : nullptr)
                clickButton(ok);
            else
                dialog->reject();
        });
        clickButton(p<QPushButton>("XiButton6"));
        QVERIFY(turned);
        QCOMPARE(preview()->printer().pageLayout().orientation(), QPageLayout::Landscape);

        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("vaaka.pdf"));
        whenDialogOpens<QPrintDialog>([file](QPrintDialog *dialog) { printToPdfFile(dialog, file); });
        clickButton(p<QPushButton>("XiButton4"));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(file).size() > 0, 20000);
        const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
        if (pdfinfo.isEmpty())
            QSKIP("pdfinfo (poppler-utils) is not installed: the page size is not checked");
        QProcess info;
        info.start(pdfinfo, {file});
        QVERIFY(info.waitForFinished(20000));
        const QRegularExpression size(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts"));
        const QRegularExpressionMatch m = size.match(QString::fromUtf8(info.readAllStandardOutput()));
        QVERIFY(m.hasMatch());
        QVERIFY2(m.captured(1).toDouble() > m.captured(2).toDouble(), qPrintable(m.captured(0)));
    }

    void cancelledPrintDialogWritesNothing()
    {
        printFromPanel("XiButton1");
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("ei.pdf"));
        preview()->printer().setOutputFormat(QPrinter::PdfFormat);
        preview()->printer().setOutputFileName(file);
        whenDialogOpens<QPrintDialog>([](QPrintDialog *dialog) { dialog->reject(); });
        clickButton(p<QPushButton>("XiButton4"));
        QVERIFY(stillAfter(kQuietMs, [&] { return !QFile::exists(file) && m_prompts.asked.isEmpty(); }));

        // A file that cannot be written is reported, not passed over.
        const QString nowhere = dir.filePath(QStringLiteral("puuttuu/lista.pdf"));
        preview()->printer().setOutputFileName(nowhere);
        QVERIFY(!preview()->printDocument());
        QCOMPARE(m_prompts.asked, QStringList{"error: Tiedostoa ei voitu kirjoittaa:\r\n" + nowhere});
    }

    void printPreviewShowsThePages()
    {
        preview()->tulosta(QStringLiteral("<HTML><BODY></BODY></HTML>"), nullptr);
        const std::pair<int, int> blank = previewed();
        QCOMPARE(blank.first, 1);
        clickButton(p<QPushButton>("XiButton3"));
        printFromPanel("XiButton1");
        const std::pair<int, int> list = previewed();
        QCOMPARE(list.first, 1);
        // The list's text and borders, beyond the page frame a blank page has.
        QVERIFY2(list.second > blank.second + 1000,
                 qPrintable(QStringLiteral("%1 vs %2").arg(list.second).arg(blank.second)));
        QVERIFY(m_prompts.asked.isEmpty());   // drawn for the preview, not printed

        bool setupSeen = false;
        whenDialogOpens<QPageSetupDialog>([&](QPageSetupDialog *dialog) {
            setupSeen = true;
            dialog->reject();
        });
        clickButton(p<QPushButton>("XiButton6"));
        QVERIFY(setupSeen);
    }

    void partyLabelsEditedInPlace()
    {
        printFromPanel("XiButton6");
        QCOMPARE(js(QStringLiteral("document.querySelectorAll('td').length")).toInt(), 3);
        QCOMPARE(js(QStringLiteral("document.querySelector('td').innerText")).toString(),
                 QStringLiteral("Matti Meikäläinen\nKatu 1\n00100 Helsinki\n"));
        auto *edit = p<QPushButton>("XiButton7");
        QVERIFY(edit->isEnabled());
        clickButton(edit);
        QCOMPARE(edit->text(), QStringLiteral("Lopeta muokkaaminen"));
        QCOMPARE(js(QStringLiteral("document.designMode")).toString(), QStringLiteral("on"));

        // Click at the end of the first label's name and type.
        const QVariantList box = js(QStringLiteral(
            "(function(){var r=document.querySelector('td p').getClientRects()[0];"
            "return [r.right-2, r.top+r.height/2];})()")).toList();
        QCOMPARE(box.size(), 2);
        QWidget *surface = preview()->view()->focusProxy();
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(box[0].toInt(), box[1].toInt()));
        QTRY_COMPARE(QApplication::focusWidget(), surface);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("XY"));
        QTRY_VERIFY(js(QStringLiteral("document.querySelector('td').innerText")).toString().contains(
            QStringLiteral("XY")));

        clickButton(edit);
        QCOMPARE(edit->text(), QStringLiteral("Muokkaa osoitteita"));
        QCOMPARE(js(QStringLiteral("document.designMode")).toString(), QStringLiteral("off"));
        clickButton(edit);
        QCOMPARE(js(QStringLiteral("document.designMode")).toString(), QStringLiteral("on"));

        // Closing ends the editing and gives the ledger back.
        QVERIFY(!m_form->isEnabled());
        clickButton(p<QPushButton>("XiButton3"));
        QVERIFY(!preview()->isVisible());
        QVERIFY(m_form->isEnabled());
        QCOMPARE(edit->text(), QStringLiteral("Muokkaa osoitteita"));
        QVERIFY(!edit->isEnabled());
        QCOMPARE(js(QStringLiteral("document.designMode")).toString(), QStringLiteral("off"));
    }

    void senderLabelSheet()
    {
        printFromPanel("XiButton4");
        QCOMPARE(js(QStringLiteral("document.querySelectorAll('tr').length")).toInt(), 15);
        QCOMPARE(js(QStringLiteral("document.querySelectorAll('td').length")).toInt(), 105);
        QCOMPARE(js(QStringLiteral("document.querySelectorAll('td')[104].innerText")).toString(),
                 QStringLiteral("Testi Myyjä\nTestitie 123 as 4\n56789 Testi\n"));
        QVERIFY(!p<QPushButton>("XiButton7")->isEnabled());
    }

    // A list too long for the engine's direct content limit still shows.
    void longListShows()
    {
        QString page = QStringLiteral("<HTML><BODY><TABLE>");
        for (int i = 0; i < 20000; ++i)
            page += QStringLiteral("<TR><TD>%1</TD><TD>Kohde äö %1 ................................................"
                                   ".............................................</TD></TR>").arg(i);
        page += QStringLiteral("</TABLE></BODY></HTML>");
        QVERIFY(page.toUtf8().size() > 2 * 1024 * 1024);
        preview()->tulosta(page, nullptr);
        QCOMPARE(js(QStringLiteral("document.querySelectorAll('tr').length")).toInt(), 20000);
        QCOMPARE(js(QStringLiteral("document.querySelectorAll('td')[39999].innerText")).toString().left(14),
                 QStringLiteral("Kohde äö 19999"));
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"

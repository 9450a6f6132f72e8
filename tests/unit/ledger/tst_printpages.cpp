// The three print pages of the ledger, byte for byte, with marketplace texts
// escaped; and the print panel's column choice driven with the mouse.
#include "ledger/printing/ledgerprinting.h"
#include "ledger/printing/printpages.h"
#include "ledger/printing/printpanel.h"
#include "ledgerwindowtest.h"

using namespace LedgerRows;

namespace {
const QString crlf = QStringLiteral("\r\n");
const QString listStart = QStringLiteral(
    "<HTML>\r\n<HEAD>\r\n<META HTTP-EQUIV=\"CONTENT-TYPE\" CONTENT=\"text/html; charset=windows-1252\">\r\n"
    "<TITLE></TITLE>\r\n</HEAD>\r\n<BODY>\r\n<TABLE BORDER=1 CELLPADDING=1 CELLSPACING=0>\r\n");
const QString labelStart = QStringLiteral(
    "<HTML>\r\n<HEAD>\r\n<META HTTP-EQUIV=\"CONTENT-TYPE\" CONTENT=\"text/html; charset=windows-1252\">\r\n"
    "<TITLE></TITLE>\r\n</HEAD>\r\n<BODY>\r\n<TABLE BORDER=0 CELLPADDING=2 CELLSPACING=2>\r\n");
const QString pageEnd = QStringLiteral("</TABLE>\r\n</BODY>\r\n</HTML>\r\n");

const QString matti = QStringLiteral("matti meikäläinen\r\nm@x.fi\r\nkatu 1\r\n00100 helsinki\r\n040\r\n");
const QString liisa = QStringLiteral("liisa\r\nl@x.fi\r\ntie 2\r\n00200 espoo\r\n");

QString td(const QString &text)
{
    return "<TD><P ALIGN=LEFT>" + text + "</P></TD>" + crlf;
}
QString label(const QString &text, int px = 22)
{
    return QStringLiteral("<TD><P ALIGN=\"LEFT\" style=\"font-size:%1px\">").arg(px) + text + "</P></TD>" + crlf;
}

struct Lists {
    LedgerTable sg;
    LedgerView view;
};

Lists lists(const QVector<QStringList> &rows, LedgerMode mode = LedgerMode::Sold)
{
    Lists l{LedgerTable(mode), LedgerView()};
    l.sg.setRowCount(rows.size() + 1);
    for (int i = 0; i < rows.size(); ++i)
        l.sg.setRow(i + 1, rows.at(i));
    l.view.setHeaders(l.sg.row(0));
    l.view.suodatanakyma(l.sg, LedgerShow::All, {0, 99991231});
    return l;
}

ColumnChoice defaultChoice(const LedgerTable &sg)
{
    ColumnChoice c;
    c.asetavalinnat(sg.row(0), true);
    return c;
}

QStringList withNotes(QStringList r, const QString &notes)
{
    r[LedgerColumn::Lisatiedot] = notes;
    return r;
}
}

class TestPrintPages : public QObject, protected LedgerWindowTest {
    Q_OBJECT
private slots:
    void cleanup()
    {
        if (m_form)
            closeWindow();
    }

    void listPageWithTheDefaultColumns()
    {
        Lists l = lists({withNotes(row("11111111", "Kirja", "04.03.2021 12:34:56", "10.00", "Matti/12", "x", "x", matti),
                                   "eka<BR>toka"),
                         row("22222222", "Lamppu", "03.03.2021 10:00:00", "5.50", "Liisa/13", "", " ")});
        const QString page = PrintPages::CreateHTML(PrintPages::valitutSarakkeet(l.view, defaultChoice(l.sg)));
        const QString expected = listStart
            + "<TR>" + crlf + td("Nro") + td("Kohde") + td("Kohteen nimi") + td("Sulkeutunut") + td("Hinta")
            + td("Muuttiedot") + td("Ostaja") + td("Tunnus") + "</TR>" + crlf
            + "<TR>" + crlf + "<TD><P ALIGN=LEFT>1.</P></TD>" + crlf + td("11111111") + td("Kirja")
            + td("04.03.2021 12:34:56") + td("10.00") + td("eka<BR>toka") + td(matti) + td("Matti/12")
            + "</TR>" + crlf
            + "<TR>" + crlf + "<TD><P ALIGN=LEFT>2.</P></TD>" + crlf + td("22222222") + td("Lamppu")
            + td("03.03.2021 10:00:00") + td("5.50") + td("<BR>") + td("<BR>") + td("Liisa/13")
            + "</TR>" + crlf + pageEnd;
        QCOMPARE(page, expected);
    }

    void withoutNroTheFirstColumnShowsItemNumbers()
    {
        Lists l = lists({row("11111111", "Kirja", "04.03.2021 12:34:56", "10.00", "Matti/12", "x", " ")});
        ColumnChoice choice = defaultChoice(l.sg);
        for (int cell : {0, 2, 3, 4, 5, 8, 9})
            choice.toggle(cell);       // only "Kohde" stays
        choice.toggle(6);              // and the paid mark comes in
        choice.toggle(7);              // and the sent mark (a space prints as a break)
        QCOMPARE(PrintPages::CreateHTML(PrintPages::valitutSarakkeet(l.view, choice)),
                 listStart + "<TR>" + crlf + td("Kohde") + td("Maksettu") + td("Lähetetty") + "</TR>" + crlf
                     + "<TR>" + crlf + td("11111111") + td("x") + td("<BR>") + "</TR>" + crlf + pageEnd);
    }

    void emptyListPrintsOneEmptyRow()
    {
        Lists l = lists({});
        const PrintPages::Grid grid = PrintPages::valitutSarakkeet(l.view, defaultChoice(l.sg));
        QCOMPARE(grid.size(), 2);
        const QString page = PrintPages::CreateHTML(grid);
        QVERIFY(page.contains("<TR>" + crlf + "<TD><P ALIGN=LEFT>1.</P></TD>" + crlf + td("<BR>")));
    }

    void cellTextsAreEscaped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("html");
        QTest::newRow("tags and ampersand") << "<b>Tuoli</b> & pöytä" << "&lt;b&gt;Tuoli&lt;/b&gt; &amp; pöytä";
        QTest::newRow("script") << "<script>alert(1)</script>" << "&lt;script&gt;alert(1)&lt;/script&gt;";
        QTest::newRow("entity stays text") << "&amp; &lt;" << "&amp;amp; &amp;lt;";
        QTest::newRow("note line break kept") << "a<BR>b & c" << "a<BR>b &amp; c";
        QTest::newRow("other break spellings escaped") << "a<br>b" << "a&lt;br&gt;b";
        QTest::newRow("quotes as they are") << "\"12\" 'x'" << "\"12\" 'x'";
    }
    void cellTextsAreEscaped()
    {
        QFETCH(QString, text);
        QFETCH(QString, html);
        QCOMPARE(PrintPages::html(text), html);
        Lists l = lists({row("11111111", text, "04.03.2021 12:34:56", "1.00", "a/1")});
        QVERIFY(PrintPages::CreateHTML(PrintPages::valitutSarakkeet(l.view, defaultChoice(l.sg)))
                    .contains(td(html)));
    }

    void partyLabels()
    {
        Lists l = lists({row("11111111", "A", "04.03.2021 12:34:56", "1.00", "m/1", "", "", matti),
                         row("22222222", "B", "03.03.2021 12:34:56", "1.00", "l/2", "", "", liisa)});
        QCOMPARE(PrintPages::ostajienlaput(l.view, l.sg),
                 labelStart + "<TR>" + crlf + label("Matti Meikäläinen<BR>Katu 1<BR>00100 Helsinki<BR>")
                     + label("Liisa<BR>Tie 2<BR>00200 Espoo<BR>") + pageEnd);
    }

    void partyLabelsThreeToARow()
    {
        QVector<QStringList> rows;
        for (int i = 0; i < 7; ++i)
            rows << row(QString::number(11111111 + i), "T", "04.03.2021 12:34:56", "1.00", "m/1", "", "",
                        i == 3 ? QStringLiteral("lyhyt\r\nosoite\r\n") : matti);
        Lists l = lists(rows);
        const QString page = PrintPages::ostajienlaput(l.view, l.sg);
        QCOMPARE(page.count("<TR>"), 3);
        QCOMPARE(page.count("</TR>"), 2);
        QCOMPARE(page.count("<TD>"), 7);
        // A short address is an empty label that keeps its place.
        QCOMPARE(page.count(label(QString())), 1);
        QVERIFY(page.contains("</TR>" + crlf + "<TR>" + crlf + label(QString())));
        // The last row has one label and no "</TR>".
        QVERIFY(page.endsWith("<TR>" + crlf + label("Matti Meikäläinen<BR>Katu 1<BR>00100 Helsinki<BR>") + pageEnd));
    }

    void partyLabelTextsAreEscaped()
    {
        Lists l = lists({row("11111111", "A", "04.03.2021 12:34:56", "1.00", "m/1", "", "",
                             "<img src=x> & co\r\nm@x.fi\r\n<b>katu</b>\r\n00100 a<BR>b\r\n")});
        QVERIFY(PrintPages::ostajienlaput(l.view, l.sg)
                    .contains(label("&lt;img Src=x&gt; &amp; Co<BR>&lt;b&gt;katu&lt;/b&gt;<BR>00100 A&lt;BR&gt;b<BR>")));
    }

    void senderLabels()
    {
        const QString cell = label("Testi Myyjä<BR>Testitie 123 as 4<BR>56789 Testi<BR>", 10);
        QString expected = labelStart;
        for (int r = 0; r < 15; ++r) {
            expected += "<TR>" + crlf;
            for (int c = 0; c < 7; ++c)
                expected += cell;
            expected += "</TR>" + crlf;
        }
        expected += pageEnd;
        QCOMPARE(PrintPages::lahettajanlaput("Testi Myyjä\n\nTestitie 123 as 4\n56789 Testi\n"), expected);
        const QString odd = PrintPages::lahettajanlaput("A & B <i>\r\n");
        QCOMPARE(odd.count(label("A &amp; B &lt;i&gt;<BR>", 10)), 105);
        QCOMPARE(PrintPages::lahettajanlaput(QString()).count(label(QString(), 10)), 105);
    }

    void columnChoiceFollowsTheMode()
    {
        ColumnChoice c;
        c.asetavalinnat(LedgerTable::headers(LedgerMode::Sold), true);
        for (int cell = 0; cell < ColumnChoice::Cells; ++cell)
            QCOMPARE(c.selected(cell), cell < 10 && cell != 6 && cell != 7);
        c.toggle(0);
        c.toggle(11);                  // an empty cell does not toggle
        QVERIFY(!c.selected(11));
        c.asetavalinnat(LedgerTable::headers(LedgerMode::Bought), false);
        QCOMPARE(c.text(7), QStringLiteral("Saatu"));
        QCOMPARE(c.text(8), QStringLiteral("Myyjä"));
        QVERIFY(!c.selected(0));       // the choice stays
        QVERIFY(c.selected(8));
    }

    // The print panel in the window, its grid clicked and looked at.
    void printPanelColumnGrid()
    {
        openWindow();
        load(sampleRows());
        auto *panel = w<PrintPanel>("tallennus");
        QVERIFY(!panel->isVisible());
        clickAt(w<QPushButton>("Tulostus"), w<QPushButton>("Tulostus")->rect().center());
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->size(), QSize(361, 233));
        QCOMPARE(panel->geometry().center(), m_form->rect().center());
        auto *grid = w<ColumnChoiceGrid>("sg4");
        QCOMPARE(grid->size(), QSize(320, 60));
        QCOMPARE(w<QPushButton>("XiButton6")->toolTip(),
                 QStringLiteral("Voit kiinnittää osoitelaput kirjeisiin läpinäkyvällä teipillä."));
        QCOMPARE(w<QPlainTextEdit>("omaosoite")->toPlainText(),
                 QStringLiteral("Testi Myyjä\nTestitie 123 as 4\n56789 Testi"));

        QImage before = grid->grab().toImage();
        QVERIFY(hasColour(before, grid->cellRect(0), QColor(0x00, 0x80, 0x00)));   // "Nro" chosen
        QVERIFY(hasColour(before, grid->cellRect(6), QColor(0xFF, 0x00, 0x00)));   // "Maksettu" not
        QCOMPARE(QColor(before.pixel(grid->cellRect(0).bottomRight() - QPoint(1, 1))), QColor(0xFE, 0xFE, 0xFE));
        QCOMPARE(QColor(before.pixel(grid->cellRect(4).bottomRight() - QPoint(1, 1))), QColor(0xEC, 0xF3, 0xFF));

        clickAt(grid, grid->cellRect(0).center());
        clickAt(grid, grid->cellRect(11).center());   // empty: nothing happens
        QImage after = grid->grab().toImage();
        QVERIFY(hasColour(after, grid->cellRect(0), QColor(0xFF, 0x00, 0x00)));
        QVERIFY(!hasColour(after, grid->cellRect(0), QColor(0x00, 0x80, 0x00)));
        const PrintPanel *p = m_form->printing()->panel();
        QVERIFY(!p->choice().selected(0));
        QVERIFY(!p->choice().selected(11));
        const PrintPages::Grid printed = PrintPages::valitutSarakkeet(m_form->view(), p->choice());
        QCOMPARE(printed.first().first(), QStringLiteral("Kohde"));
        QCOMPARE(printed.at(1).first(), m_form->view().cell(1, 1));

        // Bought mode: captions follow, the choice stays, no buyer labels.
        QVERIFY(w<QPushButton>("XiButton6")->isEnabled());
        w<QComboBox>("hakutapa")->setCurrentIndex(1);
        QVERIFY(!w<QPushButton>("XiButton6")->isEnabled());
        QCOMPARE(p->choice().text(7), QStringLiteral("Saatu"));
        QVERIFY(!p->choice().selected(0));
        clickAt(w<QPushButton>("XiButton10"), w<QPushButton>("XiButton10")->rect().center());
        QVERIFY(!panel->isVisible());
        w<QAction>("ulosta1")->trigger();
        QVERIFY(panel->isVisible());
    }

private:
    static bool hasColour(const QImage &image, const QRect &r, const QColor &colour)
    {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (QColor(image.pixel(x, y)) == colour)
                    return true;
        return false;
    }
};

QTEST_MAIN(TestPrintPages)
#include "tst_printpages.moc"

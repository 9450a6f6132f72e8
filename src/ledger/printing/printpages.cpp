#include "ledger/printing/printpages.h"
#include "ledger/model/ledgertable.h"
#include "ledger/model/ledgerview.h"
#include <QRegularExpression>

namespace {
const QString crlf = QStringLiteral("\r\n");

QString escaped(QString text)
{
    text.replace(u'&', QStringLiteral("&amp;"));
    text.replace(u'<', QStringLiteral("&lt;"));
    text.replace(u'>', QStringLiteral("&gt;"));
    return text;
}

QStringList lines(const QString &text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList out = text.split(lineBreak);
    // A text ending in a line break has no last line after it.
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

QString cellTag(const QString &content)
{
    return QStringLiteral("<TD><P ALIGN=LEFT>") + content + QStringLiteral("</P></TD>") + crlf;
}

QString labelTag(const QString &content, int pixels)
{
    return QStringLiteral("<TD><P ALIGN=\"LEFT\" style=\"font-size:%1px\">").arg(pixels) + content
           + QStringLiteral("</P></TD>") + crlf;
}

// Name, street, postal code and town of a counterparty text; empty when it
// has fewer than four lines.
QString label(const QString &counterparty)
{
    const QStringList l = lines(Ledger::isoalkukirjaimet(counterparty));
    if (l.size() < 4)
        return QString();
    const QString br = QStringLiteral("<BR>");
    return escaped(l.at(0)) + br + escaped(l.at(2)) + br + escaped(l.at(3)) + br;
}
}

ColumnChoice::ColumnChoice()
{
    for (int i = 0; i < Cells; ++i)
        m_texts << QString();
}

void ColumnChoice::asetavalinnat(const QStringList &viewHeaders, bool reset)
{
    for (int i = 0; i < Cells; ++i)
        m_texts[i] = i < LedgerColumn::Count ? viewHeaders.value(i) : QString();
    if (!reset)
        return;
    for (int i = 0; i < Cells; ++i)
        m_selected[i] = i < LedgerColumn::Count && i != LedgerColumn::Maksettu
                        && i != LedgerColumn::Lahetetty;
}

void ColumnChoice::toggle(int cell)
{
    if (cell >= 0 && cell < Cells && !m_texts.at(cell).isEmpty())
        m_selected[cell] = !m_selected[cell];
}

namespace PrintPages {

QString alku(bool listTable)
{
    return QStringLiteral("<HTML>") + crlf + QStringLiteral("<HEAD>") + crlf
           + QStringLiteral("<META HTTP-EQUIV=\"CONTENT-TYPE\" CONTENT=\"text/html; charset=windows-1252\">")
           + crlf + QStringLiteral("<TITLE></TITLE>") + crlf + QStringLiteral("</HEAD>") + crlf
           + QStringLiteral("<BODY>") + crlf
           + (listTable ? QStringLiteral("<TABLE BORDER=1 CELLPADDING=1 CELLSPACING=0>")
                        : QStringLiteral("<TABLE BORDER=0 CELLPADDING=2 CELLSPACING=2>"))
           + crlf;
}

QString loppu()
{
    return QStringLiteral("</TABLE>") + crlf + QStringLiteral("</BODY>") + crlf
           + QStringLiteral("</HTML>") + crlf;
}

QString html(const QString &text)
{
    const QString br = QStringLiteral("<BR>");
    QStringList parts = text.split(br);
    for (QString &p : parts)
        p = escaped(p);
    return parts.join(br);
}

Grid valitutSarakkeet(const LedgerView &view, const ColumnChoice &choice)
{
    Grid grid(view.rowCount());
    for (int cell = 0; cell < ColumnChoice::Cells; ++cell) {
        if (!choice.selected(cell))
            continue;
        for (int c = 0; c < LedgerView::ColumnCount; ++c) {
            if (view.cell(c, 0) != choice.text(cell))
                continue;
            for (int r = 0; r < view.rowCount(); ++r)
                grid[r] << view.cell(c, r);
        }
    }
    return grid;
}

QString CreateHTML(const Grid &grid)
{
    const bool numbered = !grid.isEmpty() && !grid.first().isEmpty()
                          && grid.first().first() == QStringLiteral("Nro");
    QString page = alku(true);
    for (int r = 0; r < grid.size(); ++r) {
        page += QStringLiteral("<TR>") + crlf;
        const QStringList &row = grid.at(r);
        for (int c = 0; c < row.size(); ++c) {
            if (c == 0 && r > 0 && numbered) {
                page += QStringLiteral("<TD><P ALIGN=LEFT>") + QString::number(r)
                        + QStringLiteral(".</P></TD>") + crlf;
                continue;
            }
            const QString &text = row.at(c);
            const bool blank = text.isEmpty() || text == QStringLiteral(" ");
            page += cellTag(blank ? QStringLiteral("<BR>") : html(text));
        }
        page += QStringLiteral("</TR>") + crlf;
    }
    return page + loppu();
}

QString ostajienlaput(const LedgerView &view, const LedgerTable &sg)
{
    QString page = alku(false);
    int n = 0;
    for (int r = 1; r < view.rowCount(); ++r, ++n) {
        if (n % 3 == 0)
            page += QStringLiteral("<TR>") + crlf;
        const int master = view.link(r);
        page += labelTag(label(master >= 0 ? sg.cell(LedgerColumn::Osoite, master) : QString()), 22);
        if (n % 3 == 2)
            page += QStringLiteral("</TR>") + crlf;
    }
    return page + loppu();
}

QString lahettajanlaput(const QString &omaosoite)
{
    QString text;
    for (const QString &line : lines(omaosoite)) {
        if (!line.isEmpty())
            text += escaped(line) + QStringLiteral("<BR>");
    }
    const QString cell = labelTag(text, 10);
    QString page = alku(false);
    for (int row = 0; row < 15; ++row) {
        page += QStringLiteral("<TR>") + crlf;
        for (int col = 0; col < 7; ++col)
            page += cell;
        page += QStringLiteral("</TR>") + crlf;
    }
    return page + loppu();
}

}

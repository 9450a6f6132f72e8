#pragma once
// The ledger window in a shown, active window for the tests: controls found
// by objectName, mouse clicks on the widget under the pointer, answers from
// scripted prompts, and a small list of rows.
#include "core/endpoints.h"
#include "core/programclock.h"
#include "core/settings.h"
#include "ledger/ledgergrid.h"
#include "ledger/files/ledgerrecovery.h"
#include "ledger/model/ledgerviewmodel.h"
#include "ledger/tform8.h"
#include "scriptedprompts.h"
#include <QAction>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace LedgerRows {
inline QStringList row(const QString &item, const QString &title, const QString &closing,
                       const QString &price, const QString &party, const QString &paid = QString(),
                       const QString &sent = QString(), const QString &address = QString())
{
    return {QString(), item, title, closing, price, QString(), paid, sent, address, party};
}

// Closing-time order (the default sort, newest first) is the listed order.
inline QVector<QStringList> sampleRows()
{
    return {row("44444444", "Pöytä", "01.02.2022 08:00:00", "12.59", "Pekka/14", "", "x"),
            row("55555555", "Matto", "01.02.2022 08:00:00", "12.51", "pekka/14"),
            row("33333333", "Tuoli", "10.01.2022 09:00:00", "2.00", "Liisa/13", "x", " "),
            row("22222222", "Lamppu", "05.03.2021 10:00:00", "5.50", "mattim/12", "x"),
            row("11111111", "Kirja", "04.03.2021 12:34:56", "10.00", "Matti M/12", "", "",
                "matti meikäläinen\r\nmatti@x.fi\r\nkatu 1\r\n00100 helsinki\r\n0401234567\r\n"),
            row("66666666", "Vanha", "01.01.2021", "1.00", "x/1")};
}
}

class LedgerWindowTest {
protected:

    Settings m_settings;
    ScriptedPrompts m_prompts;
    qint64 m_tick = 0;
    std::unique_ptr<ProgramClock> m_clock;
    std::unique_ptr<TForm8> m_form;
    QStringList m_opened;

    template <typename T>
    T *w(const char *name) const
    {
        T *found = m_form->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QTableView *grid() const { return w<QTableView>("sg2"); }
    QAbstractItemModel *model() const { return grid()->model(); }

    void load(const QVector<QStringList> &rows)
    {
        LedgerTable &sg = m_form->masterList();
        sg.clearRows();
        sg.setRowCount(rows.size() + 1);
        for (int i = 0; i < rows.size(); ++i)
            sg.setRow(i + 1, rows.at(i));
        m_form->listLoaded();
    }
    QStringList shownItems() const
    {
        QStringList out;
        for (int r = 1; r < m_form->view().rowCount(); ++r)
            out << m_form->view().cell(1, r);
        return out;
    }
    int viewRow(const QString &item) const
    {
        for (int r = 1; r < m_form->view().rowCount(); ++r) {
            if (m_form->view().cell(1, r) == item)
                return r;
        }
        return -1;
    }
    QString masterCell(int column, const QString &item) const
    {
        const LedgerTable &sg = m_form->masterList();
        for (int r = 1; r < sg.rowCount(); ++r) {
            if (sg.cell(1, r) == item)
                return sg.cell(column, r);
        }
        return QStringLiteral("<missing>");
    }
    QPoint cellCentre(int gridRow, int column) const
    {
        return grid()->visualRect(model()->index(gridRow - 1, column)).center();
    }
    void click(int gridRow, int column, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(grid()->viewport(), button, mods, cellCentre(gridRow, column));
    }
    void select(const QString &item)
    {
        grid()->setFocus();
        click(viewRow(item), 1);
    }
    // A mouse click where a user would click: on the widget under the point.
    static void clickAt(QWidget *w, const QPoint &local, Qt::MouseButton button = Qt::LeftButton)
    {
        const QPoint global = w->mapToGlobal(local);
        QWidget *under = QApplication::widgetAt(global);
        QVERIFY2(under, "nothing under the pointer");
        QTest::mouseClick(under, button, {}, under->mapFromGlobal(global));
    }
    // "Tiedosto" > item, by mouse through the menu bar.
    void chooseFromFileMenu(const char *actionName)
    {
        QMenuBar *bar = m_form->menuBar();
        QMenu *file = w<QMenu>("Tiedosto1");
        clickAt(bar, bar->actionGeometry(file->menuAction()).center());
        QTRY_VERIFY(file->isVisible());
        clickAt(file, file->actionGeometry(w<QAction>(actionName)).center());
        QTRY_VERIFY(!file->isVisible());
    }
    // The colour drawn on the top edge of a row's cell.
    QColor topEdge(const QImage &image, const QString &item, int column) const
    {
        const QRect r = grid()->visualRect(model()->index(viewRow(item) - 1, column));
        return QColor(image.pixel(r.center().x(), r.top()));
    }

    void openWindow()
    {
        m_prompts = ScriptedPrompts();
        m_opened.clear();
        m_clock = std::make_unique<ProgramClock>([this] { return m_tick; },
                                                 QDateTime(QDate(2026, 3, 15), QTime(12, 0)));
        Endpoints endpoints;
        endpoints.set(QStringLiteral("web_base"), QStringLiteral("https://www.vasaro.test/"));
        m_form = std::make_unique<TForm8>(m_settings, m_prompts, *m_clock, endpoints);
        m_form->setUrlOpener([this](const QUrl &url) { m_opened << url.toString(); });
        m_form->show();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }
    void closeWindow()
    {
        m_form->setUnsaved(false);
        m_form.reset();
    }
};

#pragma once
// The ledger window as the list commands see it, for the list file and
// worksheet harnesses: open and merge through `luelista`, then the property
// checks both readers share.
#include "core/prompts.h"
#include "fuzzsupport.h"
#include "ledger/files/ledgerlistcommands.h"
#include <QFile>
#include <functional>

namespace Fuzz {

class LedgerWindow final : public LedgerListHost, public Prompts {
public:
    LedgerTable table;
    LedgerMode mode = LedgerMode::Sold;
    bool unsaved = false;
    int shown = 0;     // messages shown (errors and information)

    LedgerTable &masterList() override { return table; }
    LedgerMode listMode() const override { return mode; }
    void switchListMode(LedgerMode m) override
    {
        mode = m;
        table = LedgerTable(m);
    }
    void clearList() override { table.clearRows(); }
    void listLoaded() override {}
    void setUnsaved(bool u) override { unsaved = u; }
    bool isUnsaved() const override { return unsaved; }
    QVector<int> viewColumnWidths() const override { return QVector<int>(LedgerTable::ColumnCount, 80); }

    void information(const QString &) override { ++shown; }
    void message(const QString &) override { ++shown; }
    void error(const QString &) override { ++shown; }
    Answer confirm(const QString &, bool) override { return Answer::No; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return {}; }
    QString openFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString directory(const QString &, const QString &) override { return {}; }
};

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size());
}

// A window holding a small list of its own.
inline void fillSample(LedgerWindow &w)
{
    w.table.appendRow({QString(), QStringLiteral("12345678"), QStringLiteral("Kirja"), QString(),
                       QStringLiteral("5.00"), QString(), QString(), QString(), QString(),
                       QStringLiteral("matti/1")});
}

// `write` saves a window's list in the format under test.
using Writer = std::function<bool(const LedgerTable &, const QString &)>;

inline void checkLedgerReader(const QByteArray &bytes, bool excel, const Writer &write)
{
    const QString path = scratch() + (excel ? QStringLiteral("in.xls") : QStringLiteral("in.vss"));
    writeBytes(path, bytes);

    // Open: a file that cannot be read says so and leaves the list alone.
    LedgerWindow opened;
    fillSample(opened);
    const LedgerTable before = opened.table;
    LedgerListCommands open(opened, opened, scratch());
    const bool read = open.luelista(false, excel, path);
    if (!read) {
        FUZZ_CHECK(opened.shown == 1);
        FUZZ_CHECK(opened.table == before && opened.mode == LedgerMode::Sold);
        return;
    }
    FUZZ_CHECK(opened.shown == 0);
    FUZZ_CHECK(opened.table.row(0) == LedgerTable::headers(opened.mode));

    // Merging the list just opened adds nothing.
    const LedgerTable openedTable = opened.table;
    const bool merged = open.luelista(true, excel, path);
    FUZZ_CHECK(opened.table == openedTable);
    FUZZ_CHECK(merged || opened.shown == 1);

    // Write and read back: the same list in the same mode. A list of tens of
    // thousands of rows (a worksheet may name row 65535) is written and read
    // correctly but slowly under the sanitizers; a few thousand show the same.
    if (opened.table.rowCount() > 4000)
        return;
    const QString back = scratch() + (excel ? QStringLiteral("back.xls") : QStringLiteral("back.vss"));
    if (!write(opened.table, back))
        return;
    LedgerWindow again;
    LedgerListCommands reopen(again, again, scratch());
    FUZZ_CHECK(reopen.luelista(false, excel, back));
    FUZZ_CHECK(again.table == opened.table);
    FUZZ_CHECK(again.mode == opened.mode || (opened.mode == LedgerMode::None && again.mode == LedgerMode::Sold));
}

} // namespace Fuzz

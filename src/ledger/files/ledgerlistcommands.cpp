#include "ledger/files/ledgerlistcommands.h"
#include "core/prompts.h"
#include "ledger/files/ledgerfiles.h"
#include "ledger/model/ledgersheet.h"
#include "ledger/files/ledgerxls.h"
#include "ledger/files/ledgerxlsx.h"
#include <QFileInfo>

namespace {
enum class Format { List, Excel, Workbook, Unknown };

Format formatOf(const QString &path)
{
    if (path.right(5).toLower() == QLatin1String(".xlsx"))
        return Format::Workbook;
    const QString ext = path.right(4).toLower();
    if (ext == QLatin1String(".xls"))
        return Format::Excel;
    if (ext == QLatin1String(".vss") || ext == QLatin1String(".vso"))
        return Format::List;
    return Format::Unknown;
}

QString withFolderSlash(QString folder)
{
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder.append(QLatin1Char('/'));
    return folder;
}
}

LedgerListCommands::LedgerListCommands(LedgerListHost &host, Prompts &prompts,
                                       const QString &programFolder)
    : m_host(host), m_prompts(prompts), m_folder(withFolderSlash(programFolder))
{
}

QString LedgerListCommands::openFilter()
{
    return QStringLiteral("Myydyt kohteet (*.vss);;Ostetut kohteet (*.vso);;") + excelFilter()
           + QStringLiteral(";;") + workbookFilter();
}

QString LedgerListCommands::workbookFilter()
{
    return QStringLiteral("Excel-työkirja (*.xlsx)");
}

QString LedgerListCommands::excelFilter()
{
    return QStringLiteral("Excel 2.1 Worksheet (*.xls)");
}

QString LedgerListCommands::saveFilter(LedgerMode mode)
{
    return (mode == LedgerMode::Bought ? QStringLiteral("Ostetut kohteet (*.vso);;")
                                       : QStringLiteral("Myydyt kohteet (*.vss);;"))
           + excelFilter() + QStringLiteral(";;") + workbookFilter();
}

void LedgerListCommands::setRememberedPath(const QString &path)
{
    const QFileInfo info(path);
    m_folder = withFolderSlash(info.absolutePath());
    m_fileName = info.fileName();
}

QString LedgerListCommands::dialogStart() const
{
    return m_folder + m_fileName;
}

bool LedgerListCommands::avaaLista(bool add)
{
    const QString path = m_prompts.openFileName(
        add ? QStringLiteral("Lisää listaan") : QStringLiteral("Avaa lista"), dialogStart(),
        openFilter());
    if (path.isEmpty())
        return false;
    if (!QFileInfo::exists(path)) {
        m_prompts.information(QStringLiteral("Tiedostoa ei löytynyt!"));
        return false;
    }
    const Format format = formatOf(path);
    if (format == Format::Unknown) {
        m_prompts.error(QStringLiteral("Tiedostoa ei luettu: listaksi kelpaavat vain "
                                       ".vss-, .vso-, .xls- ja .xlsx-tiedostot."));
        return false;
    }
    if (!luelista(add, format == Format::Excel || format == Format::Workbook, path))
        return false;
    setRememberedPath(path);
    m_host.listLoaded();
    m_host.setUnsaved(false);
    return true;
}

bool LedgerListCommands::luelista(bool merge, bool excel, const QString &path)
{
    // Read into a sheet of its own first: a file that cannot be read leaves
    // the shown list as it was.
    const LedgerReadResult read = !excel                                 ? LedgerFiles::lueListatiedosto(path)
                                  : formatOf(path) == Format::Workbook ? LedgerXlsx::lueXlsx(path)
                                                                       : LedgerXls::lueXls(path);
    if (read.status == LedgerReadResult::Status::Failed) {
        m_prompts.error(read.error);
        return false;
    }
    if (read.status == LedgerReadResult::Status::Nothing) {
        if (!merge)
            m_host.clearList();
        return true;
    }
    const LedgerMode mode = read.sheet.recogniseMode();
    const bool differs = mode == LedgerMode::None || mode != m_host.listMode();
    if (merge && differs) {
        m_prompts.information(QStringLiteral("Lisättävä lista on väärää tyyppiä (myydyt / ostetut)"));
        return false;
    }
    if (!merge)
        m_host.clearList();
    if (differs)
        m_host.switchListMode(mode);
    LedgerTable &master = m_host.masterList();
    const LedgerTable rows = read.sheet.matchColumns(master.row(0));
    if (merge)
        Ledger::mergeRows(master, rows);
    else
        Ledger::replaceRows(master, rows);
    return true;
}

bool LedgerListCommands::writeList(int format, const QString &path, QString *error)
{
    const LedgerTable &list = m_host.masterList();
    switch (Format(format)) {
    case Format::Excel:
        return LedgerXls::kirjoitaxls(list, m_host.viewColumnWidths(), path, error);
    case Format::Workbook:
        return LedgerXlsx::kirjoitaxlsx(list, m_host.viewColumnWidths(), path, error);
    default:
        return LedgerFiles::kirjoitalista(list, path, error);
    }
}

bool LedgerListCommands::tallennaLista()
{
    const LedgerMode mode = m_host.listMode();
    const Prompts::SaveChoice choice = m_prompts.saveFile(QStringLiteral("Tallenna lista"),
                                                          dialogStart(), saveFilter(mode));
    QString path = choice.path;
    if (path.isEmpty())
        return false;
    const bool excelChosen = choice.filter == excelFilter();
    const bool workbookChosen = choice.filter == workbookFilter();
    // A name typed without an extension gets that of the selected entry.
    if (QFileInfo(path).suffix().isEmpty())
        path += excelChosen ? QStringLiteral(".xls")
                : workbookChosen ? QStringLiteral(".xlsx")
                : mode == LedgerMode::Bought ? QStringLiteral(".vso")
                                             : QStringLiteral(".vss");
    if (QFileInfo::exists(path)
        && m_prompts.confirm(QStringLiteral("Tiedosto on jo olemassa!\r\rKorvataanko %1").arg(path),
                             true) != Prompts::Answer::Yes)
        return false;
    Format format = formatOf(path);
    if (format == Format::Unknown)
        format = excelChosen ? Format::Excel : workbookChosen ? Format::Workbook : Format::List;
    QString error;
    const bool written = writeList(int(format), path, &error);
    if (!written) {
        m_prompts.error(error);
        return false;
    }
    m_host.setUnsaved(false);
    setRememberedPath(path);
    return true;
}

#pragma once
// The list-file commands of the ledger window: "Avaa lista" (XiButton2Click,
// Avaalista1Click), "Lisää listaan" (menu `lisaa`) and "Tallenna lista"
// (tallennalistaClick, allennalista1Click), with `luelista`, the remembered
// file and every dialog, question and message they show (through Prompts).
//
// The window owns the master list, the list mode, the view and the unsaved
// mark; it implements LedgerListHost and only calls avaaLista/tallennaLista.
#include "ledger/model/ledgertable.h"
#include <QString>
#include <QVector>

class Prompts;

// What the commands need of the ledger window.
class LedgerListHost {
public:
    virtual ~LedgerListHost() = default;
    virtual LedgerTable &masterList() = 0;             // `sg`
    virtual LedgerMode listMode() const = 0;           // item of `hakutapa`
    // Select the mode in `hakutapa` (None: no item selected, sold captions)
    // and run hakutapaChange, which clears the list and sets the headers.
    virtual void switchListMode(LedgerMode mode) = 0;
    // The clear of "Tyhjennä lista": both grids emptied from row 1 on, the
    // unsaved mark cleared. Called when opening, once the file was read.
    virtual void clearList() = 0;
    // After a list was opened or added: asetaaikavali, suodatanakyma,
    // huutajaChange, select view row 2 (when there is one) and then row 1,
    // show choice 0, upda, focus the view.
    virtual void listLoaded() = 0;
    // The unsaved mark.
    virtual void setUnsaved(bool unsaved) = 0;
    virtual bool isUnsaved() const = 0;
    // The view's column widths in pixels, columns 0..9 (hidden: 0).
    virtual QVector<int> viewColumnWidths() const = 0;
};

class LedgerListCommands final {
public:
    // programFolder: where the dialogs start before any file was used.
    LedgerListCommands(LedgerListHost &host, Prompts &prompts, const QString &programFolder);

    // "Avaa lista" (add = false) and "Lisää listaan" (add = true).
    // Returns true when a list was read.
    bool avaaLista(bool add);
    // "Tallenna lista". Returns true when the file was written.
    bool tallennaLista();

    // Reads a list file (excel = false) or worksheet (excel = true; a path
    // ending in ".xlsx" is read as an Excel workbook) into the
    // master list, replacing it (after clearList) or merging into it, and
    // switches the list mode to that of the file. A file that cannot be read
    // shows a Finnish error and leaves the list as it was; adding a list of
    // the other mode shows "Lisättävä lista on väärää tyyppiä (myydyt /
    // ostetut)". Returns false in both cases.
    bool luelista(bool merge, bool excel, const QString &path);

    // The remembered file: path of the list last opened or saved.
    QString rememberedPath() const { return m_folder + m_fileName; }
    void setRememberedPath(const QString &path);
    // "Tyhjennä": the name is forgotten, the folder kept.
    void forgetFileName() { m_fileName.clear(); }

    // Dialog filters (Qt syntax).
    static QString openFilter();
    static QString saveFilter(LedgerMode mode);
    // The worksheet's entry of both filters.
    static QString excelFilter();
    // The workbook's entry (".xlsx"), after the worksheet's.
    static QString workbookFilter();

private:
    QString dialogStart() const;
    bool writeList(int format, const QString &path, QString *error);

    LedgerListHost &m_host;
    Prompts &m_prompts;
    QString m_folder;    // with a trailing "/"
    QString m_fileName;
};

#pragma once
// The ledger window "Myydyt / ostetut kohteet": the master list `sg`, its
// view `sg2`, the show choice and date range, sorting, paid and sent marks,
// notes, deleting and copying rows, and the list-file commands.
//
// The window lives for the whole run; closing only hides it, so the list
// survives closing and reopening.
#include "core/endpoints.h"
#include "ledger/fetch/ledgerfetch.h"
#include "ledger/files/ledgerlistcommands.h"
#include "ledger/model/ledgertable.h"
#include "ledger/model/ledgerview.h"
#include <QElapsedTimer>
#include <QMainWindow>
#include <functional>
#include <memory>

class ApiSession;
class HttpApi;
class LedgerControls;
class LedgerMessages;
class LedgerPrinting;
class LedgerViewModel;
class ProgramClock;
class ProgressFrame;
class Prompts;
class QComboBox;
class QDate;
class StopFlag;
struct Settings;

class TForm8 final : public QMainWindow, public LedgerListHost, public LedgerFetchHost {
    Q_OBJECT
public:
    TForm8(Settings &settings, Prompts &prompts, ProgramClock &clock, Endpoints endpoints,
           QWidget *parent = nullptr);
    ~TForm8() override;

    // Main menu "Myydyt/ostetut kohteet": only for a signed-in user; shows
    // the window or brings it to the front, then offers a list left in the
    // recovery file.
    void openIfSignedIn(const QString &signedInUser, Prompts &prompts);

    // The file an unsaved list goes to when the program is ended without a
    // chance to ask (empty: none).
    void setRecoveryFile(const QString &path) { m_recoveryFile = path; }
    // The close question "Listaa ei ole tallennettu!" when the list is
    // unsaved. False: the user chose Cancel (or a save was not carried out)
    // and the window stays.
    bool FormCloseQuery();
    // The program is quitting: an unsaved list brings this window up and
    // asks its close question. False: keep the program running.
    bool quitQuery();
    // The program is ending and cannot ask: an unsaved list is written to the
    // recovery file. False when an unsaved list could not be kept.
    bool kirjoitaPalautus();

    // Finds the user id of a user name (UTF-8, URL-encoded) for the user
    // page of a double-clicked counterparty. Without one, or when it finds
    // nothing, the id stored after the "/" of the counterparty cell is used.
    void setUserIdLookup(std::function<QString(const QString &encodedName)> lookup);
    // Hands an address to the desktop's default browser (tests replace it).
    void setUrlOpener(std::function<void(const QUrl &)> opener);
    // The fetch from the marketplace's API (tform8_fetch.cpp); until it is
    // attached the fetch button stays disabled. Closing the window sets the
    // stop flag.
    void attachFetch(HttpApi &http, ApiSession &api, StopFlag &stop);
    LedgerFetch *fetch() const { return m_fetch.get(); }

    // LedgerListHost
    LedgerTable &masterList() override { return m_sg; }
    LedgerMode listMode() const override;
    void switchListMode(LedgerMode mode) override;
    void listLoaded() override;
    void setUnsaved(bool unsaved) override { m_unsaved = unsaved; }
    bool isUnsaved() const override { return m_unsaved; }
    QVector<int> viewColumnWidths() const override;

    // LedgerFetchHost
    void naytapaneeli(const QString &title, bool stopEnabled, int maximum) override;
    void setProgress(int position, int maximum) override;
    void piilotapaneeli() override;
    void rowAppended() override;
    void fetchCompleted() override;
    void fetchRunning(bool running) override;

    // Payment messages and printing, with their panels.
    LedgerMessages *messages() const { return m_messages; }
    LedgerPrinting *printing() const { return m_printing; }

    const LedgerView &view() const { return m_sg2; }
    // The selected grid row of the view (1 = first data row).
    int selectedRow() const;
    void selectRow(int gridRow);

    // Routines of the ledger, used by the fetch, messages and printing too.
    void suodatanakyma();
    void paivita2();
    void asetaaikavali();
    bool aikavalilla(const QString &closing) const;
    LedgerDateRange dateRange() const;
    void paivitavalinta();
    void upda();
    void huutajaChange();
    void hakutapaChange();
    void clearList() override;     // "Tyhjennä lista"

signals:
    // The window was closed: a fetch in progress stops, the main window is
    // enabled again.
    void formClosed();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setupView();
    void connectControls();
    void extendYearLists();
    void applyModeTexts(LedgerMode mode);
    void hakutapaChosen(int index);
    void sortByHeader(int column);
    void setComboText(QComboBox *combo, const QString &text);
    void rebuildView();
    // Puts the selection back on a row without running the selection handler.
    void restoreRow(int gridRow);
    // "Listaa ei ole tallennettu!": on closing, quitting and switching the mode.
    static QString closeQuestion();
    // Shown, raised and active, so that its questions belong to it.
    void bringUp();
    void offerRecovery();
    // Every save: the note being typed goes into the list first.
    bool saveList();
    void takeNotes();

    // Handlers of the window's controls.
    // "Pysäytä" of the progress panel: the bar back at 0, the stop flag set.
    void progressstopClick();
    void XiButton2Click(bool add);
    void tallennalistaClick();
    void XiButton5Click();
    void PoistariviClick();
    void Rivileikepoydalle1Click();
    void sg2SelectCell(int gridRow);
    void sg2MouseDown(int modelRow, int column, Qt::MouseButton button,
                      Qt::KeyboardModifiers modifiers, const QPoint &globalPos);
    void sg2DblClick();
    void MonthCalendar1Select(const QDate &date);
    void Memo4Enter();
    void Memo4Exit();
    void writeMark(int column, int gridRow, const QString &value, bool wholeCounterparty);
    // The fetch controls: the "Alkaen:" and "Määrä:" checks on leaving the
    // boxes, Enter in "Määrä:" and the fetch button.
    void connectFetchControls();
    void Edit1Exit();
    void Edit2Exit();
    void suoritahakuClick();

    Settings &m_settings;
    Prompts &m_prompts;
    ProgramClock &m_clock;
    Endpoints m_endpoints;
    std::unique_ptr<LedgerControls> m_ui;
    LedgerTable m_sg;
    LedgerView m_sg2;
    LedgerViewModel *m_model = nullptr;
    std::unique_ptr<LedgerListCommands> m_commands;
    std::function<QString(const QString &)> m_userIdLookup;
    std::function<void(const QUrl &)> m_openUrl;
    bool m_unsaved = false;
    QString m_recoveryFile;
    bool m_hintShown = false;
    bool m_quietSelection = false;
    // The mark cell waiting for a date from the calendar.
    int m_calendarRow = -1;
    int m_calendarColumn = -1;
    bool m_calendarShift = false;
    int m_previousMode = 0;
    LedgerMessages *m_messages = nullptr;
    LedgerPrinting *m_printing = nullptr;
    std::unique_ptr<LedgerFetch> m_fetch;
    ProgressFrame *m_progress = nullptr;   // progress
    StopFlag *m_stop = nullptr;            // the attached fetch's
    // The view follows the fetched rows at most 20 times a second; rows
    // appended meanwhile are shown at the next refresh or when the panel goes.
    QElapsedTimer m_fetchViewShown;
    bool m_fetchViewBehind = false;
    void showFetchedRows();
};

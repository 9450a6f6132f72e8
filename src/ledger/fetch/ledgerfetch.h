#pragma once
// The ledger fetch: the user's closed trades straight from the marketplace's
// REST API. The sales (sold mode) or purchases (bought mode) list is read in
// pages of 50, the trades already in the ledger are passed over, and every
// new trade is read from three answers (its trade, its item, the
// counterparty) into one row of the master list.
//
// It runs on the window's thread; every wait lets window events run, so the
// stop button and the rest of the program stay usable. The stop flag (the
// stop button, closing the window) ends it at the next check; the rows read
// so far stay. Answers that are missing, cut short, not JSON or hold values
// of the wrong kind are not turned into rows: one message at the end says
// which pages or trades could not be read.
#include "ledger/fetch/ledgerfetchrules.h"
#include "ledger/model/ledgertable.h"
#include <QJsonObject>
#include <QString>
#include <QStringList>

class ApiSession;
class HttpApi;
class Prompts;
class StopFlag;

// What the fetch needs of the ledger window.
class LedgerFetchHost {
public:
    virtual ~LedgerFetchHost() = default;
    virtual LedgerTable &masterList() = 0;
    virtual LedgerMode listMode() const = 0;
    virtual void setUnsaved(bool unsaved) = 0;
    // The progress panel: shown with a title, the stop button enabled or
    // not and the bar's maximum; the bar's position and maximum; hidden.
    virtual void naytapaneeli(const QString &title, bool stopEnabled, int maximum) = 0;
    virtual void setProgress(int position, int maximum) = 0;
    virtual void piilotapaneeli() = 0;
    // A row was appended to the master list: the view and the date range
    // follow it (suodatanakyma, asetaaikavali).
    virtual void rowAppended() = 0;
    // The fetch ran to its end: sort, focus the view, select the first row.
    virtual void fetchCompleted() = 0;
    // A fetch started (true) or ended (false).
    virtual void fetchRunning(bool running) = 0;
};

class LedgerFetch final {
public:
    LedgerFetch(HttpApi &http, ApiSession &api, StopFlag &stop, Prompts &prompts,
                LedgerFetchHost &host);

    // suoritahakuClick with the checked "Alkaen:" and "Määrä:" values. False
    // when refused because a fetch is already running.
    bool suoritahaku(int start, int count);
    bool running() const { return m_running; }
    // How many fetches have ended (refused ones not counted).
    int runs() const { return m_runs; }

    // The list pages that cover trades start .. start + count - 1, joined.
    // Paging ends at the first page that is not a sound list page.
    QString haesivuja(const QString &listTemplate, const QString &marker, int pageSize, int count,
                      int start);
    // Reads one trade and appends its row to the master list.
    void lueosoitetiedot(const QString &itemNumber);

    // The message of the last fetch's problems; empty when all went well.
    QString problemText() const;

private:
    struct Answer {
        QString text;       // unescaped, for the scanners
        QJsonObject object; // the same answer parsed
        bool sound = false; // a whole JSON document arrived
        bool noConnection = false;
    };
    Answer get(const QString &address, bool withToken);
    void run(int start, int count);
    // The walk over the list: the item numbers not yet in the ledger.
    QStringList toDoList(const QString &joined, int start, int count);
    bool readTrade(const QString &itemNumber, LedgerFetchRules::TradeFields *fields);
    void appendRow(const QStringList &cells);
    void notePage(int page, const QString &why);
    void noteItem(const QString &itemNumber, bool noConnection);

    HttpApi &m_http;
    ApiSession &m_api;
    StopFlag &m_stop;
    Prompts &m_prompts;
    LedgerFetchHost &m_host;
    bool m_running = false;
    LedgerMode m_mode = LedgerMode::Sold;
    // Problems of the running fetch.
    QString m_pageProblem;
    QStringList m_failedItems;
    bool m_itemConnectionLost = false;
    bool m_loginLost = false;   // the sign-in failed while trades were read
    int m_added = 0;
    int m_runs = 0;
};

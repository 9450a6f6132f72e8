#pragma once
// The seller filter: hides listings the user never wants to see again (and,
// optionally, listings without a picture) on result and category pages. It
// keeps one key per unwanted listing with a day stamp (listingkey.h,
// filterlist.h), renews the stamp whenever the listing is met again, and
// keeps the list in a filter file (filterfile.h).
//
// Files of this feature: listingkey.* (cards and keys), filterlist.* (the
// sorted list, clean-up, expiry), filterfile.* (the file), listingcards.*
// (cards of a document), sellerfilter.* and sellerfilter_files.cpp (this
// class), sellerwalk.* (all listings of one seller through a hidden browser),
// sellerfilterpanel.* (the progress and seller panels).
#include "browser/features/sellerfilterfeature.h"
#include "buyer/sellerfilter/filterlist.h"
#include <QString>

class CardPage;
class Document;
class FilterHost;
class PipelineTab;
class ProgramClock;
class Prompts;
struct Settings;

class SellerFilter final : public SellerFilterFeature {
public:
    SellerFilter(Settings &settings, ProgramClock &clock, Prompts &prompts, FilterHost &host);

    // Day stamp ":" + the program clock's day serial rounded to a whole day.
    // Set when the main window is first shown and again when the closing-time
    // panel sees the marketplace day change.
    void setDayStamp();
    QString paivaleima() const { return m_stamp; }

    // The hiding pass over the document of a listing page.
    void WBsuodata(PipelineTab &tab) override;
    // The same over a page of cards; returns the number of cards it hid.
    int WBsuodata(CardPage &page);

    // Adds the listing whose card (searched from the last) contains `text`.
    bool Lisaasuodattimeen(CardPage &page, const QString &text);
    // Link menu "Lisää suodattimeen": the listing of the link command's
    // address, then a pass.
    void Lissuodattimeen1Click(PipelineTab &activeTab, const QString &linkAddress);
    // Deferred command "suodatakohde": every listing linked from the
    // selection of the document, once per item number, then a pass.
    void suodatakohde(PipelineTab &activeTab);

    // Keys of every card of a seller's page; returns the number of cards.
    int wbmustalista(CardPage &page);

    void jarjestasuodatin();
    void paivitasuodatin();

    // Load and save. lataasuodatin says what went wrong through Prompts
    // and then leaves the list, the path and the unchanged flag as they were.
    bool lataasuodatin(const QString &path);
    void MenuItem36Click(const QString &dataFolder);    // "Lataa suodatin levyltä"
    void MenuItem37Click(const QString &dataFolder);    // "Tallenna suodatin levylle"
    void yhjennsuodatin1Click();                        // "Tyhjennä suodatin"
    // Shut-down: offers to save a changed filter (Kyllä, Ei, Peruuta);
    // false when the user cancels, and the program stays open.
    bool askSaveAtClose(const QString &dataFolder);
    // Told to end (nobody may answer): a changed filter goes to its file, or
    // when it has none, to the data folder's recovery file. False when it
    // could not be written.
    bool saveWithoutAsking(const QString &dataFolder);
    // At start: a filter kept in the recovery file is offered back.
    void offerRecovery(const QString &dataFolder);
    static QString recoveryPath(const QString &dataFolder);

    const FilterList &list() const { return m_list; }
    bool unchanged() const { return m_unchanged; }
    void markChanged() { m_unchanged = false; }
    QString filePath() const;

private:
    void addKey(const QString &key);
    int today() const;
    bool saveTo(const QString &path);

    Settings &m_settings;
    ProgramClock &m_clock;
    Prompts &m_prompts;
    FilterHost &m_host;
    FilterList m_list;
    QString m_stamp;
    bool m_unchanged = true;
};

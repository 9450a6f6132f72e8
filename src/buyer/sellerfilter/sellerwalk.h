#pragma once
// All open listings of chosen sellers into the seller filter: the seller's
// result pages are loaded one by one in the hidden browser `WB_suodatin` and
// the keys of their cards collected, with the progress panel
// `suodatinpaneeli` showing the name and page and "Pysäytä" stopping the walk
// before its next page or name.
#include <QString>
#include <QStringList>
#include <functional>

class Browser;
class FilterHost;
class Prompts;
class SellerFilter;

// The progress panel `suodatinpaneeli` (label `Label8`, bar `pb`).
class SellerWalkView {
public:
    virtual ~SellerWalkView() = default;
    virtual void showProgress() = 0;       // centred on the main window
    virtual void hideProgress() = 0;
    virtual void setLabel8(const QString &text) = 0;
    virtual void setProgress(int position, int maximum) = 0;
};

class SellerWalk final {
public:
    // The user id of a user name ("" when none is found).
    using UserIdLookup = std::function<QString(const QString &name)>;
    static constexpr int kPageLimitMs = 30000;

    SellerWalk(SellerFilter &filter, Browser &WB_suodatin, SellerWalkView &view, FilterHost &host,
               UserIdLookup lookup, QString webBase);

    // What one seller's walk did.
    enum class Outcome {
        Added,        // listings added (or the walk was stopped)
        NotFound,     // name too short, or no such user
        NoListings,   // the seller's first page had no listings
    };
    // Adds every open listing of one seller.
    Outcome suodatatunnus(const QString &name);
    // Ends a fetch: clean-up, the outcome's notice ("Lisätty suodattimeen!",
    // "Käyttäjää ei löytynyt!" or "Myyjällä ei ole kohteita."), blank hidden
    // browser.
    void naytajarjestasuodatin(Outcome outcome);
    static QString notice(Outcome outcome);

    // "Lisää myyjän kohteet suodattimeen": asks for one name.
    void MenuItem35Click(Prompts &prompts);   // "Lisää myyjän kohteet suodattimeen"
    // "Suodata myyjien kohteet" of the seller panel: every name of the list.
    // False (with "Lista on tyhjä!") when there are no names; the panel
    // stays open then.
    bool XiButton12Click(const QStringList &names, Prompts &prompts);
    // "Pysäytä".
    void XiButton11Click();
    bool stopRequested() const { return m_stop; }
    bool running() const { return m_running; }

    // The hidden browser's download progress.
    void WB_suodatinProgressChange(int progress, int maximum);

private:
    bool loadPage(const QString &userId, const QString &name, int page);

    SellerFilter &m_filter;
    Browser &m_browser;
    SellerWalkView &m_view;
    FilterHost &m_host;
    UserIdLookup m_lookup;
    QString m_webBase;
    bool m_stop = false;
    bool m_running = false;
};

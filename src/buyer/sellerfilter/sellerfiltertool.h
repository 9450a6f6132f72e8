#pragma once
// The seller filter as the main window owns it: the filter itself, the
// hidden browser `WB_suodatin` with the seller walk, the progress panel
// `suodatinpaneeli` and the seller panel `myyjapaneeli`, and the handlers of
// the menu items, the link menu item and the selection command. Created after
// the browser shell, so the shell (and its pipeline) goes first at shut-down.
// The hidden browser and its walk are made when a walk is first asked for.
#include "buyer/sellerfilter/sellerwalk.h"
#include <QObject>
#include <memory>

class BrowserProfile;
class FilterHost;
class PipelineTab;
class ProgressFrame;
class ProgramClock;
class Prompts;
class SellerFilter;
class SellerFilterPanel;
class SellerFilterProgress;
class VasaroPage;
class QWidget;
struct Settings;

class SellerFilterTool final : public QObject {
    Q_OBJECT
public:
    struct Parts {
        Settings *settings = nullptr;
        ProgramClock *clock = nullptr;
        Prompts *prompts = nullptr;
        FilterHost *host = nullptr;
        BrowserProfile *profile = nullptr;
        SellerWalk::UserIdLookup lookup;
        QString webBase;
        QString dataFolder;
    };
    // The panels are children of `window`.
    SellerFilterTool(const Parts &parts, QWidget *window);
    ~SellerFilterTool() override;

    SellerFilter &filter() { return *m_filter; }
    SellerWalk &walk();
    VasaroPage *WB_suodatin();
    ProgressFrame *suodatinpaneeli() const;
    SellerFilterPanel *myyjapaneeli() const { return m_sellers; }

    // Toiminnot menu.
    void MenuItem35Click();   // "Lisää myyjän kohteet suodattimeen"
    void MenuItem36Click();   // "Lataa suodatin levyltä"
    void MenuItem37Click();   // "Tallenna suodatin levylle"
    void yhjennsuodatin1Click();
    void Suodatavalitutmyyjt1Click();
    // "Suodata myyjien kohteet"; "Pysäytä".
    void XiButton12Click();
    void XiButton11Click();

private:
    Parts m_parts;
    std::unique_ptr<SellerFilter> m_filter;
    VasaroPage *m_hidden = nullptr;
    std::unique_ptr<SellerFilterProgress> m_progress;
    SellerFilterPanel *m_sellers;
    std::unique_ptr<SellerWalk> m_walk;
};

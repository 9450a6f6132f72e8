#pragma once
// Stand-ins for every feature the page pipeline and the tab manager call.
// Each handler runs the test's function when one is set and otherwise does
// nothing (and answers false or 0).
#include "browser/features/browserfeatures.h"
#include "browser/features/listingautomationfeature.h"
#include "browser/features/resultpagetoolsfeature.h"
#include "browser/features/searchformfeature.h"
#include "browser/features/sellerfilterfeature.h"
#include "browser/features/signinfeature.h"
#include "browser/features/tabcaptions.h"
#include "browser/features/updatecheckfeature.h"
#include "browser/features/watchlistfeature.h"
#include <functional>

class FeatureStubs final : public SellerFilterFeature,
                           public SearchFormFeature,
                           public ListingAutomationFeature,
                           public ResultPageToolsFeature,
                           public WatchListFeature,
                           public SignInFeature,
                           public UpdateCheckFeature,
                           public TabCaptions {
public:
    std::function<void(PipelineTab &)> onSuodata;
    std::function<void()> onHaku;
    std::function<bool(PipelineTab &, const QString &)> onApprove;
    std::function<void()> onVakiopohjat;
    std::function<void(PipelineTab &)> onSaika;
    bool automatic = false;
    bool openingEnabled = false;
    std::function<bool(PipelineTab &)> onOsastolista;
    std::function<void(PipelineTab &)> onKeskustelu;
    std::function<void(PipelineTab &)> onLinkit;
    bool preview = false;
    std::function<void()> onClosePreview;
    int nextItems = 0;
    std::function<void(const QString &)> onSelectNext;
    std::function<void()> onLataa;
    std::function<void(const QString &)> onKatso;
    std::function<bool(const QByteArray &)> onCapture;
    std::function<void()> onSignOut;
    bool signedIn = false;
    std::function<void()> onPaivita;
    std::function<void()> onCaptions;

    void WBsuodata(PipelineTab &tab) override { if (onSuodata) onSuodata(tab); }
    void HakuClick() override { if (onHaku) onHaku(); }
    bool approve_step(PipelineTab &tab, const QString &a) override { return onApprove && onApprove(tab, a); }
    void vakiopohjat() override { if (onVakiopohjat) onVakiopohjat(); }
    void saika(PipelineTab &tab) override { if (onSaika) onSaika(tab); }
    bool automaticOpening() const override { return automatic; }
    bool openingButtonEnabled() const override { return openingEnabled; }
    bool osastolistanmuokkaus(PipelineTab &tab) override { return onOsastolista && onOsastolista(tab); }
    void keskustelupalsta(PipelineTab &tab) override { if (onKeskustelu) onKeskustelu(tab); }
    void linkit(PipelineTab &tab) override { if (onLinkit) onLinkit(tab); }
    bool previewVisible() const override { return preview; }
    void closePreview() override { if (onClosePreview) onClosePreview(); }
    int nextItemCount() const override { return nextItems; }
    void selectNextItem(const QString &a) override { if (onSelectNext) onSelectNext(a); }
    void ladataanmuistilista() override { if (onLataa) onLataa(); }
    void katsotaanmuistilista(const QString &html) override { if (onKatso) onKatso(html); }
    bool captureSignIn(const QByteArray &body) override { return onCapture && onCapture(body); }
    void signOut() override { if (onSignOut) onSignOut(); }
    bool capturedSignIn() const override { return signedIn; }
    void Paivita1Click() override { if (onPaivita) onPaivita(); }
    void updateCaptions() override { if (onCaptions) onCaptions(); }

    PipelineFeatures pipelineFeatures()
    {
        PipelineFeatures f;
        f.captions = this;
        f.searchForm = this;
        f.signIn = this;
        f.sellerFilter = this;
        f.resultPageTools = this;
        f.listingAutomation = this;
        f.watchList = this;
        f.updateCheck = this;
        return f;
    }
    TabFeatures tabFeatures()
    {
        TabFeatures f;
        f.resultPageTools = this;
        f.signIn = this;
        f.listingAutomation = this;
        return f;
    }
};

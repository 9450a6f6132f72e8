#pragma once
// Shared pieces of the browser-core web tests: a tab as the pipeline sees it,
// over a real VasaroPage shown in an offscreen view, and page loading helpers.
#include "browser/engine/browserprofile.h"
#include "browser/engine/document.h"
#include "browser/pipeline/pipelinetab.h"
#include "browser/engine/vasaropage.h"
#include "core/prompts.h"
#include <QSignalSpy>
#include <QWebEngineView>

class TestTab final : public PipelineTab {
public:
    TestTab(BrowserProfile *profile, Prompts *prompts, int index = 0)
        : page(new VasaroPage(profile, prompts)), m_index(index)
    {
        view.setPage(page);
        view.resize(1024, 700);
        view.show();
    }
    ~TestTab() override
    {
        view.setPage(nullptr);
        delete page;
    }

    // Navigates and waits for the top-level DocumentComplete.
    bool load(const QString &url, int limitMs = 15000)
    {
        QSignalSpy done(page, &VasaroPage::documentComplete);
        page->Navigate(QUrl(url));
        return done.wait(limitMs);
    }

    TabState &tabState() override { return state; }
    Document &document() override { return page->document(); }
    QString locationUrl() const override { return page->LocationURL(); }
    bool isActiveTab() const override { return active; }
    int pageIndex() const override { return m_index; }
    void focusBrowser() override { ++focused; }

    QWebEngineView view;
    VasaroPage *page;
    TabState state;
    bool active = true;
    int focused = 0;

private:
    int m_index;
};

// Registers the replacement page's scheme before QApplication exists.
inline const bool kSchemesRegistered = (BrowserProfile::registerSchemes(), true);

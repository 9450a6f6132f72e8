#pragma once
// One tab's browser as the page pipeline and the page features see it. The
// tab object (TVasaroselain) implements it; tests use a small fixture.
#include "browser/tabs/tabstate.h"
#include <QString>

class Document;

class PipelineTab {
public:
    virtual ~PipelineTab() = default;

    virtual TabState &tabState() = 0;
    // The tab's current document; never null (a document without a page
    // answers isHtml() false and empty values).
    virtual Document &document() = 0;
    // LocationURL: the address of the page the tab shows now.
    virtual QString locationUrl() const = 0;
    virtual bool isActiveTab() const = 0;
    virtual int pageIndex() const = 0;     // 0 = the first tab
    virtual void focusBrowser() = 0;
};

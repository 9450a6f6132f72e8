#pragma once
// Listing templates and listing automation on the marketplace's listing
// forms: the approval steps of a tab, the template list and the closing
// time written into a new-listing form.
#include <QString>

class PipelineTab;

class ListingAutomationFeature {
public:
    virtual ~ListingAutomationFeature() = default;

    // Approval step for a completed marketplace page (address lower-cased);
    // true when the page is finished with and the pipeline stops.
    virtual bool approve_step(PipelineTab &tab, const QString &address) = 0;
    // Refreshes the template list.
    virtual void vakiopohjat() = 0;
    // Writes the chosen closing time into the new-listing form of the tab.
    virtual void saika(PipelineTab &tab) = 0;
    // `CheckBox1` ("Automaattinen"): the closing time is applied on its own.
    virtual bool automaticOpening() const = 0;
    // `XiButton3`: the chosen closing moment is within reach.
    virtual bool openingButtonEnabled() const = 0;
};

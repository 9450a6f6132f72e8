#pragma once
// The listing-form steps of the page pipeline and the tab change that are
// built so far: the template list of the new-listing form. The approval
// steps and the closing time written into the form belong to the listing
// automation, which is not built yet: they do nothing here.
#include "browser/features/listingautomationfeature.h"

class ListingTemplates;

class ListingFormFeature final : public ListingAutomationFeature {
public:
    explicit ListingFormFeature(ListingTemplates *templates) : m_templates(templates) {}

    // Not built yet: no approval is under way, so the pipeline goes on.
    bool approve_step(PipelineTab &, const QString &) override { return false; }
    void vakiopohjat() override;
    // Not built yet: the form keeps its own closing time.
    void saika(PipelineTab &) override {}
    bool automaticOpening() const override { return false; }
    bool openingButtonEnabled() const override { return false; }

private:
    ListingTemplates *m_templates;
};

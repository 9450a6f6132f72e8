#pragma once
// The listing-form steps of the page pipeline and the tab change: the
// approval sequence of a tab, the template list of the new-listing form and
// the closing time written into it.
#include "browser/features/listingautomationfeature.h"
#include "seller/templates/closingtimerules.h"

class ApproveStep;
class Document;
class ListingTemplates;
class ProgramClock;

// The closing-time panel as the listing-form steps see it.
class ClosingTimeControls {
public:
    virtual ~ClosingTimeControls() = default;
    virtual bool automaticOpening() const = 0;       // `CheckBox1`
    virtual bool openingButtonEnabled() const = 0;   // `XiButton3`
    virtual ClosingChoice closingChoice() const = 0;
};

class ListingFormFeature final : public ListingAutomationFeature {
public:
    explicit ListingFormFeature(ListingTemplates *templates) : m_templates(templates) {}

    // The approval sequence and the closing-time panel; without them no
    // approval runs and the form keeps its own closing time.
    void setApproval(ApproveStep *approval) { m_approval = approval; }
    void setClosingTime(const ClosingTimeControls *controls, ProgramClock *clock);

    bool approve_step(PipelineTab &tab, const QString &address) override;
    void vakiopohjat() override;
    void saika(PipelineTab &tab) override;
    bool automaticOpening() const override;
    bool openingButtonEnabled() const override;

    // Writes the start (now) and the chosen end into the new-listing form of
    // an HTML document; errors are ignored.
    void saika(Document &document);

private:
    ListingTemplates *m_templates;
    ApproveStep *m_approval = nullptr;
    const ClosingTimeControls *m_controls = nullptr;
    ProgramClock *m_clock = nullptr;
};

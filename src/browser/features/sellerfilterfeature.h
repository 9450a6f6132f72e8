#pragma once
// Seller filter: hides the listings of filtered sellers on a listing page.
// The pipeline runs it once per page: early while the page still loads (when
// its advertisement frames start) or else when the document completes.
class PipelineTab;

class SellerFilterFeature {
public:
    virtual ~SellerFilterFeature() = default;

    // Filters the tab's current document.
    virtual void WBsuodata(PipelineTab &tab) = 0;
};

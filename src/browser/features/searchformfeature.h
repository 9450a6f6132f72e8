#pragma once
// The program's own search form, opened instead of the marketplace's
// advanced search.
class SearchFormFeature {
public:
    virtual ~SearchFormFeature() = default;

    // Opens the search form. Called right after the engine's navigation
    // callback has returned (the navigation itself is already refused).
    virtual void HakuClick() = 0;
};

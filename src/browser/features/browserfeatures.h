#pragma once
// The features the page pipeline and the tab manager call, each behind a
// small interface named after what it does. A feature module plugs in by
// setting its step in FeatureRegistry::pipelineSteps(); the main window hands
// them to the shell. A null pointer means the feature is not part of this
// build and its steps are skipped.
//
//   sellerfilterfeature.h      seller filter on listing pages
//   searchformfeature.h        the program's own search form
//   listingautomationfeature.h listing templates, closing time, approval steps
//   resultpagetoolsfeature.h   result-page tools, forum colours, preview panel
//   watchlistfeature.h         watch-list check
//   signinfeature.h            sign-in captured from the login form
//   updatecheckfeature.h       update check
//   tabcaptions.h              tab captions after a completed page

class ListingAutomationFeature;
class ResultPageToolsFeature;
class SearchFormFeature;
class SellerFilterFeature;
class SignInFeature;
class TabCaptions;
class UpdateCheckFeature;
class WatchListFeature;

// What the page pipeline calls, in the order of its steps.
struct PipelineFeatures {
    TabCaptions *captions = nullptr;
    SearchFormFeature *searchForm = nullptr;
    SignInFeature *signIn = nullptr;
    SellerFilterFeature *sellerFilter = nullptr;
    ResultPageToolsFeature *resultPageTools = nullptr;
    ListingAutomationFeature *listingAutomation = nullptr;
    WatchListFeature *watchList = nullptr;
    UpdateCheckFeature *updateCheck = nullptr;
};

// What the tab change calls.
struct TabFeatures {
    ResultPageToolsFeature *resultPageTools = nullptr;
    SignInFeature *signIn = nullptr;
    ListingAutomationFeature *listingAutomation = nullptr;
};

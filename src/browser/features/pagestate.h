#pragma once
// The active page as the shell tells it to the feature modules, and the one
// rule that says which of the modules' page-bound controls it shows. A module
// listens through FeatureRegistry::addPageListener and shows or hides its own
// controls; nothing addresses a control by name.
#include <QString>
#include <optional>

struct PageState {
    enum class Moment {
        Leaving,     // the active tab starts a top-level navigation
        Completed,   // a tab's page completed (activeTab says whether it is the shown one)
        TabChanged   // another tab became the shown one
    };
    // The page's kind from UrlScheme; Outside: not the marketplace.
    enum class Kind { Outside, NewListingForm, ItemPage, ListingPage, OtherMarketplace };

    Moment moment = Moment::Completed;
    Kind kind = Kind::OtherMarketplace;
    QString address;
    bool activeTab = true;
    bool signedIn = false;   // a sign-in was captured from the login form
    int nextItems = 0;       // listings in the next-listing list

    // The marketplace kind of an address (never Outside).
    static Kind kindOf(const QString &address);
};

namespace PageControls {

// The controls whose visibility follows the page.
enum class Control {
    ClosingTime,    // `aukiolopaneeli`
    Templates,      // `ppohjat`
    MailReminder,   // `postia`
    Favourite,      // `XiButton14`
    NextListing     // `seur`
};

// Shown (true), hidden (false) or left as it is (no value).
std::optional<bool> visible(Control control, const PageState &state);
// The favourite button's caption ("Lisää suosikkimyyjiin", ...); empty when
// the page has no favourite to add.
QString favouriteCaption(const PageState &state);

}

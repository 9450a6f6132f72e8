#include "browser/features/pagestate.h"
#include "browser/tabs/tabrules.h"
#include "client/urlscheme.h"

PageState::Kind PageState::kindOf(const QString &address)
{
    if (UrlScheme::isNewListingFormShown(address))
        return Kind::NewListingForm;
    if (UrlScheme::isItemPage(address))
        return Kind::ItemPage;
    if (UrlScheme::isListingPage(address))
        return Kind::ListingPage;
    return Kind::OtherMarketplace;
}

namespace PageControls {

namespace {
using Moment = PageState::Moment;
using Kind = PageState::Kind;

// A control that a completed marketplace page only ever shows.
std::optional<bool> shownBy(bool condition, const PageState &state)
{
    if (state.moment == Moment::TabChanged)
        return condition;
    if (state.kind == Kind::Outside)
        return false;
    return condition ? std::optional<bool>(true) : std::nullopt;
}
}

QString favouriteCaption(const PageState &state)
{
    // A background tab's page leaves the button alone; a page outside the
    // marketplace has nothing to add.
    if (state.moment == Moment::Completed && (!state.activeTab || state.kind == Kind::Outside))
        return {};
    return TabRules::favouriteButtonCaption(state.address);
}

std::optional<bool> visible(Control control, const PageState &state)
{
    // The next-listing button follows every completed page; a page outside
    // the marketplace hides it only when it is the shown one.
    if (control == Control::NextListing) {
        if (state.moment != Moment::Completed)
            return std::nullopt;
        if (state.kind == Kind::Outside)
            return state.activeTab ? std::optional<bool>(false) : std::nullopt;
        return state.nextItems >= 1;
    }
    // A background tab leaves the rest alone; a page being left hides them.
    if (state.moment == Moment::Completed && !state.activeTab)
        return std::nullopt;
    if (state.moment == Moment::Leaving)
        return false;
    switch (control) {
    case Control::ClosingTime:
    case Control::Templates:
        return shownBy(state.kind == Kind::NewListingForm, state);
    case Control::MailReminder:
        return shownBy(state.kind == Kind::ItemPage && state.signedIn, state);
    case Control::Favourite:
        return !favouriteCaption(state).isEmpty();
    case Control::NextListing:
        break;
    }
    return std::nullopt;
}

}

#pragma once
// Per-tab state kept by the tab object for the whole run (tabs are hidden and
// reused, never destroyed). The page pipeline reads and writes the early
// flags; the approval state belongs to the listing automation.
#include <QString>

struct TabState {
    bool filteredEarly = false;        // the seller filter already ran on the loading page
    bool processedEarly = false;       // early processing of the loading marketplace page is done
    bool categoryEditedEarly = false;  // the category-page picture tweak already ran
    int zoom = 100;                    // last zoom set for the tab, percent
    QString approval;                  // "", "Hyvaksy" or "Hyvaksytty"
};

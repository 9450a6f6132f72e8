#pragma once
// The main window on the fake marketplace as the web tests start it: shown,
// active, its first tab on the marketplace's home page and done loading.
// Start the FakeMarketplace first (it points the program at itself).
#include "app/tform1.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "browser/tabs/tabmanager.h"
#include "core/endpoints.h"
#include "core/waitfor.h"
#include <QApplication>
#include <QSize>
#include <QTest>
#include <memory>

namespace MarketWindow {

// Generous: only a busy machine makes the first page slow.
constexpr int kStartMs = 30000;

// Shows the window and waits until it is active with the home page loaded.
inline bool showOnHomePage(TForm1 &window)
{
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    TForm1 *w = &window;
    const auto onHomePage = [w] {
        TVasaroselain *view = w->tabs().activeBrowser();
        return view && view->title() == QLatin1String("Vasaro - etusivu") && !view->vasaroPage()->Busy();
    };
    return QTest::qWaitForWindowActive(w, kStartMs) && waitFor(onHomePage, kStartMs);
}

// A new window on the home page, or null when it did not come up in time.
inline std::unique_ptr<TForm1> open(Prompts *prompts, QSize size = QSize())
{
    auto window = std::make_unique<TForm1>(Endpoints::fromEnvironment(), prompts);
    if (size.isValid())
        window->resize(size);
    return showOnHomePage(*window) ? std::move(window) : nullptr;
}

} // namespace MarketWindow

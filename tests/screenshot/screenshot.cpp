// The README and AppStream screenshot (scripts/screenshot.sh runs it under an
// X server of its own): the main window on a result page of the fake
// marketplace with the picture preview opened by a mouse click, the way a
// user sees it, saved as a PNG. The Wayland test runs it in a headless Weston.
// Usage: vs_screenshot OUT.png
#include "app/rootsandbox.h"
#include "app/tform1.h"
#include "browser/engine/browserprofile.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "browser/tabs/tabmanager.h"
#include "buyer/resultpage/previewpanel.h"
#include "core/waitfor.h"
#include "fakemarketplace.h"
#include "scriptedprompts.h"
#include "../web/webinput.h"
#include <QApplication>
#include <QScreen>
#include <cstdio>
#include <unistd.h>

namespace {
const QString kResults = QStringLiteral("http://www.vasaro.test/haku/kuvahaku?kortit=12");

bool fail(const char *what)
{
    std::fprintf(stderr, "vs_screenshot: %s\n", what);
    return false;
}

// Centre of a page element in the view's coordinates.
QPoint centreOf(TVasaroselain *view, const QString &id)
{
    const QVariantList r = WebTest::evaluate(view->page(),
                                             QStringLiteral("(function(){var e=document.getElementById('%1');"
                                                            "if(!e)return [];var r=e.getBoundingClientRect();"
                                                            "return [r.left+r.width/2,r.top+r.height/2];})()")
                                                 .arg(id))
                               .toList();
    return r.size() == 2 ? QPoint(int(r.at(0).toDouble()), int(r.at(1).toDouble())) : QPoint(-1, -1);
}

bool shoot(TForm1 &w, const QString &out)
{
    auto active = [&w] { return w.tabs().activeBrowser(); };
    if (!waitFor([&] { return active() && !active()->vasaroPage()->Busy() && !active()->title().isEmpty(); }, 30000))
        return fail("the home page did not load");
    w.aktiivisivu_navigate(kResults);
    if (!waitFor([&] { return active()->title() == QLatin1String("Kuvahaku") && !active()->vasaroPage()->Busy(); },
                 20000))
        return fail("the result page did not load");
    const QPoint at = centreOf(active(), QStringLiteral("kuva1"));
    if (at.x() < 0 || !WebTest::clickAt(active(), at))
        return fail("no picture to click");
    auto *preview = w.findChild<PreviewPanel *>(QStringLiteral("esikatselu"));
    if (!preview || !waitFor([&] { return preview->isVisible() && !preview->WB_preview()->Busy(); }, 15000))
        return fail("the preview did not open");
    waitMs(1500);   // the pictures and the preview's labels are drawn
    QPixmap shot = w.screen()->grabWindow(w.winId());
    if (shot.isNull())
        shot = w.grab();
    return shot.save(out, "PNG", 9) || fail("cannot write the picture");
}
}

int main(int argc, char **argv)
{
    // As the program itself starts: root (a container) runs without the sandbox.
    RootSandbox::apply(geteuid());
    BrowserProfile::registerSchemes();
    QApplication app(argc, argv);
    if (argc != 2)
        return fail("usage: vs_screenshot OUT.png"), 2;
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
    std::fflush(stdout);
    FakeMarketplace market;
    if (!market.start())
        return fail("the fake marketplace did not start"), 1;
    ScriptedPrompts prompts;
    TForm1 w(Endpoints::fromEnvironment(), &prompts);
    w.resize(1100, 720);
    w.show();
    w.activateWindow();
    return shoot(w, QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}

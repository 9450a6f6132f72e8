// The smallest Qt WebEngine program the start-up benchmark compares the
// browser with: one view in a window loading one address through the same
// loopback proxy.
//   minimalview <url> [proxy-url] [profile-folder]
// Without a profile folder the view uses Qt's default profile, which keeps
// its cache and cookies in memory only. With one, a profile keeps them on
// disk there, as the browser's does: the like-for-like comparison.
#include <QApplication>
#include <QNetworkProxy>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2)
        return 2;
    if (args.size() > 2) {
        const QUrl proxy(args.at(2));
        QNetworkProxy::setApplicationProxy(
            QNetworkProxy(QNetworkProxy::HttpProxy, proxy.host(), quint16(proxy.port(8080))));
    }
    std::unique_ptr<QWebEngineProfile> profile;
    QWebEngineView view;
    if (args.size() > 3) {
        profile = std::make_unique<QWebEngineProfile>(QStringLiteral("minimalview"));
        profile->setPersistentStoragePath(args.at(3));
        profile->setCachePath(args.at(3) + QStringLiteral("/cache"));
        profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
        profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
        view.setPage(new QWebEnginePage(profile.get(), &view));
    }
    view.resize(1136, 800);
    view.load(QUrl(args.at(1)));
    view.show();
    const int code = app.exec();
    delete view.page();   // a page goes before its profile
    return code;
}

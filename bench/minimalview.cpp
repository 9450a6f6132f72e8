// The smallest Qt WebEngine program the start-up benchmark compares the
// browser with: one view in a window loading one address through the same
// loopback proxy.
//   minimalview <url> [proxy-url]
#include <QApplication>
#include <QNetworkProxy>
#include <QUrl>
#include <QWebEngineView>

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
    QWebEngineView view;
    view.resize(1136, 800);
    view.load(QUrl(args.at(1)));
    view.show();
    return app.exec();
}

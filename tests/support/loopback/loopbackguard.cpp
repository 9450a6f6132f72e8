// Linked into every test program: no test can reach past this machine, even
// one that builds the program with its built-in addresses or never starts the
// fake marketplace.
//
// When the application object is created (before any window, profile or
// request exists):
// - the application proxy, which Qt Network and the web engine both follow
//   unless told otherwise, becomes a loopback port where nothing listens, so a
//   request to any outside host fails at once without a name lookup;
// - unless the test has already chosen an endpoints file, $VSSELAIN_ENDPOINTS
//   names one whose every address is a test host behind that same dead proxy.
//   Programs the test starts inherit it.
// The fake marketplace (fakemarketplace.h) replaces both with its own server.
#include <QCoreApplication>
#include <QDir>
#include <QNetworkProxy>
#include <QTemporaryFile>

namespace {
const quint16 kDeadPort = 9;
QTemporaryFile *g_endpointsFile = nullptr;

QByteArray loopbackEndpoints()
{
    const QByteArray proxy = "http://127.0.0.1:" + QByteArray::number(kDeadPort);
    return "# test default: every address through a dead loopback proxy\n"
           "web_base=http://www.vasaro.test/\n"
           "domain=vasaro.test\n"
           "api_base=http://api.vasaro.test/1.1/\n"
           "proxy=" + proxy + "\n"
           "counter1=http://laskuri1.vsselain.test/laskuri.php\n"
           "counter2=http://laskuri2.vsselain.test/laskuri.php\n"
           "counter3=http://laskuri3.vsselain.test/laskuri.php\n"
           "own_server_help=http://www.vsselain.test/omapalvelin.html\n"
           "vasarokuva_site=http://www.vasarokuva.test/\n"
           "maker_web=http://www.vsselain.test/\n"
           "posti_prices=http://www.posti.test/hinnat\n"
           "posti_tracking=http://www.posti.test/seuranta\n"
           "matkahuolto=http://www.matkahuolto.test/\n"
           "auction_myyjaosta=http://www.myyjaosta.test/\n"
           "auction_systeemi=http://www.systeemi.test/\n"
           "auction_tradera=http://www.tradera.test/\n"
           "auction_ebay=http://www.ebay.test/\n";
}

void removeEndpointsFile()
{
    delete g_endpointsFile;
    g_endpointsFile = nullptr;
}

void useLoopbackEndpoints()
{
    if (qEnvironmentVariableIsSet("VSSELAIN_ENDPOINTS"))
        return;
    g_endpointsFile = new QTemporaryFile(QDir::tempPath() + QStringLiteral("/vss-testendpoints-XXXXXX.ini"));
    if (!g_endpointsFile->open() || g_endpointsFile->write(loopbackEndpoints()) < 0 || !g_endpointsFile->flush())
        qFatal("loopback guard: cannot write the test endpoints file");
    qputenv("VSSELAIN_ENDPOINTS", g_endpointsFile->fileName().toLocal8Bit());
    qAddPostRoutine(removeEndpointsFile);
}

void guardNetwork()
{
    QNetworkProxy::setApplicationProxy(
        QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), kDeadPort));
    useLoopbackEndpoints();
}
}

Q_COREAPP_STARTUP_FUNCTION(guardNetwork)

#include "renderingmode.h"
#include <QDir>
#include <QQuickWindow>
#include <QSGRendererInterface>

namespace {
// The X11 platform's OpenGL: "none" keeps Mesa (and its shader compiler,
// ~30 MiB) out of a program that draws nothing with OpenGL.
const char kGlIntegration[] = "QT_XCB_GL_INTEGRATION";
bool glIntegrationSetHere = false;
QtMessageHandler previousHandler = nullptr;

// The engine still asks the window system for an OpenGL context it then
// does without; the platform's warning about that is expected here.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QXcbIntegration: Cannot create platform OpenGL context")))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}
}

bool RenderingMode::softwareWanted(bool quickBackendSet, bool rhiBackendSet, bool renderNode)
{
    return !quickBackendSet && !rhiBackendSet && !renderNode;
}

bool RenderingMode::hasRenderNode(const QString &driFolder)
{
    const QDir dri(driFolder);
    return !dri.entryList({QStringLiteral("renderD*")}, QDir::System | QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)
                .isEmpty();
}

void RenderingMode::apply()
{
    if (!softwareWanted(qEnvironmentVariableIsSet("QT_QUICK_BACKEND"), qEnvironmentVariableIsSet("QSG_RHI_BACKEND"),
                        hasRenderNode(QStringLiteral("/dev/dri"))))
        return;
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    if (!qEnvironmentVariableIsSet(kGlIntegration)) {
        qputenv(kGlIntegration, "none");
        glIntegrationSetHere = true;
        previousHandler = qInstallMessageHandler(quietHandler);
    }
}

void RenderingMode::afterApplication()
{
    if (glIntegrationSetHere)
        qunsetenv(kGlIntegration);
    glIntegrationSetHere = false;
}

#include "renderingmode.h"
#include <QDir>
#include <QQuickWindow>
#include <QSGRendererInterface>

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

bool RenderingMode::apply()
{
    const bool software = softwareWanted(qEnvironmentVariableIsSet("QT_QUICK_BACKEND"),
                                         qEnvironmentVariableIsSet("QSG_RHI_BACKEND"),
                                         hasRenderNode(QStringLiteral("/dev/dri")));
    if (software)
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    return software;
}

#pragma once
// How the window draws its pages. The engine's pages are composited with
// OpenGL; without a GPU that OpenGL is Mesa's software emulation, whose
// set-up holds the window thread for about a fifth of a second right when the
// first page is loading and maps some 45 MiB of shader compiler into the
// program. Without a GPU the pages are therefore drawn in software directly,
// which costs neither; with one the GPU is used as before. The user's own
// choice in Qt's variables (QT_QUICK_BACKEND, QSG_RHI_BACKEND) always holds.
#include <QString>

namespace RenderingMode {
// True when the pages should be drawn in software: neither variable is set
// (any value counts, also an empty one) and there is no GPU render node.
bool softwareWanted(bool quickBackendSet, bool rhiBackendSet, bool renderNode);
// A GPU render node ("renderD128", ...) in `driFolder` (normally /dev/dri).
bool hasRenderNode(const QString &driFolder);
// Makes the choice for this process. Must run before the QApplication is
// created. Drawing in software, the window system's OpenGL is not loaded at
// all (unless QT_XCB_GL_INTEGRATION says otherwise).
void apply();
// After the QApplication is created: programs started from this one do not
// inherit the switch that kept OpenGL out.
void afterApplication();
}

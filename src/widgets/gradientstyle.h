#pragma once
#include <QColor>

class QApplication;
class QWidget;

// The program's look: buttons, panels and progress bars painted with colour
// gradients, applied once to the whole application.
namespace GradientStyle {
void apply(QApplication &app);
// Marks a frame as a gradient panel ("XiPanel..." controls).
// Colours stored as Windows colour numbers are $00BBGGRR.
QColor fromColorRef(unsigned int bgr);
}

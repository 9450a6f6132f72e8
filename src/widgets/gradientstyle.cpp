#include "gradientstyle.h"
#include <QApplication>
#include <QStyle>
#include <QWidget>

namespace {
const char kSheet[] = R"(
QPushButton {
    border: 1px solid #6f8fb3;
    border-radius: 3px;
    padding: 3px 10px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:0.5 #e3eefa, stop:1 #b9d2ee);
}
QPushButton:hover {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:0.5 #eef5fd, stop:1 #cfe1f5);
}
QPushButton:pressed {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #a9c6e8, stop:1 #e3eefa);
}
QPushButton:disabled { color: #8a8a8a; border-color: #b0b0b0; }
QToolButton { border: 1px solid transparent; border-radius: 3px; padding: 2px; }
QToolButton:hover {
    border-color: #6f8fb3;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #cfe1f5);
}
QFrame[gradient="true"] {
    border: 1px solid #8fb0d4;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f4f9ff, stop:1 #c9def4);
}
QLabel#paneeli, QLabel#Xipanel6 {
    border: 2px solid #4f77a8;
    border-radius: 6px;
    padding: 12px;
    font-weight: bold;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fffbe8, stop:1 #f3dd8a);
}
QProgressBar { border: 1px solid #6f8fb3; border-radius: 3px; text-align: center; background: #f4f9ff; }
QProgressBar::chunk {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #9fd08a, stop:1 #4c9a2a);
}
QMessageBox QLabel { font-family: "Tahoma", "DejaVu Sans"; font-weight: bold; }
)";
}

void GradientStyle::apply(QApplication &app)
{
    app.setStyleSheet(QString::fromLatin1(kSheet));
}

QColor GradientStyle::fromColorRef(unsigned int bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

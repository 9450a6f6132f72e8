#include "tform1.h"
#include <QWebEngineView>

TForm1::TForm1(QWidget *parent) : QMainWindow(parent), m_view(new QWebEngineView(this))
{
    setObjectName(QStringLiteral("TForm1"));
    setCentralWidget(m_view);
}

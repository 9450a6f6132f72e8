// Precompiled into every test program (cmake/precompiled.cmake): <QtTest>
// brings all of QtCore, which took about half of each test's compile time.
// Only outside headers belong here. A group of tests whose library lacks a
// Qt module simply skips its headers.
#include <QtTest>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#ifdef QT_WIDGETS_LIB
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#endif
#ifdef QT_WEBENGINECORE_LIB
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#endif

// Precompiled into every file of a library of the program (cmake/precompiled.cmake):
// the Qt and standard headers most files include. Only outside headers belong
// here; a project header would rebuild everything whenever it changed. A
// library that does not link a Qt module skips its part, so logic libraries
// never see widget or engine headers.
#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QVector>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#ifdef QT_WIDGETS_LIB
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#endif
#ifdef QT_WEBENGINECORE_LIB
#include <QWebEnginePage>
#include <QWebEngineProfile>
#endif

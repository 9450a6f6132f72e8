#include "qtfinnish.h"
#include <QCoreApplication>
#include <QEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLibraryInfo>
#include <QLocale>
#include <cstring>

namespace {
struct Text {
    const char *context;
    const char *source;
    const char16_t *finnish;
};

// Qt 6 moved the file type names to a context of their own, which the
// Finnish translation of Qt 6.4 does not have yet.
constexpr Text kTexts[] = {
    {"QAbstractFileIconProvider", "Folder", u"Kansio"},
    {"QAbstractFileIconProvider", "File Folder", u"Tiedostokansio"},
    {"QAbstractFileIconProvider", "Drive", u"Asema"},
    {"QAbstractFileIconProvider", "File", u"Tiedosto"},
};

// The size and date columns of a file dialog in the program's locale.
class FinnishFileColumns final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (role != Qt::DisplayRole || !files || (index.column() != 1 && index.column() != 3))
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        if (index.column() == 3)
            return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
        if (files->isDir(source))
            return QString();
        return QLocale().formattedDataSize(files->size(source));
    }
};
}

bool QtFinnish::FileDialogs::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Polish) {
        auto *dialog = qobject_cast<QFileDialog *>(watched);
        if (dialog && !dialog->proxyModel())
            dialog->setProxyModel(new FinnishFileColumns(dialog));
    }
    return false;
}

QtFinnish::QtFinnish(QCoreApplication *app) : m_app(app)
{
    m_app->installEventFilter(&m_fileDialogs);
    if (m_qt.load(QLocale(QLocale::Finnish), QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        m_app->installTranslator(&m_qt);
    m_app->installTranslator(&m_supplement);
}

QtFinnish::~QtFinnish()
{
    m_app->removeEventFilter(&m_fileDialogs);
    m_app->removeTranslator(&m_supplement);
    m_app->removeTranslator(&m_qt);
}

QString QtFinnish::Supplement::translate(const char *context, const char *sourceText, const char *,
                                         int) const
{
    if (!context || !sourceText)
        return QString();
    for (const Text &t : kTexts) {
        if (std::strcmp(t.context, context) == 0 && std::strcmp(t.source, sourceText) == 0)
            return QString::fromUtf16(t.finnish);
    }
    return QString();
}

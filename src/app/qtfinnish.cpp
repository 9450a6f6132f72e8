#include "qtfinnish.h"
#include <QCoreApplication>
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
}

QtFinnish::QtFinnish(QCoreApplication *app) : m_app(app)
{
    if (m_qt.load(QLocale(QLocale::Finnish), QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        m_app->installTranslator(&m_qt);
    m_app->installTranslator(&m_supplement);
}

QtFinnish::~QtFinnish()
{
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

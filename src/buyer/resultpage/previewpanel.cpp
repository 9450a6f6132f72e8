#include "buyer/resultpage/previewpanel.h"
#include "buyer/resultpage/outsideclick.h"
#include "browser/pipeline/navigationargs.h"
#include "browser/engine/vasaropage.h"
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace {
constexpr int kWidth = 560;
constexpr int kHeight = 420;
}

PreviewPanel::PreviewPanel(BrowserProfile *profile, Prompts *prompts, QWidget *parent)
    : QFrame(parent),
      m_page(new VasaroPage(profile, prompts, VasaroPage::Role::Auxiliary, this)),
      m_view(new QWebEngineView(this)),
      m_strip(new QFrame(this))
{
    setObjectName(QStringLiteral("esikatselu"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    m_page->setObjectName(QStringLiteral("WB_preview"));
    m_view->setObjectName(QStringLiteral("WB_preview"));
    m_view->setPage(m_page);
    m_strip->setObjectName(QStringLiteral("XiPanel10"));
    auto *grid = new QGridLayout(m_strip);
    grid->addWidget(label(QStringLiteral("ek1"), QStringLiteral("Myyjä:")), 0, 0);
    grid->addWidget(label(QStringLiteral("ek3"), QStringLiteral("Toimituskulut:")), 0, 1);
    grid->addWidget(label(QStringLiteral("ek4"), QStringLiteral("Osasto:")), 1, 0);
    grid->addWidget(label(QStringLiteral("ek5"), QStringLiteral("Huutaja:")), 1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_strip);
    resize(kWidth, kHeight);
    connect(m_page, &VasaroPage::beforeNavigate2, this, [this](VasaroPage *, NavigationArgs *args) {
        if (m_ownLoad && args->url.scheme() == QLatin1String("data")) {
            m_ownLoad = false;
            return;
        }
        emit WB_previewBeforeNavigate2(args);
    });
    hide();
}

QLabel *PreviewPanel::label(const QString &name, const QString &text)
{
    auto *l = new QLabel(text, m_strip);
    l->setObjectName(name);
    return l;
}

void PreviewPanel::showCentred(bool withStrip)
{
    m_strip->setVisible(withStrip);
    if (QWidget *p = parentWidget()) {
        resize(qMin(kWidth, p->width()), qMin(kHeight, p->height()));
        move((p->width() - width()) / 2, (p->height() - height()) / 2);
    }
    show();
    raise();
}

void PreviewPanel::WBLoadHTML(const QString &html, const QUrl &base)
{
    // The engine parses no relative address against "about:blank", so the
    // generated page gets a real base address instead of being written into
    // a blank document.
    m_ownLoad = true;
    m_page->setHtml(html, base);
}

void PreviewPanel::closePreview()
{
    m_ownLoad = false;
    m_page->Navigate(QUrl(QStringLiteral("about:blank")), true);
    hide();
    m_strip->show();
}

void PreviewPanel::closeOnOutsideClick(QObject *target, const QPointF &globalPos)
{
    if (isOutsideClick(this, target, globalPos))
        closePreview();
}

#include "seller/automation/approvestep.h"
#include "browser/engine/document.h"
#include "browser/pipeline/pipelinetab.h"
#include "client/strutil.h"
#include "client/urlscheme.h"
#include "core/settings.h"
#include <QTimer>

namespace {
const QString kApprove = QStringLiteral("Hyvaksy");
const QString kApproved = QStringLiteral("Hyvaksytty");
constexpr int kLongNotice = 30;
constexpr int kShortNotice = 8;
}

ApproveStep::ApproveStep(const Settings &settings, ApprovalHost &host, QObject *parent)
    : QObject(parent), m_settings(settings), m_host(host)
{
}

bool ApproveStep::approve_step(PipelineTab &tab, const QString &address)
{
    TabState &state = tab.tabState();
    // Whatever page completed, the tab no longer waits for its preview.
    m_waits.remove(&tab);
    // 1. The page after the approval was sent.
    if (state.approval == kApproved) {
        state.approval.clear();
        m_host.setApproveMode(tab, false);
        if (!address.contains(QLatin1String("published")) || published(tab, address))
            return true;
    }
    // 2. The page after the re-list form was sent: approve the preview.
    if (state.approval == kApprove) {
        state.approval = kApproved;
        m_host.setApproveMode(tab, false);
        if (UrlScheme::isPreviewPage(address)) {
            m_host.statusNotice(QStringLiteral("Hyväksytään ") + itemNumber(address), kLongNotice);
            find_and_submit(tab.document(), QStringLiteral("julkaise"));
            return true;
        }
    }
    // 3. A re-list form: always sent on to the preview; approved later only
    // in a tab of its own.
    if (UrlScheme::isRelistForm(address)) {
        if (UrlScheme::isRelistStep12(address) && tab.pageIndex() != 0) {
            sendToPreview(tab, address);
        } else {
            state.approval.clear();
            find_and_submit(tab.document(), QStringLiteral("esikatseluun"));
        }
        return true;
    }
    return false;
}

bool ApproveStep::published(PipelineTab &tab, const QString &address)
{
    m_host.statusNotice(QStringLiteral("Hyväksytty ") + itemNumber(address), kShortNotice);
    if (!m_settings.suljelehti || tab.pageIndex() == 0)
        return false;
    m_host.closeTab(tab.pageIndex());
    return true;
}

void ApproveStep::sendToPreview(PipelineTab &tab, const QString &address)
{
    tab.tabState().approval = kApprove;
    m_host.setApproveMode(tab, true);
    m_host.statusNotice(QStringLiteral("Lähetetään ") + itemNumber(address), kLongNotice);
    watchPreview(tab, address);
    find_and_submit(tab.document(), QStringLiteral("esikatseluun"));
}

// A preview that never comes back must not leave the tab in the lean mode
// (no scripts) nor waiting to publish whatever preview it shows next.
void ApproveStep::watchPreview(PipelineTab &tab, const QString &address)
{
    const quint64 wait = ++m_nextWait;
    m_waits.insert(&tab, wait);
    PipelineTab *target = &tab;
    const QString number = itemNumber(address);
    QTimer::singleShot(m_previewLimitMs, this, [this, target, wait, number] {
        if (m_waits.value(target) != wait)
            return;
        m_waits.remove(target);
        if (target->tabState().approval != kApprove)
            return;
        target->tabState().approval.clear();
        m_host.setApproveMode(*target, false);
        m_host.statusNotice(QStringLiteral("Hyväksyntä keskeytetty ") + number, kShortNotice);
    });
}

bool ApproveStep::find_and_submit(Document &document, const QString &word)
{
    const QList<Element> buttons = document.getElementsByTagName(QStringLiteral("BUTTON"), Document::OuterHtml);
    for (const Element &button : buttons) {
        const QString html = button.data().outerHTML.toLower();
        if (html.contains(QLatin1String("submit")) && html.contains(word)) {
            button.click();
            return true;
        }
    }
    return false;
}

QString ApproveStep::itemNumber(const QString &address)
{
    QString number = StrUtil::palautaitemid(address);
    if (!number.isEmpty())
        return number;
    const QLatin1String form("uusi-ilmoitus/");
    const int at = address.toLower().indexOf(form);
    return at < 0 ? QString() : StrUtil::leadingDigits(address.mid(at + form.size()));
}

#pragma once
// The approval sequence of a re-listed listing, one tab at a time: the
// re-list form is sent to preview, the preview is published, and the
// published page may close its tab. The tab's approval state ("",
// "Hyvaksy", "Hyvaksytty") advances on every completed marketplace page.
// While the preview loads, the tab's page runs in the lean approve mode
// (no pictures, plug-ins or scripts); should the preview not come back in
// time, the approval stops there and the tab gets its ordinary options back.
#include <QHash>
#include <QObject>
#include <QString>

class Document;
class PipelineTab;
struct Settings;

// What the approval needs of the main window.
class ApprovalHost {
public:
    virtual ~ApprovalHost() = default;
    // Sets or clears the approve mode and has the tab's page re-read its
    // download options.
    virtual void setApproveMode(PipelineTab &tab, bool on) = 0;
    // The status notice `Xipanel6` for a number of seconds.
    virtual void statusNotice(const QString &text, int seconds) = 0;
    // Closes the tab (never the first; after the page's handling is done).
    virtual void closeTab(int pageIndex) = 0;
};

class ApproveStep final : public QObject {
    Q_OBJECT
public:
    static constexpr int kPreviewLimitMs = 30000;   // as long as "Lähetetään" is shown

    ApproveStep(const Settings &settings, ApprovalHost &host, QObject *parent = nullptr);

    // For a completed marketplace page of the tab (address lower-cased):
    // true when the page is finished with and gets no further handling.
    bool approve_step(PipelineTab &tab, const QString &address);
    // Clicks the first BUTTON whose outer HTML (lower-cased) holds both
    // "submit" and the word; false when there is none.
    static bool find_and_submit(Document &document, const QString &word);
    // The item number of an address of the sequence: the marketplace's
    // item-number rule, else the number of a re-list address
    // ("uusi-ilmoitus/<number>/republish").
    static QString itemNumber(const QString &address);

    void setPreviewLimitMs(int ms) { m_previewLimitMs = ms; }

private:
    bool published(PipelineTab &tab, const QString &address);
    void sendToPreview(PipelineTab &tab, const QString &address);
    void watchPreview(PipelineTab &tab, const QString &address);

    const Settings &m_settings;
    ApprovalHost &m_host;
    QHash<PipelineTab *, quint64> m_waits;   // the preview each tab waits for
    quint64 m_nextWait = 0;
    int m_previewLimitMs = kPreviewLimitMs;
};

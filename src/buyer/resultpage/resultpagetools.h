#pragma once
// The result-page tools in the main window: the picture-click preview in the
// panel `esikatselu`, the small-pictures tweak, the item link list `ListBox1`
// with the button "-> Seuraava kohde", and the forum colours. The page
// pipeline and the tab manager reach it through ResultPageToolsFeature; the
// main window's mouse rule calls pikkukuva and its deferred command
// "pikkukuva" runs naytapikkukuva.
//   picturepreview.h  which press is a picture's, what the API answer shows
//   nextlisting.h     the item link list and the next-listing rules
//   smallpictures.h   the small-pictures tweak
//   forumcolours.h    today's and yesterday's forum messages
#include "browser/features/resultpagetoolsfeature.h"
#include "buyer/resultpage/nextlisting.h"
#include <QObject>
#include <QPointF>
#include <QUrl>

class ApiSession;
class HttpApi;
class PreviewPanel;
class ProgramClock;
class ShellHost;
class TabManager;
class TVasaroselain;

class ResultPageTools final : public QObject, public ResultPageToolsFeature {
    Q_OBJECT
public:
    struct Parts {
        ShellHost *host = nullptr;        // address box, deferred commands
        TabManager *tabs = nullptr;       // the active tab
        PreviewPanel *preview = nullptr;
        HttpApi *http = nullptr;
        ApiSession *api = nullptr;        // the latest bidder
        ProgramClock *clock = nullptr;    // what "today" is on the forum
        QString apiBase;                  // ends in "/1.1/"
        QString domain;
    };
    explicit ResultPageTools(const Parts &parts, QObject *parent = nullptr);

    static constexpr int kItemTimeoutMs = 10000;

    // A left button press at a global point on `browser`, the active tab
    // showing a listing page: true when it hit a listing's picture (the
    // press then belongs to the preview, not to the page).
    bool pikkukuva(TVasaroselain *browser, const QPointF &globalPos);
    // The deferred command "pikkukuva": fills and shows the preview panel.
    void naytapikkukuva();
    // The button `seur`.
    void seuraava();

    QString previewItem() const { return m_item; }
    const NextListing &itemLinks() const { return m_links; }

    // ResultPageToolsFeature
    bool osastolistanmuokkaus(PipelineTab &tab) override;
    void keskustelupalsta(PipelineTab &tab) override;
    void linkit(PipelineTab &tab) override;
    bool previewVisible() const override;
    void closePreview() override;
    int nextItemCount() const override { return m_links.count(); }
    void selectNextItem(const QString &address) override;

private:
    void WB_previewDocumentComplete(const QUrl &url);
    void showLabels(const QString &ek1, const QString &ek3, const QString &ek4, const QString &ek5);

    Parts m_parts;
    NextListing m_links;
    QString m_item;          // the preview item number
    QUrl m_picture;          // the picture the preview browser shows
    quint64 m_generation = 0;   // a newer preview or a close drops older answers
};

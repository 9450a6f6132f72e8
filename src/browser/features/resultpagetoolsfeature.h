#pragma once
// Result-page tools: the category-page picture tweak, forum colours, the
// next-listing item links and the preview panel.
#include <QString>

class PipelineTab;

class ResultPageToolsFeature {
public:
    virtual ~ResultPageToolsFeature() = default;

    // Category-page picture tweak; true when it changed the page.
    virtual bool osastolistanmuokkaus(PipelineTab &tab) = 0;
    // Colours the messages of a forum thread.
    virtual void keskustelupalsta(PipelineTab &tab) = 0;
    // Collects the listing links for the next-listing button.
    virtual void linkit(PipelineTab &tab) = 0;

    // Preview panel. previewVisible is asked inside the engine's navigation
    // callback: it must answer at once, without scripts or waits.
    virtual bool previewVisible() const = 0;
    virtual void closePreview() = 0;

    // Next-listing list: its item count, and selecting the item equal to the
    // address.
    virtual int nextItemCount() const = 0;
    virtual void selectNextItem(const QString &address) = 0;
};

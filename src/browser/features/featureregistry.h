#pragma once
// The one place a feature module plugs into the browser shell and the main
// window. Every hook is an ordered list whose default is to do nothing, so a
// feature that is not built leaves no trace:
//   pipeline steps       pipelineSteps(): the typed interfaces of browserfeatures.h
//   mouse handlers       addMouseHandler(), run in InputOrder, the first claim ends the run
//   text fields          addTextFields(): keys typed there stay with the field
//   command words        addCommand(), run by `Timer3`
//   menu bar items       addMenuItem(), by the item's objectName
//   link and page menus  ContextMenus::addLinkCommand / addPageCommand, by named item
//   toolbar controls     addToolbarControl(), placed in ToolbarSlot order
//   page changes         addPageListener(): every module shows and hides its own controls
//   clock ticks          addTick(): once a second, with the window's clock
#include "browser/features/browserfeatures.h"
#include "browser/features/pagestate.h"
#include <QList>
#include <QMap>
#include <QPointer>
#include <QString>
#include <functional>
#include <map>
#include <vector>

class QEvent;
class QObject;
class QWidget;

class FeatureRegistry final {
public:
    // Who sees a mouse button first (declaration order).
    enum class InputOrder {
        EditorMenu,       // right click over the listing editor opens the program's menu
        PreviewPanel,     // a click elsewhere closes the preview (never claims)
        SearchForm,       // a click elsewhere closes the search form (never claims)
        PicturePreview    // a click on a result-page picture opens its preview
    };
    // Where a feature's control stands in the row under the toolbar.
    enum class ToolbarSlot { Favourite, MailReminder, ClosingTime, NextListing, WatchListAlert };

    using InputHandler = std::function<bool(QObject *target, QEvent *event)>;
    using PageListener = std::function<void(const PageState &state)>;

    FeatureRegistry() = default;
    FeatureRegistry(const FeatureRegistry &) = delete;
    FeatureRegistry &operator=(const FeatureRegistry &) = delete;

    // The steps the page pipeline and the tab change call.
    PipelineFeatures &pipelineSteps() { return m_steps; }
    const PipelineFeatures &pipelineSteps() const { return m_steps; }

    void addMouseHandler(InputOrder order, InputHandler handler);
    // True when a handler claimed the event.
    bool mouseEvent(QObject *target, QEvent *event) const;

    // A module's own text fields: Delete there edits the text.
    void addTextFields(QWidget *area);
    bool ownsFocus(const QWidget *focus) const;

    void addCommand(const QString &word, std::function<void()> run);
    // False when no module knows the word.
    bool runCommand(const QString &word) const;

    void addMenuItem(const QString &actionName, std::function<void()> handler);
    const std::vector<std::pair<QString, std::function<void()>>> &menuItems() const { return m_menuItems; }

    void addToolbarControl(ToolbarSlot slot, QWidget *control);
    // In slot order.
    QList<QWidget *> toolbarControls() const;

    void addPageListener(PageListener listener);
    void pageChanged(const PageState &state) const;

    void addTick(std::function<void()> tick);
    void tick() const;

private:
    PipelineFeatures m_steps;
    std::multimap<InputOrder, InputHandler> m_mouse;
    QList<QPointer<QWidget>> m_textFields;
    QMap<QString, std::function<void()>> m_commands;
    std::vector<std::pair<QString, std::function<void()>>> m_menuItems;
    std::multimap<ToolbarSlot, QPointer<QWidget>> m_toolbar;
    std::vector<PageListener> m_pageListeners;
    std::vector<std::function<void()>> m_ticks;
};

#include "browser/features/featureregistry.h"
#include <QWidget>

void FeatureRegistry::addMouseHandler(InputOrder order, InputHandler handler)
{
    m_mouse.emplace(order, std::move(handler));
}

bool FeatureRegistry::mouseEvent(QObject *target, QEvent *event) const
{
    for (const auto &[order, handler] : m_mouse) {
        if (handler(target, event))
            return true;
    }
    return false;
}

void FeatureRegistry::addTextFields(QWidget *area)
{
    m_textFields << QPointer<QWidget>(area);
}

bool FeatureRegistry::ownsFocus(const QWidget *focus) const
{
    for (const QPointer<QWidget> &area : m_textFields) {
        if (area && focus && area->isAncestorOf(focus))
            return true;
    }
    return false;
}

void FeatureRegistry::addCommand(const QString &word, std::function<void()> run)
{
    m_commands.insert(word, std::move(run));
}

bool FeatureRegistry::runCommand(const QString &word) const
{
    const auto command = m_commands.constFind(word);
    if (command == m_commands.constEnd())
        return false;
    command.value()();
    return true;
}

void FeatureRegistry::addMenuItem(const QString &actionName, std::function<void()> handler)
{
    m_menuItems.emplace_back(actionName, std::move(handler));
}

void FeatureRegistry::addToolbarControl(ToolbarSlot slot, QWidget *control)
{
    m_toolbar.emplace(slot, QPointer<QWidget>(control));
}

QList<QWidget *> FeatureRegistry::toolbarControls() const
{
    QList<QWidget *> controls;
    for (const auto &[slot, control] : m_toolbar) {
        if (control)
            controls << control.data();
    }
    return controls;
}

void FeatureRegistry::addPageListener(PageListener listener)
{
    m_pageListeners.push_back(std::move(listener));
}

void FeatureRegistry::pageChanged(const PageState &state) const
{
    for (const PageListener &listener : m_pageListeners)
        listener(state);
}

void FeatureRegistry::addTick(std::function<void()> tick)
{
    m_ticks.push_back(std::move(tick));
}

void FeatureRegistry::tick() const
{
    for (const auto &tick : m_ticks)
        tick();
}

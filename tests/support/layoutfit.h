#pragma once
// Layout checks on shown windows: every caption of the named widgets is
// drawn whole (its text's advance fits the widget's width) and nothing lies
// outside the window. Returns one line per fault, empty when all fit.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QStringList>
#include <QStyle>
#include <QTabBar>
#include <QWidget>

namespace LayoutFit {

inline QString where(const QWidget *w)
{
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

// The room a widget gives its caption.
inline int captionRoom(const QWidget *w)
{
    if (const auto *box = qobject_cast<const QCheckBox *>(w))
        return box->width() - box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box)
             - box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box);
    if (const auto *label = qobject_cast<const QLabel *>(w))
        return label->contentsRect().width() - 2 * label->margin();
    return w->width();
}

inline QString captionOf(const QWidget *w)
{
    if (const auto *b = qobject_cast<const QAbstractButton *>(w))
        return b->text();
    // Wrapped labels and typed texts (an address) are not captions.
    if (const auto *l = qobject_cast<const QLabel *>(w))
        return l->textFormat() == Qt::RichText || l->wordWrap() ? QString() : l->text();
    if (const auto *c = qobject_cast<const QComboBox *>(w))
        return c->isEditable() ? QString() : c->currentText();
    return QString();
}

inline void checkOne(const QWidget *w, QStringList &faults)
{
    const QWidget *window = w->window();
    const QRect shown(w->mapTo(window, QPoint()), w->size());
    if (!window->rect().contains(shown))
        faults << QStringLiteral("%1 outside the window: %2,%3 %4x%5 in %6x%7")
                      .arg(where(w)).arg(shown.x()).arg(shown.y()).arg(shown.width()).arg(shown.height())
                      .arg(window->width()).arg(window->height());
    const QString text = captionOf(w);
    if (!text.isEmpty() && !text.contains(u'\n')) {
        const int need = w->fontMetrics().horizontalAdvance(QString(text).remove(u'&'));
        if (need > captionRoom(w))
            faults << QStringLiteral("%1 \"%2\" needs %3, has %4").arg(where(w), text).arg(need).arg(captionRoom(w));
    }
    if (const auto *bar = qobject_cast<const QTabBar *>(w)) {
        for (int i = 0; i < bar->count(); ++i) {
            const QRect tab = bar->tabRect(i);
            if (!bar->rect().contains(tab) || bar->fontMetrics().horizontalAdvance(bar->tabText(i)) > tab.width())
                faults << QStringLiteral("tab \"%1\" not whole").arg(bar->tabText(i));
        }
    }
}

// `root` and every visible widget inside it.
inline QStringList check(const QWidget *root)
{
    QStringList faults;
    if (!root || !root->isVisible())
        return {QStringLiteral("%1 not shown").arg(root ? where(root) : QStringLiteral("(none)"))};
    checkOne(root, faults);
    for (const QWidget *w : root->findChildren<QWidget *>())
        if (w->isVisible())
            checkOne(w, faults);
    return faults;
}

} // namespace LayoutFit

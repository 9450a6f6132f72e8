#include "browser/tabs/navigationbar.h"
#include "browser/tabs/addressbox.h"
#include "browser/tabs/typedurls.h"
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QStyle>
#include <QToolButton>

namespace {
constexpr int kPanelHeight = 33;
}

NavigationBar::NavigationBar(const QString &historyFile, QWidget *parent)
    : QFrame(parent),
      m_history(std::make_unique<TypedUrls>(historyFile)),
      m_address(new AddressBox(m_history.get(), this)),
      m_extra(new QHBoxLayout)
{
    setObjectName(QStringLiteral("XiPanel9"));
    setFixedHeight(kPanelHeight);
    setFocusPolicy(Qt::StrongFocus);   // Enter in the address box moves the focus here
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);

    m_back = button(QStringLiteral("Selain_taakse"), QStyle::SP_ArrowBack, QStringLiteral("Takaisin"));
    m_forward = button(QStringLiteral("Selain_eteen"), QStyle::SP_ArrowForward, QStringLiteral("Eteenpäin"));
    QToolButton *refresh = button(QStringLiteral("Selain_refresh"), QStyle::SP_BrowserReload, QStringLiteral("Päivitä"));
    QToolButton *stop = button(QStringLiteral("Selain_stop"), QStyle::SP_BrowserStop, QStringLiteral("Pysäytä"));
    QToolButton *home = button(QStringLiteral("Selain_kotiin"), QStyle::SP_DirHomeIcon, QStringLiteral("Vasaron etusivu"));
    QToolButton *bookmarks = button(QStringLiteral("Selain_kirjanmerkit"), QStyle::SP_FileDialogContentsView,
                                    QStringLiteral("Muistilista"));
    for (QToolButton *b : {m_back, m_forward, refresh, stop, home, bookmarks})
        row->addWidget(b);
    row->addWidget(m_address, 1);
    m_extra->setContentsMargins(0, 0, 0, 0);
    m_extra->setSpacing(2);
    row->addLayout(m_extra);

    connect(m_back, &QToolButton::clicked, this, &NavigationBar::backClicked);
    connect(m_forward, &QToolButton::clicked, this, &NavigationBar::forwardClicked);
    connect(refresh, &QToolButton::clicked, this, &NavigationBar::refreshClicked);
    connect(stop, &QToolButton::clicked, this, &NavigationBar::stopClicked);
    connect(home, &QToolButton::clicked, this, &NavigationBar::homeClicked);
    connect(bookmarks, &QToolButton::clicked, this, &NavigationBar::bookmarksClicked);
    connect(m_address, &AddressBox::navigateRequested, this, [this](const QString &address) {
        emit navigateRequested(address);
        setFocus(Qt::OtherFocusReason);
    });
}

NavigationBar::~NavigationBar() = default;

QToolButton *NavigationBar::button(const QString &name, int icon, const QString &hint)
{
    auto *b = new QToolButton(this);
    b->setObjectName(name);
    b->setIcon(style()->standardIcon(QStyle::StandardPixmap(icon), nullptr, b));
    b->setToolTip(hint);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->installEventFilter(this);
    return b;
}

bool NavigationBar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && (watched == m_back || watched == m_forward)) {
        auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() != Qt::LeftButton) {
            auto *b = static_cast<QToolButton *>(watched);
            emit historyMenuRequested(watched == m_forward, b->mapToGlobal(QPoint(0, b->height())));
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

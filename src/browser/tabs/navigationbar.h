#pragma once
// The toolbar panel `XiPanel9`: back, forward, refresh, stop, home and watch
// list buttons and the address box. The main window adds its own buttons
// (`XiButton14`, `postia`, `aukiolopaneeli`) to extraLayout(), right of the
// address box. The tab manager connects the signals to its handlers.
#include <QFrame>
#include <memory>

class AddressBox;
class QHBoxLayout;
class QToolButton;
class TypedUrls;

class NavigationBar final : public QFrame {
    Q_OBJECT
public:
    // `historyFile` keeps the typed-address history ("TypedURLs.txt" in the
    // data folder).
    explicit NavigationBar(const QString &historyFile, QWidget *parent = nullptr);
    ~NavigationBar() override;

    AddressBox *addressBox() const { return m_address; }
    QToolButton *backButton() const { return m_back; }
    QToolButton *forwardButton() const { return m_forward; }
    QHBoxLayout *extraLayout() const { return m_extra; }

signals:
    void backClicked();
    void forwardClicked();
    void refreshClicked();
    void stopClicked();
    void homeClicked();
    void bookmarksClicked();
    // A mouse button other than the left one pressed on back or forward:
    // the travel-log menu, popped up at `at` (global coordinates).
    void historyMenuRequested(bool forward, const QPoint &at);
    // Enter in the address box or an address chosen from its list.
    void navigateRequested(const QString &address);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QToolButton *button(const QString &name, int icon, const QString &hint);

    std::unique_ptr<TypedUrls> m_history;
    AddressBox *m_address;
    QToolButton *m_back;
    QToolButton *m_forward;
    QHBoxLayout *m_extra;
};

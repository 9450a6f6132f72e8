#pragma once
// The progress panel of a seller fetch, `suodatinpaneeli`: the seller and
// page in `Label8`, the hidden browser's download progress in `pb`, and
// `XiButton11` "Pysäytä".
#include "buyer/sellerfilter/sellerwalk.h"
#include <QFrame>

class QLabel;
class QProgressBar;
class QPushButton;

class SellerFilterProgress final : public QFrame, public SellerWalkView {
    Q_OBJECT
public:
    explicit SellerFilterProgress(QWidget *parent);

    QPushButton *stopButton() const { return m_stop; }

    // SellerWalkView
    void showProgress() override;
    void hideProgress() override;
    void setLabel8(const QString &text) override;
    void setProgress(int position, int maximum) override;

private:
    QLabel *m_label;
    QProgressBar *m_pb;
    QPushButton *m_stop;
};

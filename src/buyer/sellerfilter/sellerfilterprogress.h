#pragma once
// The progress panel of a seller fetch, `suodatinpaneeli`: the seller and
// page in `Label8`, the hidden browser's download progress in `pb`, and
// `XiButton11` "Pysäytä".
#include "buyer/sellerfilter/sellerwalk.h"
#include "widgets/progressframe.h"

class SellerFilterProgress final : public SellerWalkView {
public:
    // The panel is a child of `window`.
    explicit SellerFilterProgress(QWidget *window);

    ProgressFrame *panel() const { return m_panel; }
    QPushButton *stopButton() const { return m_panel->button(); }

    // SellerWalkView
    void showProgress() override;
    void hideProgress() override;
    void setLabel8(const QString &text) override;
    void setProgress(int position, int maximum) override;

private:
    ProgressFrame *m_panel;
};

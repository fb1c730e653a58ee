#pragma once
// The ageing bands as a bar chart: one bar per band, its height in
// proportion to the band's total (computed in whole pixels from the exact
// amounts), with the total over the bar and the band's title under it.
// Negative totals (credits) hang below the axis in another colour.
#include "ledger/Tfanalisiscxp.h"

#include <QWidget>

namespace cxp {

class GraficoBandas : public QWidget {
    Q_OBJECT
public:
    explicit GraficoBandas(QWidget* parent = nullptr);

    void setBandas(std::vector<Tfanalisiscxp::Banda> bandas, const QString& titulo);
    const std::vector<Tfanalisiscxp::Banda>& bandas() const { return bandas_; }
    const QString& titulo() const { return titulo_; }

    // The height in pixels of a total within `alto`, in proportion to the
    // largest absolute total (exact integer arithmetic).
    static int altura(const Dinero& total, const Dinero& maximo, int alto);

    QSize sizeHint() const override { return {520, 260}; }
    QSize minimumSizeHint() const override { return {320, 180}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<Tfanalisiscxp::Banda> bandas_;
    QString titulo_;
};

}  // namespace cxp

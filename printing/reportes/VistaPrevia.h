#pragma once
// The preview window of a laid-out report: one page at a time, drawn when it
// is shown, so that a report of two thousand pages opens on its first page
// at once instead of drawing every page before showing any. "Página N de
// M", first, previous, next and last page (Inicio, RePág, AvPág, Fin),
// zoom (+, -) and printing (Ctrl+P) from it; Esc closes.
#include "printing/reportes/Paginado.h"

#include <QDialog>
#include <QImage>

class QLabel;
class QScrollArea;
class QSpinBox;

namespace cxp::reportes {

class VistaPrevia : public QDialog {
    Q_OBJECT
public:
    VistaPrevia(const Paginado& paginado, const QString& titulo, QWidget* padre = nullptr);

    int pagina() const { return pagina_; }  // 0-based
    void irA(int pagina);
    void acercar(double factor);
    // Page `pagina` as drawn at the current zoom.
    QImage imagen(int pagina) const;

protected:
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void mostrar();
    void imprimirPaginas();

    const Paginado& paginado_;
    QString titulo_;
    int pagina_ = 0;
    double zoom_ = 1.0;
    QScrollArea* area_;
    QLabel* hoja_;
    QSpinBox* numero_;
    QLabel* total_;
};

}  // namespace cxp::reportes

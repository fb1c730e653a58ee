#include "printing/motor/Salidas.h"

#include "printing/motor/Lienzos.h"

#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace cxp {

namespace {

QPageSize tamano(const TrabajoImpresion& t) {
    return QPageSize(papelDe(t), QPageSize::Inch, QString(), QPageSize::ExactMatch);
}

void preparar(QPrinter& impresora, const PlanImpresion& plan, bool fijarImpresora) {
    const TrabajoImpresion& t = plan.trabajos.front();
    if (fijarImpresora && !t.impresora.isEmpty() && !QPrinterInfo::printerInfo(t.impresora).isNull())
        impresora.setPrinterName(t.impresora);
    impresora.setFullPage(true);
    impresora.setPageSize(tamano(t));
    impresora.setPageMargins(QMarginsF(0, 0, 0, 0));
    impresora.setDocName(t.titulo);
}

ResultadoMotor pintar(const PlanImpresion& plan, QPrinter& impresora) {
    ResultadoMotor total;
    QPainter p;
    if (!p.begin(&impresora)) {
        total.error = QStringLiteral("No se pudo iniciar la impresión en ") + impresora.printerName();
        return total;
    }
    total.impreso = true;
    bool primera = true;
    for (const TrabajoImpresion& t : plan.trabajos) {
        if (!primera) {
            impresora.setPageSize(tamano(t));
            impresora.newPage();
        }
        primera = false;
        const double ppp = impresora.resolution();
        LienzoPintor lienzo(p, papelDe(t), ppp, ppp, [&impresora] { impresora.newPage(); });
        const ResultadoMotor r = dibujar(t, plan.documento.impreso, lienzo);
        total.paginas += r.paginas;
        if (!r.impreso) {
            total = r;
            break;
        }
    }
    p.end();
    return total;
}

}  // namespace

ResultadoMotor vistaPrevia(const PlanImpresion& plan, QWidget* padre) {
    if (plan.trabajos.empty()) return {false, 0, plan.error};
    QPrinter impresora(QPrinter::HighResolution);
    preparar(impresora, plan, false);
    ResultadoMotor r;
    QPrintPreviewDialog dialogo(&impresora, padre);
    dialogo.setWindowTitle(plan.trabajos.front().titulo);
    QObject::connect(&dialogo, &QPrintPreviewDialog::paintRequested, &dialogo,
                     [&](QPrinter* destino) { r = pintar(plan, *destino); });
    dialogo.exec();
    return r;
}

ResultadoMotor imprimirEnImpresora(const PlanImpresion& plan, QWidget* padre) {
    if (plan.trabajos.empty()) return {false, 0, plan.error};
    if (plan.previsualizar) return vistaPrevia(plan, padre);
    QPrinter impresora(QPrinter::HighResolution);
    preparar(impresora, plan, true);
    return pintar(plan, impresora);
}

}  // namespace cxp

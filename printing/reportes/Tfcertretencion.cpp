#include "printing/reportes/Tfcertretencion.h"

#include "base/Sql.h"
#include "data/Interaccion.h"
#include "printing/reportes/ArchivosInforme.h"

#include <QDir>

namespace cxp {

Tfcertretencion::Tfcertretencion(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                 const Configuracion& configuracion)
    : PantallaInforme(sesion, interaccion, manejador, configuracion, QStringLiteral("reportes/") + kDiseno, kArchivo,
                      QStringLiteral("CERTIFICADO DE RETENCIONES")) {}

bool Tfcertretencion::abrir() {
    const QDate h = hoy();
    desde = QDate(h.year() - 1, 1, 1);
    hasta = QDate(h.year() - 1, 12, 31);
    expedicion = h;
    return true;
}

QString Tfcertretencion::consulta(const QString& d, const QString& h) const {
    return QStringLiteral("select NIT, NOMBRE, DV, DIRECCION, CIUDAD, CLASE, CONCEPTO, TASA, sum(BASE) BASE,"
                          " sum(VALOR) VALOR from CERTIFICADO_RETENCION_CXPAGAR(") +
           sql::texto(d.trimmed()) + u',' + sql::texto(h.trimmed().isEmpty() ? QStringLiteral("zz") : h.trimmed()) +
           u',' + sql::fecha(desde) + u',' + sql::fecha(hasta) +
           QStringLiteral(") group by NIT, NOMBRE, DV, DIRECCION, CIUDAD, CLASE, CONCEPTO, TASA"
                          " having sum(VALOR) <> 0 order by NIT, CLASE, TASA");
}

std::optional<PantallaInforme::Pedido> Tfcertretencion::pedido() {
    if (!fechasEnOrden(desde, hasta)) return std::nullopt;
    Pedido p;
    p.consulta = consulta(nitDesde, nitHasta);
    p.informe = QStringLiteral("certificado");
    p.parametros.insert(QStringLiteral("fechainicio"), desde.toString(QStringLiteral("yyyy/MM/dd")));
    p.parametros.insert(QStringLiteral("fechafinal"), hasta.toString(QStringLiteral("yyyy/MM/dd")));
    p.textos.insert(QStringLiteral("Expedicion"), QStringLiteral("Expedido en ") + lugar.trimmed() +
                                                      QStringLiteral(" el ") +
                                                      expedicion.toString(QStringLiteral("yyyy/MM/dd")));
    p.subtitulo = compone_titulo(desde, hasta);
    return p;
}

int Tfcertretencion::pdfPorAcreedor(const QString& carpeta) {
    const std::optional<Pedido> p = pedido();
    if (!p || !cargar(filas(), p->consulta)) return -1;
    if (filas().recordCount() == 0) {
        interaccion_.informacion(kSinDatos);
        return -1;
    }
    QString error;
    const auto diseno = reportes::Diseno::leerArchivo(rutaDiseno(), &error);
    const reportes::Informe* informe = diseno ? diseno->informe(p->informe) : nullptr;
    if (!informe) {
        interaccion_.error(diseno ? QStringLiteral("El diseño %1 no tiene el informe %2").arg(rutaDiseno(), p->informe)
                                  : error);
        return -1;
    }
    QStringList nits;
    for (int r = 0; r < filas().recordCount(); ++r)
        if (nits.isEmpty() || nits.back() != filas().row(r).asString(QStringLiteral("NIT")))
            nits << filas().row(r).asString(QStringLiteral("NIT"));
    const reportes::Ejecucion e = ejecucion(*p);
    int escritos = 0;
    for (const QString& nit : nits) {
        DataSet uno;
        if (!cargar(uno, consulta(nit, nit))) return escritos;
        const reportes::FilasDataSet f(uno);
        const auto hoja = reportes::Paginado::preparar(*informe, f, e, &error);
        const QString archivo = QDir(carpeta).filePath(nit + QStringLiteral(".pdf"));
        if (!hoja || !reportes::escribirArchivo(*hoja, reportes::FormatoArchivo::Pdf, archivo, titulo(), &error)) {
            interaccion_.error(archivo + QStringLiteral(": ") + error);
            return escritos;
        }
        ++escritos;
    }
    return escritos;
}

}  // namespace cxp

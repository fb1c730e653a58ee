#include "printing/reportes/PantallaInforme.h"

#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/Interaccion.h"
#include "data/Sesion.h"

#include <QDir>

namespace cxp {

QString compone_titulo(QDate desde, QDate hasta, const QString& docDesde, const QString& docHasta) {
    const auto f = [](QDate d) { return d.toString(QStringLiteral("yyyy/MM/dd")); };
    QStringList partes;
    if (desde.isValid() && hasta.isValid())
        partes << QStringLiteral("Fechas: ") + f(desde) + QStringLiteral(" - ") + f(hasta);
    else if (desde.isValid() || hasta.isValid())
        partes << QStringLiteral("Fecha: ") + f(hasta.isValid() ? hasta : desde);
    if (!docDesde.trimmed().isEmpty() || !docHasta.trimmed().isEmpty())
        partes << QStringLiteral("Doc: ") + docDesde.trimmed() + QStringLiteral(" - ") + docHasta.trimmed();
    return partes.join(QStringLiteral("  "));
}

PantallaInforme::PantallaInforme(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                 const Configuracion& configuracion, QString archivoDiseno, QString nombreExportar,
                                 QString titulo)
    : PantallaLedger(sesion, interaccion, manejador, configuracion),
      archivoDiseno_(std::move(archivoDiseno)),
      nombreExportar_(std::move(nombreExportar)),
      titulo_(std::move(titulo)) {}

PantallaInforme::~PantallaInforme() = default;

QString PantallaInforme::rutaDiseno() const {
    return QDir(sesion_.directorio).filePath(kCarpetaDisenos + u'/' + archivoDiseno_);
}

QString PantallaInforme::nitCompania() {
    QString nit;
    if (!sesion_.general.isAttached() || sesion_.compania_actual.isEmpty()) return nit;
    proteger([&] {
        const auto c = sesion_.general.queryOne(QStringLiteral("select comp_nit from compania where comp_cod = ") +
                                                sql::texto(sesion_.compania_actual));
        if (c) nit = (*c)[0].toString().trimmed();
    });
    return nit;
}

reportes::Ejecucion PantallaInforme::ejecucion(const Pedido& p) {
    reportes::Ejecucion e;
    e.parametros = p.parametros;
    e.parametros.insert(QStringLiteral("nomcia"),
                        configuracion_.valor(QStringLiteral("GENERAL"), QStringLiteral("GENERAL"),
                                             QStringLiteral("NOMBRE COMPANIA")));
    e.parametros.insert(QStringLiteral("nitcia"), nitCompania());
    e.parametros.insert(QStringLiteral("titulo"), titulo_);
    e.parametros.insert(QStringLiteral("subtitulo"), p.subtitulo);
    e.parametros.insert(QStringLiteral("usuario"), sesion_.nombre_usuario);
    e.textos = p.textos;
    e.ocultas = p.ocultas;
    return e;
}

bool PantallaInforme::generar() {
    // The waiting panel goes away however the run ends.
    struct Espera {
        const std::function<void(bool)>& f;
        explicit Espera(const std::function<void(bool)>& g) : f(g) {
            if (f) f(true);
        }
        ~Espera() {
            if (f) f(false);
        }
    };
    std::optional<Pedido> p;
    {
        Espera espera(salida_.espera);
        p = pedido();
        if (!p) return false;
        paginado_.reset();
        if (!cargar(filas_, p->consulta)) return false;
    }
    if (filas_.recordCount() == 0) {
        interaccion_.informacion(kSinDatos);
        return false;
    }
    QString error;
    diseno_ = reportes::Diseno::leerArchivo(rutaDiseno(), &error);
    if (!diseno_) {
        interaccion_.error(error);
        return false;
    }
    const reportes::Informe* informe = diseno_->informe(p->informe);
    if (!informe) {
        interaccion_.error(QStringLiteral("El diseño %1 no tiene el informe %2").arg(rutaDiseno(), p->informe));
        return false;
    }
    const reportes::Ejecucion e = ejecucion(*p);
    filasInforme_ = std::make_unique<reportes::FilasDataSet>(filas_);
    paginado_ = reportes::Paginado::preparar(*informe, *filasInforme_, e, &error);
    if (!paginado_) {
        interaccion_.error(rutaDiseno() + QStringLiteral(": ") + error);
        return false;
    }
    if (salida_.enviar) salida_.enviar(*paginado_, titulo_, nombreExportar_);
    return true;
}

}  // namespace cxp

#include "ledger/Tfanalisismovcxp.h"

#include "base/Sql.h"
#include "data/Interaccion.h"
#include "data/Sesion.h"

#include <QDir>
#include <QFileInfo>

namespace cxp {

Tfanalisismovcxp::Tfanalisismovcxp(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                   const Configuracion& configuracion, QObject* parent)
    : PantallaLedger(sesion, interaccion, manejador, configuracion, parent), diseno_(disenoPredeterminado()) {}

pivote::Diseno Tfanalisismovcxp::disenoPredeterminado() {
    pivote::Diseno d;
    d.filas = QStringList{"NOMGRUPO", "NOMBRETERC"};
    d.columnas = QStringList{"NOMTIPODOC"};
    d.datos = {{QStringLiteral("MONTO"), pivote::Funcion::Suma}, {QStringLiteral("SALDO"), pivote::Funcion::Suma}};
    d.subtotales = true;
    return d;
}

bool Tfanalisismovcxp::abrir() {
    const QDate h = hoy();
    desde_ = QDate(h.year(), h.month(), 1);
    hasta_ = QDate(h.year(), h.month(), h.daysInMonth());
    listarPlantillas();
    return true;
}

QString Tfanalisismovcxp::carpetaPlantillas() const {
    QString dir = sesion_.directorio;
    const QString sep = sesion_.separador_ruta.isEmpty() ? QStringLiteral("/") : sesion_.separador_ruta;
    if (!dir.isEmpty() && !dir.endsWith(sep)) dir += sep;
    return dir + QStringLiteral("Cxpagar") + sep + QStringLiteral("reportes") + sep;
}

void Tfanalisismovcxp::listarPlantillas() {
    plantillas_ = QDir(carpetaPlantillas())
                      .entryList({QStringLiteral("*.") + kExtension}, QDir::Files | QDir::Readable, QDir::Name);
    if (!plantilla_.isEmpty() && !plantillas_.contains(plantilla_)) plantilla_.clear();
    emit plantillasCambio();
}

void Tfanalisismovcxp::setPlantilla(const QString& nombre) {
    plantilla_ = nombre;
    if (!plantilla_.isEmpty() && movimiento_.isOpen()) aplicarPlantilla(carpetaPlantillas() + plantilla_);
}

QStringList Tfanalisismovcxp::campos() const {
    return movimiento_.isOpen() ? pivote::camposDisponibles(movimiento_) : QStringList();
}

void Tfanalisismovcxp::setDiseno(const pivote::Diseno& diseno) {
    diseno_ = diseno;
    recalcular();
}

void Tfanalisismovcxp::recalcular() {
    modelo_.setResultado(pivote::calcular(movimiento_, diseno_));
    emit disenoCambio();
}

QString Tfanalisismovcxp::consulta() const {
    return QStringLiteral("SELECT * FROM ANALISIS_CXPAGAR(") + sql::fecha(desde_) + QStringLiteral(", ") +
           sql::fecha(hasta_) + u')';
}

bool Tfanalisismovcxp::calcular() {
    if (!fechasEnOrden(desde_, hasta_)) return false;
    emit aviso(kEspere);
    const bool ok = cargar(movimiento_, consulta());
    emit aviso(QString());
    if (!ok) return false;
    const QString elegida = plantilla_.isEmpty() ? kPlantillaPredeterminada : plantilla_;
    const QString ruta = carpetaPlantillas() + elegida;
    if (QFileInfo::exists(ruta)) {
        if (aplicarPlantilla(ruta)) return true;
    } else if (!plantilla_.isEmpty()) {
        interaccion_.error(QStringLiteral("No se encontró la plantilla ") + ruta);
    }
    if (diseno_.filas.isEmpty() && diseno_.columnas.isEmpty() && diseno_.datos.isEmpty())
        diseno_ = disenoPredeterminado();
    recalcular();
    return true;
}

bool Tfanalisismovcxp::aplicarPlantilla(const QString& ruta) {
    QString error;
    const auto d = pivote::Diseno::leer(ruta, &error);
    if (!d) {
        interaccion_.error(QStringLiteral("No se pudo leer la plantilla ") + ruta + QStringLiteral(": ") + error);
        return false;
    }
    const QStringList faltan = d->faltantes(campos());
    if (!faltan.isEmpty())
        interaccion_.advertencia(QStringLiteral("La plantilla nombra campos que no tiene el análisis: ") +
                                 faltan.join(QStringLiteral(", ")));
    diseno_ = d->limitado(campos());
    recalcular();
    return true;
}

bool Tfanalisismovcxp::grabarPlantilla(const QString& ruta) {
    if (ruta.trimmed().isEmpty()) return false;
    QString destino = ruta;
    if (QFileInfo(destino).suffix().compare(kExtension, Qt::CaseInsensitive) != 0)
        destino += QLatin1Char('.') + kExtension;
    QDir().mkpath(QFileInfo(destino).absolutePath());
    QString error;
    if (!diseno_.guardar(destino, &error)) {
        interaccion_.error(QStringLiteral("No se pudo grabar la plantilla ") + destino + QStringLiteral(": ") + error);
        return false;
    }
    listarPlantillas();
    return true;
}

}  // namespace cxp

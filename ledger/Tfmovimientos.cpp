#include "ledger/Tfmovimientos.h"

#include "base/Sql.h"
#include "data/Importe.h"
#include "data/Interaccion.h"
#include "data/Sesion.h"
#include "data/Terceros.h"

namespace cxp {

namespace {

const QStringList kColumnas{"TIPODOC", "PREFIJO", "NUMERO", "NUMPROV", "FECHA",
                            "CONCEPTO", "DEBITO", "CREDITO", "SALDO"};

// Short names older databases gave the payables documents.
std::optional<int> tipoAntiguo(const QString& nombre) {
    static const QHash<QString, int> tipos{{QStringLiteral("CARGOACR"), 51}, {QStringLiteral("DSCTOACR"), 52},
                                           {QStringLiteral("ANTICACR"), 55}, {QStringLiteral("F"), 21},
                                           {QStringLiteral("DEVOLPRV"), 24}};
    const auto it = tipos.constFind(nombre.trimmed());
    if (it == tipos.constEnd()) return std::nullopt;
    return *it;
}

}  // namespace

Tfmovimientos::Tfmovimientos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                             const Configuracion& configuracion, QObject* parent)
    : PantallaLedger(sesion, interaccion, manejador, configuracion, parent) {}

bool Tfmovimientos::abrir(const QString& nit, const QString& nombre, QDate desde, QDate hasta) {
    const QDate h = hoy();
    desde_ = desde.isValid() ? desde : QDate(h.year(), h.month(), 1);
    hasta_ = hasta.isValid() ? hasta : h;
    nit_ = nit.trimmed();
    nombre_ = nombre;
    if (!prepararMoneda(monedas::kPreguntarCxpagar)) return false;
    if (nombre_.isEmpty() && !nit_.isEmpty() && !proteger([&] {
            nombre_ = Terceros(sesion_.compania, interaccion_, configuracion_).nombre_proveedor(nit_);
        }))
        return false;
    return refrescar();
}

QString Tfmovimientos::consultaMovimiento() const {
    return QStringLiteral("select * from movimiento_cxpagar_desde_hasta(") + sql::texto(nit_) + u',' +
           sql::fecha(desde_) + u',' + sql::fecha(hasta_) + u',' + QString::number(moneda()) + u')';
}

QString Tfmovimientos::consultaSaldo(QDate fecha) const {
    return QStringLiteral("select * from saldo_proveedor (") + sql::texto(nit_) + u',' + sql::fecha(fecha) + u',' +
           QString::number(moneda()) + u')';
}

QString Tfmovimientos::consultaSaldos() const {
    return QStringLiteral("select * from saldos_movimiento_cxpagar (") + sql::texto(nit_) + u',' + sql::fecha(desde_) +
           u',' + sql::fecha(hasta_) + u',' + QString::number(moneda()) + u')';
}

Dinero Tfmovimientos::saldo(QDate fecha) {
    const auto fila = sesion_.compania.queryOne(consultaSaldo(fecha));
    return fila ? dineroDe((*fila)[QStringLiteral("SALDO")]) : Dinero{};
}

bool Tfmovimientos::refrescar() {
    if (nit_.isEmpty()) {
        movimiento_.clear();
        inicial_ = final_ = {};
        return true;
    }
    if (!cargar(movimiento_, consultaMovimiento())) return false;
    columnas(movimiento_, kColumnas,
             {{QStringLiteral("DEBITO"), QStringLiteral("Cargos")},
              {QStringLiteral("CREDITO"), QStringLiteral("Descuentos/Abonos")}});
    return proteger([&] {
        if (moneda() == 0 || moneda() == 170) {
            inicial_ = saldo(desde_.addDays(-1));
            final_ = saldo(hasta_);
            return;
        }
        // In another currency the rows are converted at the to-date's rate;
        // both balances at that same rate, so that they add up on screen.
        const auto fila = sesion_.compania.queryOne(consultaSaldos());
        inicial_ = fila ? dineroDe((*fila)[QStringLiteral("INICIAL")]) : Dinero{};
        final_ = fila ? dineroDe((*fila)[QStringLiteral("FINAL")]) : Dinero{};
    });
}

bool Tfmovimientos::setDesde(QDate fecha) {
    if (!fecha.isValid() || fecha == desde_) return true;
    if (!fechasEnOrden(fecha, hasta_) || !hayTasa(moneda(), hasta_)) return false;
    desde_ = fecha;
    return refrescar();
}

bool Tfmovimientos::setHasta(QDate fecha) {
    if (!fecha.isValid() || fecha == hasta_) return true;
    if (!fechasEnOrden(desde_, fecha) || !hayTasa(moneda(), fecha)) return false;
    hasta_ = fecha;
    return refrescar();
}

bool Tfmovimientos::setMoneda(int codigo) {
    if (codigo == moneda()) return true;
    if (!hayTasa(codigo, hasta_)) return false;
    cambiarMoneda(codigo);
    return refrescar();
}

bool Tfmovimientos::setNit(const QString& nit) {
    if (nit.trimmed() == nit_) return true;
    nit_ = nit.trimmed();
    nombre_.clear();
    if (!nit_.isEmpty() && !proteger([&] {
            nombre_ = Terceros(sesion_.compania, interaccion_, configuracion_).nombre_proveedor(nit_);
        }))
        return false;
    return refrescar();
}

std::optional<int> Tfmovimientos::tipoDeFila() {
    const QString nombre = movimiento_.asString(QStringLiteral("TIPODOC"));
    std::optional<int> tipo;
    if (!proteger([&] { tipo = consultas::tipoDeNombreCorto(sesion_.compania, nombre); })) return std::nullopt;
    return tipo;
}

void Tfmovimientos::consultar() {
    if (!movimiento_.isOpen() || movimiento_.isEmpty()) return;
    const int tipo = tipoDeFila().value_or(0);
    consultas::abrir(interaccion_, tipo, movimiento_.asInt(QStringLiteral("IDDOC")));
}

void Tfmovimientos::abonos() {
    if (!movimiento_.isOpen() || movimiento_.isEmpty()) return;
    std::optional<int> tipo = tipoDeFila();
    if (!tipo) tipo = tipoAntiguo(movimiento_.asString(QStringLiteral("TIPODOC")));
    switch (tipo.value_or(0)) {
    case 21:
    case 24:
    case 50:
    case 51:
    case 52:
    case 55:
        interaccion_.abrirPantalla(QStringLiteral("Tfabonosprv"),
                                   {{QStringLiteral("tipo"), *tipo},
                                    {QStringLiteral("id"), qlonglong(movimiento_.asInt(QStringLiteral("IDDOC")))}});
        break;
    default: interaccion_.informacion(consultas::kNoExiste);
    }
}

}  // namespace cxp

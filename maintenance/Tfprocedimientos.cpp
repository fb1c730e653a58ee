#include "maintenance/Tfprocedimientos.h"

#include "base/Sql.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

#include <stdexcept>

namespace cxp {

Tfprocedimientos::Tfprocedimientos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                   QObject* parent)
    : QObject(parent), sesion_(sesion), interaccion_(interaccion), manejador_(manejador) {}

bool Tfprocedimientos::abrir() {
    QString sql = QStringLiteral("select * from PROCEDIMIENTOS_USUARIO");
    if (sesion_.modulo_actual != kModuloMantenimiento)
        sql += QStringLiteral(" where PRUS_MODULO = ") + sql::texto(sesion_.modulo_actual);
    sql += QStringLiteral(" order by PRUS_COD");
    if (!manejador_.proteger([&] { catalogo_.open(sesion_.compania, sql); })) return false;
    const QDate hoy = hoy_ ? hoy_() : QDate::currentDate();
    desde_ = QDate(hoy.year(), hoy.month(), 1);
    hasta_ = desde_.addMonths(1).addDays(-1);
    elegir(0);
    return true;
}

void Tfprocedimientos::elegir(int fila) {
    if (fila >= 0 && fila < catalogo_.recordCount()) catalogo_.setCurrentRow(fila);
    emit cambioProcedimiento();
}

QString Tfprocedimientos::procedimiento() const {
    return catalogo_.isOpen() && !catalogo_.isEmpty() ? catalogo_.asString(QStringLiteral("PRUS_SP")).trimmed()
                                                      : QString();
}

QString Tfprocedimientos::explicacion() const {
    return catalogo_.isOpen() && !catalogo_.isEmpty() ? catalogo_.asString(QStringLiteral("PRUS_EXPLICA")) : QString();
}

QString Tfprocedimientos::titulo(int parametro) const {
    if (!catalogo_.isOpen() || catalogo_.isEmpty()) return {};
    return catalogo_.asString(QStringLiteral("PRUS_PARAM%1").arg(parametro + 1)).trimmed();
}

bool Tfprocedimientos::fechasVisibles() const {
    return procedimiento().compare(kCalculeDv, Qt::CaseInsensitive) != 0;
}

std::optional<QString> Tfprocedimientos::sentencia() const {
    const QString sp = procedimiento();
    if (parametros_[0].isEmpty()) {
        if (sp.compare(kCalculeDv, Qt::CaseInsensitive) == 0) return QStringLiteral("select * from ") + kCalculeDv;
        return std::nullopt;
    }
    QString s = QStringLiteral("select * from ") + sp + u'(' + sql::fecha(desde_) + u',' + sql::fecha(hasta_);
    for (int i = 0; i < kParametros; ++i)
        if (!titulo(i).isEmpty()) s += u',' + sql::texto(parametros_[size_t(i)]);
    return s + u')';
}

bool Tfprocedimientos::esNumerico(const Field& campo) {
    switch (campo.type()) {
    case FieldType::Integer:
    case FieldType::Decimal:
    case FieldType::Float: return true;
    default: return false;
    }
}

bool Tfprocedimientos::generar() {
    const auto s = sentencia();
    if (!s) {
        interaccion_.error(kFaltaParametro);
        interaccion_.enfocar(QStringLiteral("parametro1"));
        return false;
    }
    const QString sp = procedimiento();
    const bool conArgumentos = !s->endsWith(kCalculeDv);
    emit panel(kPanel);
    const bool ok = manejador_.proteger([&] {
        // The name comes from a table anybody with rights may have edited:
        // it must be an identifier naming a selectable procedure of this
        // database before it goes into the statement.
        const bool existe =
            sql::esIdentificador(sp) &&
            sesion_.compania
                .queryOne(QStringLiteral("select 1 from RDB$PROCEDURES where RDB$PROCEDURE_NAME = ? "
                                         "and RDB$PROCEDURE_TYPE = 1"),
                          {fb::Value(sp.toUpper())})
                .has_value();
        if (!existe)
            throw std::runtime_error(
                QStringLiteral("El procedimiento %1 no existe en la base de datos o no devuelve filas.")
                    .arg(sp)
                    .toStdString());
        // The rows replace the grid's only once they have all arrived.
        resultado_.open(sesion_.compania, *s);
    });
    emit panel(QString());
    if (!ok) return false;
    conTotales_ = conArgumentos;
    emit resultadoListo();
    return true;
}

}  // namespace cxp

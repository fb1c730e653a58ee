#include "data/Contabilidad.h"

#include "base/Redondeo.h"
#include "base/Periodos.h"
#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/Derechos.h"
#include "data/Importe.h"
#include "data/Interaccion.h"
#include "data/Selectores.h"
#include "data/Sesion.h"

namespace cxp {

Contabilidad::Contabilidad(Sesion& sesion, Interaccion& interaccion, const Configuracion& configuracion)
    : sesion_(sesion), interaccion_(interaccion), configuracion_(configuracion) {}

int Contabilidad::codigo_cuenta(const QString& cuenta, bool niif) {
    const auto fila = sesion_.compania.queryOne(
        (niif ? QStringLiteral("select * from valide_cuenta_niif_c(") : QStringLiteral("select * from valide_cuenta_c(")) +
        sql::texto(cuenta) + u')');
    return fila ? int(fila->at(0).toInt64()) : NoExiste;
}

bool Contabilidad::validar(const QString& cuenta, bool niif) {
    switch (codigo_cuenta(cuenta, niif)) {
    case Valida:
        return true;
    case NoExiste: {
        if (!valide_acceso(sesion_, 0, QStringLiteral("CONTABILIDAD"))) {
            interaccion_.informacion(kDerechoNegado);
            return false;
        }
        if (!interaccion_.preguntar(niif ? QStringLiteral("La cuenta NIIF especificada no existe. Desea Crearla?")
                                         : QStringLiteral("La cuenta especificada no existe. Desea Crearla?")))
            return false;
        // Accepted only when the account now exists: leaving the new-account
        // screen without saving must not let a missing account through.
        const auto creada =
            interaccion_.elegir(selectores::kNuevaCuenta, {{QStringLiteral("cuenta"), cuenta}, {QStringLiteral("niif"), niif}});
        return creada.has_value() && codigo_cuenta(cuenta, niif) == Valida;
    }
    case LongitudErrada:
        interaccion_.informacion(QStringLiteral("El código de cuenta está incompleto o demasiado largo."));
        return false;
    case NivelInferior:
        interaccion_.informacion(QStringLiteral("La cuenta es de nivel inferior al mínimo afectable."));
        return false;
    case TieneAuxiliares:
        interaccion_.informacion(niif ? QStringLiteral("La cuenta NIIF indicada tiene auxiliares definidos.")
                                      : QStringLiteral("La cuenta indicada tiene auxiliares definidos."));
        return false;
    default:
        return false;
    }
}

bool Contabilidad::valide_cuenta(const QString& cuenta) { return validar(cuenta, false); }
bool Contabilidad::valide_cuenta_niif(const QString& cuenta) { return validar(cuenta, true); }

QString Contabilidad::nombre(const QString& cuenta, bool niif) {
    const QString tabla = niif ? QStringLiteral("cuentas_niif") : QStringLiteral("cuentas");
    const auto fila = sesion_.compania.queryOne(QStringLiteral("select cuen_cod, cuen_nom, cuen_activa from ") + tabla +
                                                QStringLiteral(" where cuen_cod = ") + sql::texto(cuenta));
    if (!fila) return {};
    if ((*fila)[2].toString().trimmed() == QLatin1String("N")) {
        interaccion_.informacion((niif ? QStringLiteral("La cuenta NIIF ") : QStringLiteral("La cuenta ")) + cuenta +
                                 QStringLiteral(" está inactiva."));
        return {};
    }
    return (*fila)[1].toString().trimmed();
}

QString Contabilidad::nom_cuenta(const QString& cuenta) { return nombre(cuenta, false); }
QString Contabilidad::nom_cuenta_niif(const QString& cuenta) { return nombre(cuenta, true); }

QString Contabilidad::nom_centro(const QString& proyecto) {
    const auto fila = sesion_.compania.queryOne(QStringLiteral("select proy_nom from proyectos where proy_cod = ") +
                                                sql::texto(proyecto));
    if (!fila) {
        interaccion_.informacion(QStringLiteral("Proyecto no encontrado."));
        return {};
    }
    return fila->at(0).toString().trimmed();
}

QString Contabilidad::nom_subcentro(const QString& proyecto, const QString& centro) {
    const auto fila = sesion_.compania.queryOne(QStringLiteral("select cent_nom from centros where proy_cod = ") +
                                                sql::texto(proyecto) + QStringLiteral(" and cent_cod = ") +
                                                sql::texto(centro));
    if (!fila) {
        interaccion_.informacion(QStringLiteral("Centro de costos no encontrado."));
        return {};
    }
    return fila->at(0).toString().trimmed();
}

bool Contabilidad::valide_centro(const QString& proyecto, const QString& centro) {
    const auto fila = sesion_.compania.queryOne(QStringLiteral("select * from existe_centro(") + sql::texto(proyecto) +
                                                u',' + sql::texto(centro) + u')');
    if (fila && fila->at(0).toString().trimmed() == QLatin1String("S")) return true;
    interaccion_.informacion(QStringLiteral("Proyecto-Centro no encontrado."));
    return false;
}

QString Contabilidad::padre(const QString& cuenta) {
    const auto fila = sesion_.compania.queryOne(QStringLiteral("select * from padre(") + sql::texto(cuenta) + u')');
    return fila ? fila->at(0).toString().trimmed() : QString();
}

Dinero Contabilidad::saldo_cuenta(const QString& cuenta, const QDate& fecha) {
    const auto fila = sesion_.compania.queryOne(QStringLiteral("select * from saldo_cuenta(") + sql::texto(cuenta) +
                                                u',' + sql::fecha(fecha) + u')');
    return fila ? Redondear(dineroDe(fila->at(0)), 0) : Dinero();
}

QString Contabilidad::desc_activo(const QString& codigo) {
    const auto fila = sesion_.compania.queryOne(QStringLiteral("select acfj_desc from activos_fijos where acfj_cod = ") +
                                                sql::texto(codigo));
    return fila ? fila->at(0).toString().trimmed() : QString();
}

std::optional<QString> Contabilidad::elegir_cuenta(const QString& filtro, bool niif) {
    const auto eleccion =
        interaccion_.elegir(selectores::kCuentas, {{QStringLiteral("filtro"), filtro}, {QStringLiteral("niif"), niif}});
    if (!eleccion) return std::nullopt;
    const QString cuenta = eleccion->value(QStringLiteral("cuenta")).toString();
    if (cuenta.isEmpty()) return std::nullopt;
    return cuenta;
}

QString Contabilidad::entrada_cuenta(const QString& texto, bool niif) {
    if (texto.isEmpty()) return texto;
    if (texto.startsWith(u'?')) return elegir_cuenta(texto.mid(1), niif).value_or(texto);
    return validar(texto, niif) ? texto : QString();
}

// ---- working period

void Contabilidad::cargar_periodo() {
    const auto fila = sesion_.compania.queryOne(
        QStringLiteral("select user_anocnt, user_percnt from usuario where user_cod = ") + sql::texto(sesion_.usuario_actual));
    ano_ = fila ? (*fila)[0].toString().trimmed() : QString();
    periodo_ = fila && !(*fila)[1].isNull() ? int((*fila)[1].toInt64()) : 0;
    if (ano_.isEmpty()) ano_ = QString::number(QDate::currentDate().year());
}

QString Contabilidad::nombre_periodo() const { return cxp::nombre_periodo(periodo_); }

int Contabilidad::ultimo_dia(int ano, int periodo) {
    const int mes = periodo + 1;
    switch (mes) {
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 2:
        return QDate::isLeapYear(ano) ? 29 : 28;
    default:
        return 31;  // the long months and the adjustments period
    }
}

QString Contabilidad::componer(int dia, const QString& separador) {
    const int ultimo = ultimo_dia(ano_.toInt(), periodo_);
    if (dia > ultimo) {
        interaccion_.pitar();
        dia = ultimo;
    }
    if (dia < 1) dia = 1;
    return ano_ + separador + QStringLiteral("%1").arg(periodo_ + 1, 2, 10, QLatin1Char('0')) + separador +
           QStringLiteral("%1").arg(dia, 2, 10, QLatin1Char('0'));
}

QString Contabilidad::compone_fecha(int dia) { return componer(dia, QString()); }
QString Contabilidad::compone_fecha_admin(int dia) { return componer(dia, QStringLiteral("/")); }

void Contabilidad::guardar_periodo() {
    // USUARIO is read-only to ordinary logins: the procedure writes the caller's own row.
    sesion_.compania.executeDirect(QStringLiteral("execute procedure CAMBIE_PERIODO ") + sql::texto(ano_) +
                                   QStringLiteral(", ") + sql::numero(int64_t(periodo_)));
}

void Contabilidad::mes_mas() {
    if (periodo_ >= 12) {
        periodo_ = 0;
        ano_ = QString::number(ano_.toInt() + 1);
    } else {
        ++periodo_;
    }
    guardar_periodo();
}

void Contabilidad::mes_menos() {
    const QString C = QStringLiteral("CONTABILIDAD"), G = QStringLiteral("GENERAL");
    const int inicio = configuracion_.entero(C, G, QStringLiteral("ANO DE INICIO"));
    const int ano = ano_.toInt();
    if (ano <= inicio) {
        if (periodo_ > configuracion_.entero(C, G, QStringLiteral("MES DE INICIO")) - 1) {
            --periodo_;
        } else {
            interaccion_.pitar();
            return;
        }
    } else if (periodo_ == 0) {
        periodo_ = 12;
        ano_ = QString::number(ano - 1);
    } else {
        --periodo_;
    }
    guardar_periodo();
}

}  // namespace cxp
